#include "map/day_colours.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace world_map {

namespace {

// The path through CIELAB: lightness and hue angle (degrees) at both ends,
// and the chroma asked for, lowered where sRGB cannot show it.
constexpr double kFirstLightness = 30, kLastLightness = 68;
constexpr double kFirstHueDeg = 300, kLastHueDeg = 50;
constexpr double kChroma = 50;

// D65 white, and the CIE's linear map from XYZ to linear sRGB.
constexpr double kWhiteX = 0.95047, kWhiteY = 1.0, kWhiteZ = 1.08883;

double LabInverse(double t)
{
    constexpr double delta = 6.0 / 29;
    return t > delta ? t * t * t : 3 * delta * delta * (t - 4.0 / 29);
}

struct Linear {
    double red, green, blue;

    bool InGamut() const
    {
        constexpr double slack = 1e-9;
        return red >= -slack && red <= 1 + slack && green >= -slack && green <= 1 + slack && blue >= -slack &&
               blue <= 1 + slack;
    }
};

Linear LabToLinearRgb(double lightness, double a, double b)
{
    const double fy = (lightness + 16) / 116;
    const double x = kWhiteX * LabInverse(fy + a / 500);
    const double y = kWhiteY * LabInverse(fy);
    const double z = kWhiteZ * LabInverse(fy - b / 200);
    return {3.2404542 * x - 1.5371385 * y - 0.4985314 * z, -0.9692660 * x + 1.8760108 * y + 0.0415560 * z,
            0.0556434 * x - 0.2040259 * y + 1.0572252 * z};
}

std::uint8_t Encode(double linear)
{
    const double c = std::clamp(linear, 0.0, 1.0);
    const double encoded = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(encoded * 255));
}

double Decode(std::uint8_t channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

Rgb ColourMapAt(double position)
{
    const double t = std::clamp(position, 0.0, 1.0);
    const double lightness = kFirstLightness + (kLastLightness - kFirstLightness) * t;
    const double hue = (kFirstHueDeg + (kLastHueDeg - kFirstHueDeg) * t) * std::numbers::pi / 180;
    // The strongest chroma up to kChroma that sRGB can show at this
    // lightness and hue, so the lightness stays exactly on its ramp.
    double low = 0, high = kChroma;
    if (!LabToLinearRgb(lightness, high * std::cos(hue), high * std::sin(hue)).InGamut())
        for (int i = 0; i < 30; ++i) {
            const double mid = 0.5 * (low + high);
            (LabToLinearRgb(lightness, mid * std::cos(hue), mid * std::sin(hue)).InGamut() ? low : high) = mid;
        }
    else
        low = high;
    const Linear c = LabToLinearRgb(lightness, low * std::cos(hue), low * std::sin(hue));
    return {Encode(c.red), Encode(c.green), Encode(c.blue)};
}

Rgb DayColour(int day, int days)
{
    return ColourMapAt(days > 1 ? static_cast<double>(day) / (days - 1) : 0.0);
}

double Lightness(Rgb colour)
{
    const double y =
        0.2126729 * Decode(colour.red) + 0.7151522 * Decode(colour.green) + 0.0721750 * Decode(colour.blue);
    constexpr double delta = 6.0 / 29;
    const double f = y > delta * delta * delta ? std::cbrt(y) : y / (3 * delta * delta) + 4.0 / 29;
    return 116 * f - 16;
}

}  // namespace world_map
