#include "core/orbit_error.h"

#include "core/repbas.h"

namespace orbit {

const char* DefaultErrorText(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::Overflow:
        return "Overflow";
    case ErrorKind::DivisionByZero:
        return "Division by zero";
    case ErrorKind::TypeMismatch:
        return "Type mismatch";
    case ErrorKind::NoConvergence:
        return RepBas::NoConvergenceText();
    case ErrorKind::InvalidArgument:
        return "Invalid procedure call or argument";
    case ErrorKind::InvalidPropertyValue:
        return "Invalid property value";
    case ErrorKind::Usage:
        return "Invalid request";
    case ErrorKind::File:
        return "Cannot read or write the file";
    case ErrorKind::NoPictureSupport:
        return "This build has no picture support: it was made without the windows (Qt)";
    }
    return "Unexpected error";
}

}  // namespace orbit
