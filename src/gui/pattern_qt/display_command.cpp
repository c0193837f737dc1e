#include "pattern_qt/display_command.h"

#include "pattern/pattern_drawing.h"
#include "pattern_qt/rel_ground.h"

namespace pattern {

void DisplayPattern(const orbit::DesignRecord& design) { DrawPattern(design, RelGround::Instance()); }

}  // namespace pattern
