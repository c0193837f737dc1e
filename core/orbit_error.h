#pragma once
// The one error type of the whole system. It carries the text the user sees
// (the window layer shows it in a message box, the command line prints it)
// and a kind, on which callers and tests decide without reading the text.

#include <stdexcept>
#include <string>

namespace orbit {

enum class ErrorKind {
    Overflow,              // "Overflow": an invalid operation, or a result beyond its type
    DivisionByZero,        // "Division by zero": a non-zero value divided by zero
    TypeMismatch,          // "Type mismatch": a field's text is not a number
    NoConvergence,         // a Newton solve that did not settle within its step cap
    InvalidArgument,       // "Invalid procedure call or argument": a surface given what it cannot take
    InvalidPropertyValue,  // "Invalid property value": a pen width out of range
    Usage,                 // a request that is wrong in itself (a search band upside down, a bad scale)
    File,                  // a file that cannot be read or written
    NoPictureSupport,      // a picture asked of a build without the windows
};

// The text a kind carries unless the thrower words its own.
const char* DefaultErrorText(ErrorKind kind);

class OrbitError : public std::runtime_error {
public:
    explicit OrbitError(ErrorKind kind) : std::runtime_error(DefaultErrorText(kind)), kind_(kind) {}
    OrbitError(ErrorKind kind, const std::string& text) : std::runtime_error(text), kind_(kind) {}

    ErrorKind Kind() const { return kind_; }

private:
    ErrorKind kind_;
};

}  // namespace orbit
