#include "display_command.h"

#include "pattern_drawing.h"
#include "rel_ground.h"

namespace pattern {

void DisplayPattern(const orbit::DesignRecord& design) { DrawPattern(design, RelGround::Instance()); }

}  // namespace pattern
