#pragma once
// Screen readers see a spin control as a spin box with a value, a range and
// the actions "increase" and "decrease".

namespace platform {

// Registers the accessibility factory once; safe to call any number of times.
void InstallSpinControlAccessibility();

}  // namespace platform
