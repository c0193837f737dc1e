#pragma once
// The orbit type is chosen with the option array OptionIncl: member 0 is
// "Sun-synchronous", member 1 "Choose inclination". This is the one place
// that ties a member's index to the orbit type it stands for.

#include "core/repeat_orbit_solver.h"

#include <cstdint>

namespace design_window {

constexpr std::int16_t OptionIndexOf(orbit::OrbitType type)
{
    return type == orbit::OrbitType::SunSynchronous ? 0 : 1;
}

// Only "Choose inclination" asks for an inclination of the user's own; any
// other index is taken as sun-synchronous.
constexpr orbit::OrbitType OrbitTypeOfOption(int index)
{
    return index == OptionIndexOf(orbit::OrbitType::ChooseInclination) ? orbit::OrbitType::ChooseInclination
                                                                       : orbit::OrbitType::SunSynchronous;
}

}  // namespace design_window
