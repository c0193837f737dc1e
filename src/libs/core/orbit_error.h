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

// Which input of a request a Usage error is about, when the layer that
// checks the request is not the one the user typed it into: the command line
// names it as its option, a window as its box.
enum class RequestInput {
    None,
    AltitudeMinKm,    // the lowest mean altitude of a search band
    AltitudeMaxKm,    // the highest
    MinDays,          // the shortest repeat cycle searched
    MaxDays,          // the longest
    RowLimit,         // how many rows a search keeps
    SwathKm,          // an instrument's full swath width
    Satellites,       // satellites sharing the orbit
    LatitudeStepDeg,  // the step of a table by latitude
};

class OrbitError : public std::runtime_error {
public:
    explicit OrbitError(ErrorKind kind) : std::runtime_error(DefaultErrorText(kind)), kind_(kind) {}
    OrbitError(ErrorKind kind, const std::string& text) : std::runtime_error(text), kind_(kind) {}
    // A Usage error about one input: `reason` says what is wrong with it
    // ("must lie above the Earth's surface (0 km or more)") without naming
    // it, and `value` is the value refused.
    OrbitError(RequestInput input, double value, const std::string& reason)
        : std::runtime_error(reason), kind_(ErrorKind::Usage), input_(input), value_(value)
    {
    }

    ErrorKind Kind() const { return kind_; }
    RequestInput Input() const { return input_; }
    double Value() const { return value_; }

private:
    ErrorKind kind_;
    RequestInput input_ = RequestInput::None;
    double value_ = 0;
};

}  // namespace orbit
