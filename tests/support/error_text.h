#pragma once
// What a call throws: the text of its OrbitError, "" when it throws none, or
// the error's kind. Tests decide on the text where the text is what the user
// is promised ("Overflow"), and on the kind elsewhere.

#include "core/orbit_error.h"

#include <optional>
#include <string>

template <typename Call>
std::string ErrorOf(Call&& call)
{
    try {
        call();
    } catch (const orbit::OrbitError& e) {
        return e.what();
    }
    return "";
}

template <typename Call>
std::optional<orbit::ErrorKind> ErrorKindOf(Call&& call)
{
    try {
        call();
    } catch (const orbit::OrbitError& e) {
        return e.Kind();
    }
    return std::nullopt;
}
