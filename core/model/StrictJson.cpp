#include "core/model/StrictJson.h"

#include <charconv>
#include <cmath>

namespace roror::strictJson {

const Value* Value::find(QStringView key) const
{
    for (auto it = members.rbegin(); it != members.rend(); ++it) {
        if (it->key == key)
            return &it->value;
    }
    return nullptr;
}

namespace {

constexpr int kMaxDepth = 512;

// The exact integer a number token spells, if it is integral and fits in 64 bits.
std::optional<qint64> exactInteger(bool negative, QStringView intDigits, QStringView fracDigits, qint64 exponent)
{
    QString digits = intDigits.toString() + fracDigits.toString();
    qint64 scale = exponent - fracDigits.size();
    qsizetype first = 0;
    while (first < digits.size() && digits.at(first) == QLatin1Char('0'))
        ++first;
    digits = digits.mid(first);
    if (digits.isEmpty())
        return 0;
    while (digits.endsWith(QLatin1Char('0'))) {
        digits.chop(1);
        ++scale;
    }
    if (scale < 0 || digits.size() + scale > 19)
        return std::nullopt;
    quint64 magnitude = 0;
    for (const QChar c : digits)
        magnitude = magnitude * 10 + (c.unicode() - '0');
    for (qint64 i = 0; i < scale; ++i)
        magnitude *= 10; // at most 19 digits in all: cannot wrap
    const quint64 limit = negative ? quint64(1) << 63 : (quint64(1) << 63) - 1;
    if (magnitude > limit)
        return std::nullopt;
    return negative ? qint64(0 - magnitude) : qint64(magnitude);
}

// Roughly where the first significant digit sits: above 0 for |x| >= 1, else 0 or below.
qint64 decimalMagnitude(QStringView intDigits, QStringView fracDigits, qint64 exponent)
{
    qsizetype lead = 0;
    while (lead < intDigits.size() && intDigits.at(lead) == QLatin1Char('0'))
        ++lead;
    if (lead < intDigits.size())
        return intDigits.size() - lead + exponent;
    qsizetype zeros = 0;
    while (zeros < fracDigits.size() && fracDigits.at(zeros) == QLatin1Char('0'))
        ++zeros;
    return exponent - zeros;
}

class Parser {
public:
    explicit Parser(QStringView text)
        : m_text(text)
    {
    }

    std::optional<Value> document(SyntaxError* error)
    {
        if (m_text.startsWith(QChar(0xFEFF)))
            ++m_pos;
        skipSpace();
        Value value;
        if (parseValue(value, 0)) {
            skipSpace();
            if (m_pos == m_text.size())
                return value;
            fail(QStringLiteral("unexpected text after the value"));
        }
        if (error) {
            *error = m_error;
            for (qsizetype i = 0; i < m_error.offset && i < m_text.size(); ++i) {
                if (m_text.at(i) == QLatin1Char('\n')) {
                    ++error->line;
                    error->column = 1;
                } else {
                    ++error->column;
                }
            }
        }
        return std::nullopt;
    }

private:
    bool fail(const QString& what)
    {
        if (m_error.what.isEmpty()) {
            m_error.what = what;
            m_error.offset = m_pos;
        }
        return false;
    }

    bool atEnd() const { return m_pos >= m_text.size(); }
    char16_t peek() const { return atEnd() ? 0 : m_text.at(m_pos).unicode(); }

    void skipSpace()
    {
        while (!atEnd()) {
            const char16_t c = peek();
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
                break;
            ++m_pos;
        }
    }

    bool literal(const char* word)
    {
        for (const char* p = word; *p; ++p, ++m_pos) {
            if (peek() != char16_t(*p))
                return fail(QStringLiteral("invalid literal"));
        }
        return true;
    }

