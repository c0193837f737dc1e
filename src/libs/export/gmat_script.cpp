#include "export/gmat_script.h"

#include "export/text_lines.h"

#include "core/orbit_error.h"

#include <cctype>
#include <cmath>

namespace orbit::exports {

namespace {

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

void Line(std::string& out, const std::string& text)
{
    out += text;
    out += '\n';
}

}  // namespace

std::string GmatGregorian(const std::string& isoUtc)
{
    // YYYY-MM-DDThh:mm:ss.fffZ: fixed columns.
    if (isoUtc.size() < 20 || isoUtc[4] != '-' || isoUtc[7] != '-' || isoUtc[10] != 'T')
        throw OrbitError(ErrorKind::InvalidArgument, "Not an ISO 8601 UTC time: " + isoUtc);
    const int month = std::stoi(isoUtc.substr(5, 2));
    if (month < 1 || month > 12)
        throw OrbitError(ErrorKind::InvalidArgument, "Not an ISO 8601 UTC time: " + isoUtc);
    std::string time = isoUtc.substr(11);
    if (time.back() == 'Z')
        time.pop_back();
    if (time.find('.') == std::string::npos)
        time += ".000";
    return isoUtc.substr(8, 2) + ' ' + kMonths[month - 1] + ' ' + isoUtc.substr(0, 4) + ' ' + time;
}

std::string GmatName(const std::string& text)
{
    std::string name;
    for (const char c : text)
        name += std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x80 ? c : '_';
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name.front())))
        name.insert(0, "SC_");
    return name;
}

std::string WriteGmatScript(const GmatContent& c)
{
    if (c.zonalDegree < 2)
        throw OrbitError(ErrorKind::InvalidArgument, "The field's degree must be 2 or more");
    if (!(c.spanS > 0) || !std::isfinite(c.spanS))
        throw OrbitError(ErrorKind::InvalidArgument, "The span to propagate must be a positive number of seconds");
    const std::string sc = GmatName(c.spacecraftName);
    const std::string fm = sc + "_ForceModel";
    const std::string prop = sc + "_Propagator";
    std::string out;
    for (const std::string& comment : c.comments)
        Line(out, "% " + PlainText(comment, "comment"));
    Line(out, "");

    Line(out, "Create Spacecraft " + sc + ';');
    Line(out, sc + ".DateFormat = UTCGregorian;");
    Line(out, sc + ".Epoch = '" + GmatGregorian(PlainText(c.epochUtc, "epoch")) + "';");
    Line(out, sc + ".CoordinateSystem = EarthMJ2000Eq;");
    Line(out, sc + ".DisplayStateType = Cartesian;");
    static constexpr const char* kPosition[] = {"X", "Y", "Z"};
    static constexpr const char* kVelocity[] = {"VX", "VY", "VZ"};
    for (std::size_t k = 0; k < 3; ++k)
        Line(out, sc + '.' + kPosition[k] + " = " + Fixed(c.state.positionKm[k], 9, "position") + ';');
    for (std::size_t k = 0; k < 3; ++k)
        Line(out, sc + '.' + kVelocity[k] + " = " + Fixed(c.state.velocityKmS[k], 12, "velocity") + ';');
    Line(out, "");

    // GMAT reads the field's coefficients from the files it ships; EGM2008 is
    // not among them, so its EGM96 stands in. Their low zonal terms agree
    // closely, and GMAT turns the field about the Earth's pole of date where
    // the orbit here was propagated about the J2000 pole: over a cycle the two
    // runs part by far less than the orbit's own motion, not by nothing.
    Line(out, "% The Earth's zonal field only (order 0), to the degree of the model the orbit was designed");
    Line(out, "% under. GMAT ships EGM96, not EGM2008, as data/gravity/earth/EGM96.cof, so EGM96 stands in.");
    Line(out, "% No drag, no Sun or Moon, no radiation pressure: the orbit as it was designed.");
    Line(out, "Create ForceModel " + fm + ';');
    Line(out, fm + ".CentralBody = Earth;");
    Line(out, fm + ".PrimaryBodies = {Earth};");
    Line(out, fm + ".GravityField.Earth.Degree = " + std::to_string(c.zonalDegree) + ';');
    Line(out, fm + ".GravityField.Earth.Order = 0;");
    Line(out, fm + ".GravityField.Earth.PotentialFile = 'EGM96.cof';");
    Line(out, fm + ".Drag.AtmosphereModel = None;");
    Line(out, fm + ".SRP = Off;");
    Line(out, fm + ".RelativisticCorrection = Off;");
    Line(out, fm + ".ErrorControl = RSSStep;");
    Line(out, "");

    Line(out, "Create Propagator " + prop + ';');
    Line(out, prop + ".FM = " + fm + ';');
    Line(out, prop + ".Type = RungeKutta89;");
    Line(out, prop + ".InitialStepSize = 60;");
    Line(out, prop + ".Accuracy = 1e-12;");
    Line(out, prop + ".MinStep = 0.001;");
    Line(out, prop + ".MaxStep = 600;");
    Line(out, prop + ".MaxStepAttempts = 50;");
    Line(out, "");

    Line(out, "BeginMissionSequence;");
    Line(out, "Propagate " + prop + '(' + sc + ") {" + sc + ".ElapsedSecs = " + Fixed(c.spanS, 6, "span") + "};");
    return out;
}

}  // namespace orbit::exports
