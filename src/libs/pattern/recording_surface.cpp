#include "pattern/recording_surface.h"

namespace pattern {

namespace {

DrawOp Op(DrawOp::Kind kind)
{
    DrawOp op;
    op.kind = kind;
    return op;
}

}  // namespace

void RecordingSurface::Show() { ops_.push_back(Op(DrawOp::Kind::Show)); }

void RecordingSurface::DrawWidth(int widthPx)
{
    DrawOp op = Op(DrawOp::Kind::DrawWidth);
    op.widthPx = widthPx;
    ops_.push_back(op);
}

void RecordingSurface::Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour)
{
    DrawOp op = Op(DrawOp::Kind::Line);
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.colour = colour;
    ops_.push_back(op);
}

void RecordingSurface::CurrentX(float x)
{
    DrawOp op = Op(DrawOp::Kind::CurrentX);
    op.x1 = x;
    ops_.push_back(op);
}

void RecordingSurface::CurrentY(float y)
{
    DrawOp op = Op(DrawOp::Kind::CurrentY);
    op.x1 = y;
    ops_.push_back(op);
}

void RecordingSurface::Print(const std::string& text)
{
    DrawOp op = Op(DrawOp::Kind::Print);
    op.text = text;
    ops_.push_back(op);
}

}  // namespace pattern