    bool parseValue(Value& out, int depth)
    {
        if (atEnd())
            return fail(QStringLiteral("unexpected end of text"));
        switch (peek()) {
        case '{':
            return parseObject(out, depth + 1);
        case '[':
            return parseArray(out, depth + 1);
        case '"':
            out.kind = Value::Kind::String;
            return parseString(out.string);
        case 't':
            out.kind = Value::Kind::Bool;
            out.boolean = true;
            return literal("true");
        case 'f':
            out.kind = Value::Kind::Bool;
            out.boolean = false;
            return literal("false");
        case 'n':
            out.kind = Value::Kind::Null;
            return literal("null");
        default:
            return parseNumber(out);
        }
    }

    bool parseObject(Value& out, int depth)
    {
        if (depth > kMaxDepth)
            return fail(QStringLiteral("nested too deeply"));
        out.kind = Value::Kind::Object;
        ++m_pos; // '{'
        skipSpace();
        if (peek() == '}') {
            ++m_pos;
            return true;
        }
        for (;;) {
            skipSpace();
            if (peek() != '"')
                return fail(QStringLiteral("expected a key in quotes"));
            Value::Member member;
            if (!parseString(member.key))
                return false;
            skipSpace();
            if (peek() != ':')
                return fail(QStringLiteral("expected ':' after a key"));
            ++m_pos;
            skipSpace();
            if (!parseValue(member.value, depth))
                return false;
            out.members.push_back(std::move(member));
            skipSpace();
            if (peek() == ',') {
                ++m_pos;
                continue;
            }
            if (peek() == '}') {
                ++m_pos;
                return true;
            }
            return fail(atEnd() ? QStringLiteral("unexpected end of text") : QStringLiteral("expected ',' or '}'"));
        }
    }

    bool parseArray(Value& out, int depth)
    {
        if (depth > kMaxDepth)
            return fail(QStringLiteral("nested too deeply"));
        out.kind = Value::Kind::Array;
        ++m_pos; // '['
        skipSpace();
        if (peek() == ']') {
            ++m_pos;
            return true;
        }
        for (;;) {
            skipSpace();
            Value element;
            if (!parseValue(element, depth))
                return false;
            out.elements.push_back(std::move(element));
            skipSpace();
            if (peek() == ',') {
                ++m_pos;
                continue;
            }
            if (peek() == ']') {
                ++m_pos;
                return true;
            }
            return fail(atEnd() ? QStringLiteral("unexpected end of text") : QStringLiteral("expected ',' or ']'"));
        }
    }

    bool hex4(char16_t& out)
    {
        out = 0;
        for (int i = 0; i < 4; ++i, ++m_pos) {
            const char16_t c = peek();
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return fail(QStringLiteral("invalid \\u escape"));
            out = char16_t(out * 16 + digit);
        }
        return true;
    }

    bool parseString(QString& out)
    {
        ++m_pos; // opening quote
        out.clear();
        for (;;) {
            if (atEnd())
                return fail(QStringLiteral("unterminated string"));
            const char16_t c = peek();
            if (c == '"') {
                ++m_pos;
                return true;
            }
            if (c < 0x20)
                return fail(QStringLiteral("control character in a string"));
            if (QChar::isSurrogate(c)) {
                // The input is valid UTF-16, so a raw surrogate here is a correct pair.
                out.append(QChar(c));
                ++m_pos;
                continue;
            }
            if (c != '\\') {
                out.append(QChar(c));
                ++m_pos;
                continue;
            }
            ++m_pos;
            const char16_t e = peek();
            ++m_pos;
            switch (e) {
            case '"':
                out.append(QLatin1Char('"'));
                break;
            case '\\':
                out.append(QLatin1Char('\\'));
                break;
            case '/':
                out.append(QLatin1Char('/'));
                break;
            case 'b':
                out.append(QChar(0x08));
                break;
            case 'f':
                out.append(QChar(0x0C));
                break;
            case 'n':
                out.append(QLatin1Char('\n'));
                break;
            case 'r':
                out.append(QLatin1Char('\r'));
                break;
            case 't':
                out.append(QLatin1Char('\t'));
                break;
            case 'u': {
                char16_t unit;
                if (!hex4(unit))
                    return false;
                if (QChar::isLowSurrogate(unit))
                    return fail(QStringLiteral("unpaired surrogate in a \\u escape"));
                if (QChar::isHighSurrogate(unit)) {
                    char16_t low = 0;
                    if (peek() != '\\' || m_pos + 1 >= m_text.size() || m_text.at(m_pos + 1) != QLatin1Char('u'))
                        return fail(QStringLiteral("unpaired surrogate in a \\u escape"));
                    m_pos += 2;
                    if (!hex4(low))
                        return false;
                    if (!QChar::isLowSurrogate(low))
                        return fail(QStringLiteral("unpaired surrogate in a \\u escape"));
                    out.append(QChar(unit));
                    out.append(QChar(low));
                } else {
                    out.append(QChar(unit));
                }
                break;
            }
            default:
                --m_pos;
                return fail(QStringLiteral("invalid escape in a string"));
            }
        }
    }

