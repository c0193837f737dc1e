#pragma once
// Recorded drawing operations as text, one per line, for diffing pictures:
//   show
//   width W
//   line X1 Y1 X2 Y2            (foreground colour)
//   line X1 Y1 X2 Y2 #rrggbb
//   pos X Y                     (CurrentX and CurrentY set)
//   print "TEXT"
// Coordinates are user units written as the shortest text that reads back as
// the same 32-bit float.

#include "pattern/recording_surface.h"

#include <string>
#include <vector>

namespace pattern {

// Shortest round-trip text of a float: 25, 18.302326, 1e+20.
std::string FloatText(float value);

// "#ff0000".
std::string ColourText(Rgb colour);

std::string OpsText(const std::vector<DrawOp>& ops);

}  // namespace pattern
