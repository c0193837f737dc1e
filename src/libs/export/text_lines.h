#pragma once
// The few text rules every export writer follows: numbers written with a
// point whatever the locale and never as "nan", and names that cannot break
// a line-based format.

#include <string>
#include <string_view>

namespace orbit::exports {

// `value` with `decimals` digits after the point. Throws OrbitError
// (InvalidArgument) naming `what` when the value is not finite: a file
// holding "nan" would be read as corrupt, or worse, as a number.
std::string Fixed(double value, int decimals, std::string_view what);

// An angle in [0, 360) degrees with `decimals` digits, such that the text
// too stays below 360: 359.99999999999 is written as 0.000..., not 360.
std::string FixedDegrees(double angleDeg, int decimals, std::string_view what);

// `text` as it is, after checking it holds no control character (a line
// feed would start a new keyword in a KVN file or a new statement in a
// script). Throws OrbitError (Usage) naming `what`.
const std::string& PlainText(const std::string& text, std::string_view what);

}  // namespace orbit::exports