    bool digits(qsizetype& count)
    {
        count = 0;
        while (peek() >= '0' && peek() <= '9') {
            ++m_pos;
            ++count;
        }
        return count > 0;
    }

    bool parseNumber(Value& out)
    {
        const qsizetype start = m_pos;
        const bool negative = peek() == '-';
        if (negative)
            ++m_pos;
        const qsizetype intStart = m_pos;
        qsizetype intCount = 0;
        if (peek() == '0') {
            ++m_pos;
            intCount = 1;
        } else if (!digits(intCount)) {
            m_pos = start;
            return fail(QStringLiteral("unexpected character"));
        }
        const QStringView intDigits = m_text.mid(intStart, intCount);
        QStringView fracDigits;
        if (peek() == '.') {
            ++m_pos;
            const qsizetype fracStart = m_pos;
            qsizetype count;
            if (!digits(count))
                return fail(QStringLiteral("expected digits after the decimal point"));
            fracDigits = m_text.mid(fracStart, count);
        }
        qint64 exponent = 0;
        bool exponentNegative = false; // sign of the exponent
        if (peek() == 'e' || peek() == 'E') {
            ++m_pos;
            if (peek() == '+' || peek() == '-') {
                exponentNegative = peek() == '-';
                ++m_pos;
            }
            const qsizetype expStart = m_pos;
            qsizetype count;
            if (!digits(count))
                return fail(QStringLiteral("expected digits in the exponent"));
            // Exponents this large only ever mean overflow or zero; cap them so they cannot wrap.
            for (qsizetype i = expStart; i < m_pos && exponent < 100'000'000; ++i)
                exponent = exponent * 10 + (m_text.at(i).unicode() - '0');
            if (exponentNegative)
                exponent = -exponent;
        }

        const QByteArray token = m_text.mid(start, m_pos - start).toLatin1();
        double value = 0;
        const auto [end, ec] = std::from_chars(token.constData(), token.constData() + token.size(), value);
        if (ec == std::errc::result_out_of_range) {
            // Too small to tell from zero is zero; too large has no value.
            if (decimalMagnitude(intDigits, fracDigits, exponent) > 0) {
                m_pos = start;
                return fail(QStringLiteral("number out of range"));
            }
            value = negative ? -0.0 : 0.0;
        } else if (ec != std::errc() || end != token.constData() + token.size()) {
            m_pos = start;
            return fail(QStringLiteral("invalid number"));
        }
        out.kind = Value::Kind::Number;
        out.number = value;
        out.integer = exactInteger(negative, intDigits, fracDigits, exponent);
        return true;
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    SyntaxError m_error;
};

} // namespace

std::optional<Value> parse(QStringView text, SyntaxError* error)
{
    return Parser(text).document(error);
}

} // namespace roror::strictJson
