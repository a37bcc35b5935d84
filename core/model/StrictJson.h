#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace roror::strictJson {

// A JSON value as written, keeping what a generic document model loses: whether a number is
// exactly an integer in the 64-bit range, whatever its spelling (87, 87.0, 8.7e1).
struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    struct Member;

    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::optional<qint64> integer; // the exact value when the number is integral and fits
    QString string;
    std::vector<Value> elements;
    std::vector<Member> members;

    // The value under `key` (the last one when a key repeats), or nullptr when missing.
    const Value* find(QStringView key) const;
};

struct Value::Member {
    QString key;
    Value value;
};

// Why text is not a JSON document; `offset` counts UTF-16 units from the start.
struct SyntaxError {
    QString what;
    qsizetype offset = 0;
    int line = 1;
    int column = 1;
};

// Reads exactly one JSON value (RFC 8259) surrounded by white space; a leading byte-order
// mark is skipped. Rejects lone surrogates, raw control characters, numbers beyond the
// double range and nesting deeper than 512. Never throws.
std::optional<Value> parse(QStringView text, SyntaxError* error);

} // namespace roror::strictJson
