#include "export/export_limits.h"

#include <cstdio>

namespace orbit::exports {

std::string LimitText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace orbit::exports
