#include "core/engines/uninstall/PropertyList.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QTimeZone>
#include <QXmlStreamReader>
#include <cmath>
#include <cstring>
#include <limits>

namespace roror::PropertyList {

namespace {

// Nested containers deeper than this are refused rather than risking the stack.
constexpr int kMaxNesting = 256;
// A binary list may reference one container from many places; reading stops after this many
// objects so that a small file cannot expand into an endless amount of work.
constexpr quint64 kMaxObjectReads = 1 << 20;
// Every element of every container read counts, also one that refers to an object already read:
// many objects that share one offset would otherwise each decode the same long array again.
constexpr quint64 kMaxElements = 1 << 21;

// Dates in both forms count seconds from 2001-01-01 00:00:00 UTC.
const QDateTime& referenceDate()
{
    static const QDateTime reference(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc());
    return reference;
}

// ---- binary form --------------------------------------------------------------------------------

class BinaryReader {
public:
    explicit BinaryReader(const QByteArray& data)
        : m_data(reinterpret_cast<const uchar*>(data.constData()))
        , m_size(static_cast<quint64>(data.size()))
    {
    }

    std::optional<QVariant> read()
    {
        constexpr quint64 headerSize = 8;
        constexpr quint64 trailerSize = 32;
        if (m_size < headerSize + trailerSize || std::memcmp(m_data, "bplist00", headerSize) != 0)
            return std::nullopt;
        const uchar* trailer = m_data + m_size - trailerSize;
        m_offsetSize = trailer[6];
        m_refSize = trailer[7];
        m_objectCount = bigEndian(trailer + 8, 8);
        const quint64 top = bigEndian(trailer + 16, 8);
        m_offsetTable = bigEndian(trailer + 24, 8);
        if (m_offsetSize < 1 || m_offsetSize > 8 || m_refSize < 1 || m_refSize > 8)
            return std::nullopt;
        if (m_objectCount == 0 || top >= m_objectCount || m_offsetTable < headerSize)
            return std::nullopt;
        const quint64 tableEnd = m_size - trailerSize;
        if (m_offsetTable > tableEnd || m_objectCount > (tableEnd - m_offsetTable) / m_offsetSize)
            return std::nullopt;
        return object(top, 0);
    }

private:
    static quint64 bigEndian(const uchar* p, int count)
    {
        quint64 value = 0;
        for (int i = 0; i < count; ++i)
            value = (value << 8) | p[i];
        return value;
    }

    bool has(quint64 offset, quint64 count) const { return offset <= m_size && count <= m_size - offset; }

    std::optional<quint64> objectOffset(quint64 index) const
    {
        if (index >= m_objectCount)
            return std::nullopt;
        const quint64 offset = bigEndian(m_data + m_offsetTable + index * m_offsetSize, m_offsetSize);
        if (offset < 8 || offset >= m_offsetTable)
            return std::nullopt;
        return offset;
    }

    // Count of a string, data or container object: in the marker's low nibble, or in an integer
    // object right after the marker when the nibble is 0xF. `pos` moves past the count.
    std::optional<quint64> count(uchar marker, quint64& pos) const
    {
        const uchar nibble = marker & 0x0F;
        if (nibble != 0x0F)
            return nibble;
        if (!has(pos, 1) || (m_data[pos] & 0xF0) != 0x10)
            return std::nullopt;
        const int bytes = 1 << (m_data[pos] & 0x0F);
        if (bytes > 8 || !has(pos + 1, static_cast<quint64>(bytes)))
            return std::nullopt;
        const quint64 value = bigEndian(m_data + pos + 1, bytes);
        pos += 1 + static_cast<quint64>(bytes);
        return value;
    }

    std::optional<QList<quint64>> references(quint64 pos, quint64 n)
    {
        if (n > m_size / m_refSize || !has(pos, n * m_refSize))
            return std::nullopt;
        if (n > kMaxElements - m_elements)
            return std::nullopt;
        m_elements += n;
        QList<quint64> refs;
        refs.reserve(static_cast<qsizetype>(n));
        for (quint64 i = 0; i < n; ++i)
            refs.append(bigEndian(m_data + pos + i * m_refSize, m_refSize));
        return refs;
    }

    std::optional<QVariant> object(quint64 index, int nesting)
    {
        // An object referenced from many places is read once and then shared: without this a
        // small file whose containers reference each other repeatedly expands into copies
        // without end.
        if (const auto done = m_read.constFind(index); done != m_read.constEnd())
            return *done;
        if (nesting > kMaxNesting || m_active.contains(index) || ++m_reads > kMaxObjectReads)
            return std::nullopt; // too deep, a container that holds itself, or too much work
        auto value = readObject(index, nesting);
        if (value)
            m_read.insert(index, *value);
        return value;
    }

