#include "window_font.h"

#include <QFontDatabase>

namespace design_window {

namespace {

QFont DesignFace(double points)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

}  // namespace

QFont WindowDefaultFont() { return DesignFace(kDefaultFontPoints); }

QFont ControlFont(const FontSpec& spec)
{
    if (spec.points == 0)
        return WindowDefaultFont();
    QFont font = DesignFace(spec.points);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    return font;
}

}  // namespace design_window
