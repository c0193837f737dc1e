#pragma once
// The one error type of the whole system. It carries the text the user sees;
// the window layer shows it in a message box, the command line prints it.

#include <stdexcept>
#include <string>

namespace orbit {

inline constexpr const char* kOverflow = "Overflow";
inline constexpr const char* kDivisionByZero = "Division by zero";
inline constexpr const char* kTypeMismatch = "Type mismatch";

class OrbitError : public std::runtime_error {
public:
    explicit OrbitError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace orbit