    std::optional<QVariant> readObject(quint64 index, int nesting)
    {
        const auto start = objectOffset(index);
        if (!start)
            return std::nullopt;
        quint64 pos = *start;
        const uchar marker = m_data[pos++];
        const uchar nibble = marker & 0x0F;
        switch (marker >> 4) {
        case 0x0:
            if (marker == 0x08)
                return QVariant(false);
            if (marker == 0x09)
                return QVariant(true);
            if (marker == 0x00)
                return QVariant();
            return std::nullopt;
        case 0x1: {
            if (nibble > 4)
                return std::nullopt;
            const int bytes = 1 << nibble;
            if (!has(pos, static_cast<quint64>(bytes)))
                return std::nullopt;
            // 16-byte integers keep their low 8 bytes; 8-byte ones are signed.
            const quint64 raw = bigEndian(m_data + pos + (bytes > 8 ? bytes - 8 : 0), std::min(bytes, 8));
            return QVariant(static_cast<qint64>(raw));
        }
        case 0x2: {
            if (nibble != 2 && nibble != 3)
                return std::nullopt;
            const int bytes = 1 << nibble;
            if (!has(pos, static_cast<quint64>(bytes)))
                return std::nullopt;
            return QVariant(real(pos, bytes));
        }
        case 0x3:
            if (marker != 0x33 || !has(pos, 8))
                return std::nullopt;
            return QVariant(date(real(pos, 8)));
        case 0x4:
        case 0x5:
        case 0x6:
        case 0x7: {
            const auto n = count(marker, pos);
            if (!n)
                return std::nullopt;
            const quint64 unit = (marker >> 4) == 0x6 ? 2 : 1;
            if (*n > m_size / unit || !has(pos, *n * unit))
                return std::nullopt;
            const char* bytes = reinterpret_cast<const char*>(m_data + pos);
            const auto length = static_cast<qsizetype>(*n);
            switch (marker >> 4) {
            case 0x4:
                return QVariant(QByteArray(bytes, length));
            case 0x5:
                return QVariant(QString::fromLatin1(bytes, length));
            case 0x6: {
                QString text(length, Qt::Uninitialized);
                for (qsizetype i = 0; i < length; ++i)
                    text[i] = QChar(static_cast<char16_t>((m_data[pos + 2 * i] << 8) | m_data[pos + 2 * i + 1]));
                return QVariant(text);
            }
            default:
                return QVariant(QString::fromUtf8(bytes, length));
            }
        }
        case 0x8:
            if (!has(pos, static_cast<quint64>(nibble) + 1))
                return std::nullopt;
            return QVariant(static_cast<qint64>(bigEndian(m_data + pos, nibble + 1)));
        case 0xA:
        case 0xC:
        case 0xD: {
            const auto n = count(marker, pos);
            if (!n)
                return std::nullopt;
            const bool dictionary = (marker >> 4) == 0xD;
            if (dictionary && *n > std::numeric_limits<quint64>::max() / 2)
                return std::nullopt;
            const auto refs = references(pos, dictionary ? *n * 2 : *n);
            if (!refs)
                return std::nullopt;
            m_active.insert(index);
            const auto result = dictionary ? dictionaryObject(*refs, nesting) : arrayObject(*refs, nesting);
            m_active.remove(index);
            return result;
        }
        default:
            return std::nullopt;
        }
    }

    std::optional<QVariant> arrayObject(const QList<quint64>& refs, int nesting)
    {
        QVariantList list;
        list.reserve(refs.size());
        for (quint64 ref : refs) {
            auto value = object(ref, nesting + 1);
            if (!value)
                return std::nullopt;
            list.append(*value);
        }
        return QVariant(list);
    }

    std::optional<QVariant> dictionaryObject(const QList<quint64>& refs, int nesting)
    {
        const qsizetype n = refs.size() / 2;
        QVariantMap map;
        bool textKeys = true;
        for (qsizetype i = 0; i < n; ++i) {
            const auto key = object(refs.at(i), nesting + 1);
            const auto value = object(refs.at(n + i), nesting + 1);
            if (!key || !value)
                return std::nullopt;
            if (key->typeId() != QMetaType::QString)
                textKeys = false;
            else
                map.insert(key->toString(), *value);
        }
        return textKeys ? QVariant(map) : QVariant();
    }

    // Seconds from the reference date; a value no date can hold gives an invalid date.
    static QDateTime date(double seconds)
    {
        constexpr double limit = 1e14; // about three million years either way
        if (!std::isfinite(seconds) || std::fabs(seconds) > limit)
            return QDateTime();
        return referenceDate().addMSecs(static_cast<qint64>(seconds * 1000.0));
    }

    double real(quint64 pos, int bytes) const
    {
        if (bytes == 4) {
            const quint32 raw = static_cast<quint32>(bigEndian(m_data + pos, 4));
            float value;
            std::memcpy(&value, &raw, sizeof value);
            return value;
        }
        const quint64 raw = bigEndian(m_data + pos, 8);
        double value;
        std::memcpy(&value, &raw, sizeof value);
        return value;
    }

