#include "pattern/qt/display_command.h"

#include "pattern/pattern_drawing.h"
#include "pattern/qt/rel_ground.h"

namespace pattern {

void DisplayPattern(const orbit::DesignRecord& design) { DrawPattern(design, RelGround::Instance()); }

}  // namespace pattern
