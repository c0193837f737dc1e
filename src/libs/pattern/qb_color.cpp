#include "pattern/qb_color.h"

#include "core/orbit_error.h"

#include <array>

namespace pattern {

namespace {

// The classic 16-colour text-mode palette: eight dark colours, then their
// bright counterparts (index 8 is the dark grey between them).
constexpr std::array<Rgb, 16> kPalette{{
    {0, 0, 0},       {0, 0, 128},     {0, 128, 0},     {0, 128, 128},
    {128, 0, 0},     {128, 0, 128},   {128, 128, 0},   {192, 192, 192},
    {128, 128, 128}, {0, 0, 255},     {0, 255, 0},     {0, 255, 255},
    {255, 0, 0},     {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
}};

}  // namespace

Rgb QBColor(int paletteIndex)
{
    if (paletteIndex < 0 || paletteIndex >= static_cast<int>(kPalette.size()))
        throw orbit::OrbitError(orbit::ErrorKind::InvalidArgument);
    return kPalette[static_cast<std::size_t>(paletteIndex)];
}

}  // namespace pattern