    const uchar* m_data;
    quint64 m_size;
    int m_offsetSize = 0;
    int m_refSize = 0;
    quint64 m_objectCount = 0;
    quint64 m_offsetTable = 0;
    QSet<quint64> m_active;
    QHash<quint64, QVariant> m_read;
    quint64 m_reads = 0;
    quint64 m_elements = 0;
};

// ---- XML form -----------------------------------------------------------------------------------

class XmlReader {
public:
    explicit XmlReader(const QByteArray& data)
        : m_xml(data)
    {
    }

    std::optional<QVariant> read()
    {
        if (!nextElement())
            return std::nullopt;
        std::optional<QVariant> value;
        if (m_xml.name() == QLatin1String("plist")) {
            if (!nextElement())
                return std::nullopt;
            value = element(0);
            // Only the closing </plist> may follow.
            if (value && nextElement())
                return std::nullopt;
        } else {
            value = element(0);
        }
        if (m_xml.hasError())
            return std::nullopt;
        return value;
    }

private:
    // Moves to the next start element; false at an end element, the end or an error.
    bool nextElement()
    {
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::StartElement:
                return true;
            case QXmlStreamReader::EndElement:
            case QXmlStreamReader::Invalid:
                return false;
            case QXmlStreamReader::Characters:
                if (!m_xml.isWhitespace())
                    return false;
                break;
            default:
                break;
            }
        }
        return false;
    }

    std::optional<QString> text()
    {
        const QString value = m_xml.readElementText();
        if (m_xml.hasError())
            return std::nullopt;
        return value;
    }

    // Reads the element the reader stands on, up to and including its end.
    std::optional<QVariant> element(int nesting)
    {
        if (nesting > kMaxNesting)
            return std::nullopt;
        const QString name = m_xml.name().toString();
        if (name == QLatin1String("string"))
            return optionalVariant(text());
        if (name == QLatin1String("integer")) {
            const auto value = text();
            bool ok = false;
            const qint64 number = value ? value->trimmed().toLongLong(&ok) : 0;
            return ok ? std::optional<QVariant>(QVariant(number)) : std::nullopt;
        }
        if (name == QLatin1String("real")) {
            const auto value = text();
            bool ok = false;
            const double number = value ? value->trimmed().toDouble(&ok) : 0;
            return ok ? std::optional<QVariant>(QVariant(number)) : std::nullopt;
        }
        if (name == QLatin1String("true") || name == QLatin1String("false")) {
            const auto value = text();
            if (!value || !value->trimmed().isEmpty())
                return std::nullopt;
            return QVariant(name == QLatin1String("true"));
        }
        if (name == QLatin1String("date")) {
            const auto value = text();
            if (!value)
                return std::nullopt;
            QDateTime date = QDateTime::fromString(value->trimmed(), Qt::ISODate);
            if (!date.isValid())
                return std::nullopt;
            return QVariant(date.toUTC());
        }
        if (name == QLatin1String("data")) {
            const auto value = text();
            if (!value)
                return std::nullopt;
            const auto decoded
                = QByteArray::fromBase64Encoding(value->toLatin1(), QByteArray::IgnoreBase64DecodingErrors);
            return QVariant(decoded.decoded);
        }
        if (name == QLatin1String("array")) {
            QVariantList list;
            while (nextElement()) {
                auto value = element(nesting + 1);
                if (!value)
                    return std::nullopt;
                list.append(*value);
            }
            return endOf(QStringLiteral("array")) ? std::optional<QVariant>(QVariant(list)) : std::nullopt;
        }
        if (name == QLatin1String("dict")) {
            QVariantMap map;
            while (nextElement()) {
                if (m_xml.name() != QLatin1String("key"))
                    return std::nullopt;
                const auto key = text();
                if (!key || !nextElement())
                    return std::nullopt;
                auto value = element(nesting + 1);
                if (!value)
                    return std::nullopt;
                map.insert(*key, *value);
            }
            return endOf(QStringLiteral("dict")) ? std::optional<QVariant>(QVariant(map)) : std::nullopt;
        }
        return std::nullopt;
    }

    bool endOf(const QString& name) const { return !m_xml.hasError() && m_xml.isEndElement() && m_xml.name() == name; }

    static std::optional<QVariant> optionalVariant(const std::optional<QString>& value)
    {
        return value ? std::optional<QVariant>(QVariant(*value)) : std::nullopt;
    }

    QXmlStreamReader m_xml;
};

} // namespace

std::optional<QVariant> parse(const QByteArray& data)
{
    if (data.startsWith("bplist"))
        return BinaryReader(data).read();
    return XmlReader(data).read();
}

std::optional<QVariantMap> parseDictionary(const QByteArray& data)
{
    const auto value = parse(data);
    if (!value || value->typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return value->toMap();
}

} // namespace roror::PropertyList
