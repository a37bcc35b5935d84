#pragma once

#include <QString>
#include <exception>

namespace roror {

// Base of every error the update service raises; the description is the text shown to the user.
class UpdateError : public std::exception {
public:
    virtual QString errorDescription() const = 0;
    const char* what() const noexcept override { return "roror update error"; }
};

// The feed or a download could not be loaded at all (no connection, time-out, broken transfer).
// The description is the network layer's own wording.
class UpdateTransportError : public UpdateError {
public:
    UpdateTransportError(int code, QString description)
        : m_code(code)
        , m_description(std::move(description))
    {
    }
    int code() const { return m_code; }
    QString errorDescription() const override { return m_description; }
    bool operator==(const UpdateTransportError& other) const
    {
        return m_code == other.m_code && m_description == other.m_description;
    }

private:
    int m_code;
    QString m_description;
};

// The feed's body is not the record it should be.
class UpdateDecodingError : public UpdateError {
public:
    enum class Kind {
        dataCorrupted, // not JSON, or a text that should be an address is not one
        keyNotFound,   // a required key is missing
        valueNotFound, // a required key holds null
        typeMismatch,  // a key holds a value of the wrong JSON type
    };

    UpdateDecodingError(Kind kind, QString key)
        : m_kind(kind)
        , m_key(std::move(key))
    {
    }
    Kind kind() const { return m_kind; }
    // The JSON key at fault; empty when the document as a whole is at fault.
    QString key() const { return m_key; }
    QString errorDescription() const override;
    bool operator==(const UpdateDecodingError& other) const { return m_kind == other.m_kind && m_key == other.m_key; }

private:
    Kind m_kind;
    QString m_key;
};

} // namespace roror
