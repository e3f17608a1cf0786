#pragma once

#include <stdexcept>
#include <string>

namespace dialtally {

// Raised by every routine that reads a number, date or time from text that
// does not hold one. Callers decide what it means (the log reader turns it
// into its parsing message).
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace dialtally
