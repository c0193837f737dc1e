#include "export/text_lines.h"

#include "core/angle_wrap.h"
#include "core/orbit_error.h"

#include <cmath>
#include <cstdio>

namespace orbit::exports {

std::string Fixed(double value, int decimals, std::string_view what)
{
    if (!std::isfinite(value))
        throw OrbitError(ErrorKind::InvalidArgument, "The " + std::string(what) + " to export is not a finite number");
    char buffer[64];
    // %f of a double is locale-independent only in the "C" locale, which the
    // program never leaves; the width is bounded by the orbit's figures.
    const int length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof buffer)
        throw OrbitError(ErrorKind::InvalidArgument, "The " + std::string(what) + " to export is out of range");
    // "-0.000" is a zero; a reader must not see a sign that means nothing.
    std::string text(buffer, static_cast<std::size_t>(length));
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string FixedDegrees(double angleDeg, int decimals, std::string_view what)
{
    double angle = orbit::WrapModuloOpen(angleDeg, 360.0);
    const double scale = std::pow(10.0, decimals);
    if (std::round(angle * scale) / scale >= 360)
        angle -= 360;
    return Fixed(angle, decimals, what);
}

const std::string& PlainText(const std::string& text, std::string_view what)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            throw OrbitError(ErrorKind::Usage, "The " + std::string(what) + " holds a control character or a line break");
    return text;
}

}  // namespace orbit::exports
