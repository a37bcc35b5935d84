#pragma once

#include <QString>

namespace roror {

// One switch of the safeguard sheet, for one catalogue step.
struct OptimizeWhitelistOption {
    QString id;

    // The step's name in the current language; the id itself for an unknown step.
    QString title() const;
    // What protecting the step means, in the current language.
    QString detail() const;

    bool operator==(const OptimizeWhitelistOption&) const = default;
};

} // namespace roror
