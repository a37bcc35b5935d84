#include "core/engines/uninstall/PropertyList.h"
#include "tests/core/engines/QtPrinters.h"
#include "tests/support/TestEnv.h"

#include <QDateTime>
#include <QFile>
#include <QTimeZone>
#include <cstring>
#include <gtest/gtest.h>

using namespace roror;
using roror::test::fixturePath;

namespace {

QByteArray fixture(const QString& name)
{
    QFile file(fixturePath(QStringLiteral("uninstall/") + name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

// bplist00 bytes from hand-written objects: `objects` are the encoded objects in index order.
QByteArray binaryPlist(const QList<QByteArray>& objects, quint8 top = 0)
{
    QByteArray out("bplist00");
    QList<quint8> offsets;
    for (const QByteArray& object : objects) {
        offsets.append(static_cast<quint8>(out.size()));
        out.append(object);
    }
    const auto tableOffset = static_cast<quint8>(out.size());
    for (quint8 offset : offsets)
        out.append(static_cast<char>(offset));
    QByteArray trailer(32, '\0');
    trailer[6] = 1; // offset size
    trailer[7] = 1; // reference size
    trailer[15] = static_cast<char>(objects.size());
    trailer[23] = static_cast<char>(top);
    trailer[31] = static_cast<char>(tableOffset);
    return out + trailer;
}

} // namespace

TEST(PropertyList, XmlAndBinaryFormsOfTheSameListReadTheSame)
{
    const auto xml = PropertyList::parseDictionary(fixture(QStringLiteral("Info-full.xml.plist")));
    const auto binary = PropertyList::parseDictionary(fixture(QStringLiteral("Info-full.binary.plist")));
    ASSERT_TRUE(xml.has_value());
    ASSERT_TRUE(binary.has_value());
    EXPECT_EQ(*xml, *binary);

    const QVariantMap& map = *binary;
    EXPECT_EQ(map.value("CFBundleDisplayName").toString(), QStringLiteral("Binary Viewer"));
    EXPECT_EQ(map.value("CFBundleName").toString(), QStringLiteral("Bïnary 查看器"));
    EXPECT_EQ(map.value("CFBundleIdentifier").toString(), QStringLiteral("com.example.binaryviewer"));
    EXPECT_EQ(map.value("LongText").toString(), QString(40, QLatin1Char('x')));
    EXPECT_EQ(map.value("Empty").typeId(), QMetaType::QString);
    EXPECT_EQ(map.value("CFBundleVersion").toLongLong(), 1234567890123LL);
    EXPECT_EQ(map.value("NegativeNumber").toLongLong(), -42);
    EXPECT_TRUE(map.value("NSHighResolutionCapable").toBool());
    EXPECT_EQ(map.value("LSUIElement").typeId(), QMetaType::Bool);
    EXPECT_DOUBLE_EQ(map.value("Scale").toDouble(), 2.5);
    EXPECT_EQ(map.value("BuildDate").toDateTime(), QDateTime(QDate(2024, 3, 5), QTime(14, 7, 33), QTimeZone::utc()));
    EXPECT_EQ(map.value("Icon").toByteArray(),
              QByteArray("\x00\x01\x02"
                         "binary\xff",
                         10));
    const QVariantList types = map.value("CFBundleDocumentTypes").toList();
    ASSERT_EQ(types.size(), 1);
    EXPECT_EQ(types.at(0).toMap().value("LSItemContentTypes").toStringList(),
              (QStringList{"public.text", "public.data"}));
}

TEST(PropertyList, TopLevelMustBeADictionaryWithTextKeys)
{
    EXPECT_TRUE(PropertyList::parse(fixture(QStringLiteral("Info-toparray.binary.plist"))).has_value());
    EXPECT_FALSE(PropertyList::parseDictionary(fixture(QStringLiteral("Info-toparray.binary.plist"))).has_value());
    // { 1: "a" }: a dictionary whose key is a number.
    const QByteArray numberKey = binaryPlist({QByteArray("\xD1\x01\x02", 3), QByteArray("\x10\x01", 2),
                                              "\x51"
                                              "a"});
    EXPECT_FALSE(PropertyList::parseDictionary(numberKey).has_value());
    const QByteArray textKey = binaryPlist({QByteArray("\xD1\x01\x02", 3), "\x51k", "\x51v"});
    ASSERT_TRUE(PropertyList::parseDictionary(textKey).has_value());
    EXPECT_EQ(PropertyList::parseDictionary(textKey)->value("k").toString(), QStringLiteral("v"));
}

TEST(PropertyList, MalformedInputGivesNothingWithoutCrashing)
{
    const QByteArray good = fixture(QStringLiteral("Info-full.binary.plist"));
    // Every cut of a valid file, and every single byte changed, is handled.
    for (qsizetype length = 0; length < good.size(); ++length)
        EXPECT_FALSE(PropertyList::parseDictionary(good.left(length)).has_value()) << length;
    for (qsizetype i = 8; i < good.size(); ++i) {
        for (const char value : {'\x00', '\x7F', '\xFF'}) {
            QByteArray changed = good;
            changed[i] = value;
            PropertyList::parse(changed); // any answer, but no crash or hang
        }
    }

    const QList<QPair<const char*, QByteArray>> cases = {
        {"array holding itself", binaryPlist({QByteArray("\xA1\x00", 2)})},
        {"dictionary holding itself", binaryPlist({QByteArray("\xD1\x01\x00", 3), "\x51k"})},
        {"reference past the objects", binaryPlist({QByteArray("\xA1\x07", 2)})},
        {"string longer than the file",
         binaryPlist({QByteArray("\x5F\x10\x7F"
                                 "ab",
                                 5)})},
        {"length without an integer", binaryPlist({"\x5Fz"})},
        {"top object out of range", binaryPlist({"\x51k"}, 5)},
        {"unknown marker", binaryPlist({"\x9A"})},
        {"xml text", "this is not a property list"},
        {"xml unknown element", "<plist><dict><key>a</key><blob/></dict></plist>"},
        {"xml key without value", "<plist><dict><key>a</key></dict></plist>"},
        {"xml unclosed", "<plist><dict><key>a</key><string>b</string>"},
        {"xml bad integer", "<plist><dict><key>a</key><integer>12x</integer></dict></plist>"},
        {"xml two top values", "<plist><dict/><dict/></plist>"},
    };
    for (const auto& [label, data] : cases)
        EXPECT_FALSE(PropertyList::parseDictionary(data).has_value()) << label;

    // Many references to one shared array do not multiply into endless work: each object is
    // read once, so this chain of 2^40 paths is read in 41 steps.
    QList<QByteArray> objects;
    for (int i = 0; i < 40; ++i)
        objects.append(QByteArray("\xA2", 1) + char(i + 1) + char(i + 1));
    objects.append("\x51x");
    const auto chain = PropertyList::parse(binaryPlist(objects));
    ASSERT_TRUE(chain.has_value());
    QVariant innermost = *chain;
    for (int i = 0; i < 40; ++i)
        innermost = innermost.toList().value(1);
    EXPECT_EQ(innermost.toString(), QStringLiteral("x"));
}

TEST(PropertyList, SharedObjectsAreReadOnceAndShared)
{
    // { "CFBundleName": "Foo", "x": [A, A] } with A = [s, s, s] and s one string: every place
    // that references s holds the same text, not a copy of its own, so a small file whose
    // references fan out cannot grow into copies without end.
    const QByteArray text(200, 's');
    const QByteArray data = binaryPlist({
        QByteArray("\xD2\x01\x02\x03\x04", 5),
        "\x5C"
        "CFBundleName",
        "\x51x",
        "\x53"
        "Foo",
        QByteArray("\xA2\x05\x05", 3),
        QByteArray("\xA3\x06\x06\x06", 4),
        QByteArray("\x5F\x10\xC8", 3) + text,
    });
    const auto map = PropertyList::parseDictionary(data);
    ASSERT_TRUE(map.has_value());
    EXPECT_EQ(map->value("CFBundleName").toString(), QStringLiteral("Foo"));
    const QVariantList outer = map->value("x").toList();
    ASSERT_EQ(outer.size(), 2);
    const QVariantList first = outer.at(0).toList();
    const QVariantList second = outer.at(1).toList();
    ASSERT_EQ(first.size(), 3);
    ASSERT_EQ(second.size(), 3);
    EXPECT_EQ(first.at(0).toString(), QString::fromLatin1(text));
    EXPECT_EQ(first.at(0).toString().constData(), second.at(2).toString().constData());
}

// A top array of `aliases` objects that all sit at the same offset: one array of `refs`
// references to a one-letter string. Offsets and references take two bytes.
QByteArray aliasedArrays(int aliases, int refs)
{
    const auto be16 = [](QByteArray& out, int value) {
        out.append(static_cast<char>((value >> 8) & 0xFF));
        out.append(static_cast<char>(value & 0xFF));
    };
    QByteArray out("bplist00");
    const int top = out.size();
    out.append("\xAF\x11", 2);
    be16(out, aliases);
    for (int i = 1; i <= aliases; ++i)
        be16(out, i);
    const int shared = out.size();
    out.append("\xAF\x11", 2);
    be16(out, refs);
    for (int i = 0; i < refs; ++i)
        be16(out, aliases + 1);
    const int text = out.size();
    out.append("\x51x");
    const int table = out.size();
    be16(out, top);
    for (int i = 1; i <= aliases; ++i)
        be16(out, shared);
    be16(out, text);
    QByteArray trailer(32, '\0');
    trailer[6] = 2;
    trailer[7] = 2;
    trailer[14] = static_cast<char>(((aliases + 2) >> 8) & 0xFF);
    trailer[15] = static_cast<char>((aliases + 2) & 0xFF);
    trailer[30] = static_cast<char>((table >> 8) & 0xFF);
    trailer[31] = static_cast<char>(table & 0xFF);
    return out + trailer;
}

TEST(PropertyList, ObjectsSharingOneOffsetCountAgainstOneBudget)
{
    // 4000 objects at one offset, each an array of 4000 references: a 24 KB file that would decode
    // sixteen million elements. Every element counts, so the reader gives up instead.
    const QByteArray fanOut = aliasedArrays(4000, 4000);
    ASSERT_LT(fanOut.size(), 32 * 1024);
    EXPECT_FALSE(PropertyList::parse(fanOut).has_value());

    const auto small = PropertyList::parse(aliasedArrays(100, 100));
    ASSERT_TRUE(small.has_value());
    const QVariantList outer = small->toList();
    ASSERT_EQ(outer.size(), 100);
    EXPECT_EQ(outer.at(99).toList().size(), 100);
    EXPECT_EQ(outer.at(99).toList().at(0).toString(), QStringLiteral("x"));
}

TEST(PropertyList, DateBeyondAnyCalendarIsInvalidAndTheRestIsRead)
{
    // { "d": <date 1e300 seconds>, "CFBundleName": "Foo" }
    QByteArray huge("\x33", 1);
    const double seconds = 1e300;
    quint64 raw = 0;
    std::memcpy(&raw, &seconds, sizeof raw);
    for (int shift = 56; shift >= 0; shift -= 8)
        huge.append(static_cast<char>((raw >> shift) & 0xFF));
    const QByteArray data = binaryPlist({QByteArray("\xD2\x01\x02\x03\x04", 5),
                                         "\x51"
                                         "d",
                                         "\x5C"
                                         "CFBundleName",
                                         huge,
                                         "\x53"
                                         "Foo"});
    const auto map = PropertyList::parseDictionary(data);
    ASSERT_TRUE(map.has_value());
    EXPECT_EQ(map->value("CFBundleName").toString(), QStringLiteral("Foo"));
    EXPECT_FALSE(map->value("d").toDateTime().isValid());
}

TEST(PropertyList, XmlWithoutDeclarationOrPlistWrapper)
{
    const auto bare = PropertyList::parseDictionary(
        "<dict><key>CFBundleName</key><string>Bare &amp; Simple</string><key>n</key><integer> 7 </integer></dict>");
    ASSERT_TRUE(bare.has_value());
    EXPECT_EQ(bare->value("CFBundleName").toString(), QStringLiteral("Bare & Simple"));
    EXPECT_EQ(bare->value("n").toLongLong(), 7);
}
