#pragma once
// The text of the OrbitError a call throws, or "" when it throws none.

#include "core/orbit_error.h"

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
