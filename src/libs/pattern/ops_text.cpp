#include "pattern/ops_text.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace pattern {

std::string FloatText(float value)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string ColourText(Rgb colour)
{
    std::array<char, 8> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return buffer.data();
}

std::string OpsText(const std::vector<DrawOp>& ops)
{
    std::string out;
    // CurrentX and CurrentY come as two operations but mean one position: they
    // are written together as one "pos" line, just before the operation that
    // follows them (or at the end). Printing moves the position to the left
    // edge of the next line, whose height only a real surface knows; the
    // display always sets both coordinates before it prints.
    float x = 0, y = 0;
    bool positionPending = false;
    const auto flushPosition = [&] {
        if (positionPending)
            out += "pos " + FloatText(x) + ' ' + FloatText(y) + '\n';
        positionPending = false;
    };

    for (const DrawOp& op : ops) {
        if (op.kind == DrawOp::Kind::CurrentX || op.kind == DrawOp::Kind::CurrentY) {
            (op.kind == DrawOp::Kind::CurrentX ? x : y) = op.x1;
            positionPending = true;
            continue;
        }
        flushPosition();
        switch (op.kind) {
        case DrawOp::Kind::Show:
            out += "show\n";
            break;
        case DrawOp::Kind::DrawWidth:
            out += "width " + std::to_string(op.widthPx) + '\n';
            break;
        case DrawOp::Kind::Line:
            out += "line " + FloatText(op.x1) + ' ' + FloatText(op.y1) + ' ' + FloatText(op.x2) + ' ' +
                   FloatText(op.y2);
            if (op.colour)
                out += ' ' + ColourText(*op.colour);
            out += '\n';
            break;
        case DrawOp::Kind::Print:
            out += "print \"" + op.text + "\"\n";
            x = 0;
            break;
        case DrawOp::Kind::CurrentX:
        case DrawOp::Kind::CurrentY:
            break;
        }
    }
    flushPosition();
    return out;
}

}  // namespace pattern
