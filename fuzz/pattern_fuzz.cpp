// The pattern drawing on the recording surface. The first byte chooses the
// design: solved from small whole inputs (what users reach), or a design
// record of raw doubles (anything a caller could hand over). The drawing
// either completes with one labelled line a day and the two scale bars, or
// stops with a documented error; every coordinate it hands on is finite.

#include "core/orbit_error.h"
#include "core/repbas.h"
#include "core/repeat_orbit_solver.h"
#include "fuzz/fuzz_check.h"
#include "pattern/ops_text.h"
#include "pattern/pattern_drawing.h"
#include "pattern/recording_surface.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

using orbit::ErrorKind;
using pattern::DrawOp;

double RawAt(const std::uint8_t* data, std::size_t size, std::size_t index)
{
    double value = 0;
    if ((index + 1) * sizeof value <= size)
        std::memcpy(&value, data + index * sizeof value, sizeof value);
    return value;
}

double SmallAt(const std::uint8_t* data, std::size_t size, std::size_t index)
{
    return index < size ? static_cast<std::int8_t>(data[index]) : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0];
    ++data;
    --size;

    orbit::DesignRecord design;
    if (mode & 1) {
        design.N = RawAt(data, size, 0);
        design.M = RawAt(data, size, 1);
        design.Q = RawAt(data, size, 2);
        design.Incl = RawAt(data, size, 3);
        design.NodalPeriod = RawAt(data, size, 4);
        design.NodeRate = RawAt(data, size, 5);
        design.NodeSpacing = RawAt(data, size, 6);
        design.NodeSpacingDeg = RawAt(data, size, 7);
        design.MeanMotion = RawAt(data, size, 8);
        // A pattern of tens of thousands of days is valid but slow to fuzz.
        if (std::fabs(design.Q) > 2000)
            return 0;
    } else {
        const auto type = (mode & 2) ? orbit::OrbitType::SunSynchronous : orbit::OrbitType::ChooseInclination;
        const double q = std::fabs(SmallAt(data, size, 2));
        try {
            orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(SmallAt(data, size, 0), SmallAt(data, size, 1),
                                                                    q, type, std::fabs(SmallAt(data, size, 3)),
                                                                    std::fmod(std::fabs(SmallAt(data, size, 4)), 10)),
                                    {}, design);
        } catch (const orbit::OrbitError&) {
            return 0;  // the solver has its own target
        }
    }

    pattern::RecordingSurface surface;
    bool completed = false;
    try {
        pattern::DrawPattern(design, surface);
        completed = true;
    } catch (const orbit::OrbitError& e) {
        fuzz::CheckError(e, {ErrorKind::Overflow, ErrorKind::DivisionByZero});
    }

    const auto& ops = surface.Ops();
    fuzz::Check(ops.size() >= 2 && ops[0].kind == DrawOp::Kind::Show && ops[1].kind == DrawOp::Kind::DrawWidth,
                "shown first, then the pen");
    long long days = 0;
    for (const DrawOp& op : ops) {
        for (const float v : {op.x1, op.y1, op.x2, op.y2})
            fuzz::Check(std::isfinite(v), "finite coordinate");
        if (op.kind == DrawOp::Kind::Line && !op.colour)
            ++days;
    }
    if (completed) {
        const long long expected = design.Q >= 0 ? static_cast<long long>(std::floor(design.Q)) + 1 : 0;
        fuzz::Check(days == expected, "one line a day", std::to_string(days) + " of " + std::to_string(expected));
        fuzz::Check(ops.back().kind == DrawOp::Kind::Print, "ends with the second bar's label");
    }
    fuzz::Check(!pattern::OpsText(ops).empty(), "ops as text");
    return 0;
}
