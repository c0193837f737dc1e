#pragma once
// What every fuzz target shares: a check that stops the run with a message
// when a property fails, so libFuzzer keeps the input that broke it, and the
// exact text each error kind must carry.

#include "core/orbit_error.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

namespace fuzz {

[[noreturn]] inline void Fail(const char* what, const std::string& detail = {})
{
    std::fprintf(stderr, "property failed: %s %s\n", what, detail.c_str());
    std::abort();
}

inline void Check(bool holds, const char* what, const std::string& detail = {})
{
    if (!holds)
        Fail(what, detail);
}

// An error must be of one of the kinds the caller allows and carry that
// kind's text word for word (the no-convergence text is the solver's own).
inline void CheckError(const orbit::OrbitError& e, std::initializer_list<orbit::ErrorKind> allowed,
                       const char* noConvergenceText = nullptr)
{
    for (const orbit::ErrorKind kind : allowed) {
        if (e.Kind() != kind)
            continue;
        const std::string expected = kind == orbit::ErrorKind::NoConvergence && noConvergenceText
                                         ? noConvergenceText
                                         : orbit::DefaultErrorText(kind);
        Check(e.what() == expected, "error text", e.what());
        return;
    }
    Fail("unexpected error kind", e.what());
}

}  // namespace fuzz
