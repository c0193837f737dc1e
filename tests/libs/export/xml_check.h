#pragma once
// A plain check that a text is well-formed XML 1.0, enough for a KML file:
// one root element, tags that nest and match, quoted attributes each named
// once, entity references that exist, no bare "<" or "&" in text. No DTD.

#include <string>

namespace orbit::exports::testing {

// Empty when `text` is well-formed, else what is wrong and where.
std::string XmlProblem(const std::string& text);

}  // namespace orbit::exports::testing
