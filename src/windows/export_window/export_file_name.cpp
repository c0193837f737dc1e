#include "export_window/export_file_name.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace export_window {

namespace {

using orbit::ephemeris::NodeGiven;

std::string Printed(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The descending node's mean local time as hhmm: a local time given for
// either node names the same plane, and the descending node's is the one a
// sun-synchronous mission is known by.
std::string LtdnText(const orbit::ephemeris::NodeRequest& node)
{
    const double ltdnH = node.given == NodeGiven::Ltdn ? node.value : node.value + 12;
    const long minutes = ((std::lround(ltdnH * 60) % 1440) + 1440) % 1440;
    char text[16];
    std::snprintf(text, sizeof text, "%02ld%02ld", minutes / 60, minutes % 60);
    return text;
}

}  // namespace

std::string ProposedFileName(const orbit::DesignRecord& record, orbit::OrbitType type,
                             const orbit::ephemeris::NodeRequest& node, orbit::exports::ExportFormat format)
{
    std::string name = Printed("N%g", record.N) + Printed("M%g", record.M) + Printed("Q%g", record.Q);
    const bool sunSync = type == orbit::OrbitType::SunSynchronous;
    if (sunSync)
        name += "-ss";
    else
        name += Printed("-i%.1f", record.Incl * 180 / std::numbers::pi);
    if (node.given == NodeGiven::RaanEme2000)
        name += Printed("-raan%g", node.value);
    else
        name += (sunSync ? "-" : "-ltdn") + LtdnText(node);
    return name + "." + orbit::exports::FileSuffix(format);
}

}  // namespace export_window
