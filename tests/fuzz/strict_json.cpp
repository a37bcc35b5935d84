// The strict JSON reader, on UTF-8 text and on raw UTF-16 (lone surrogates included).
#include "core/model/StrictJson.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace roror;
    strictJson::SyntaxError error;
    const QString text = QString::fromUtf8(fuzz::bytes(data, size));
    const auto value = strictJson::parse(text, &error);
    // A refusal always says where.
    if (!value && (error.offset < 0 || error.offset > text.size() || error.line < 1 || error.column < 1))
        std::abort();
    QString units(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    for (size_t i = 0; i + 1 < size; i += 2)
        units[static_cast<qsizetype>(i / 2)] = QChar(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    strictJson::parse(units, &error);
    return 0;
}
