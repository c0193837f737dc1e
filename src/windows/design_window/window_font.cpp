#include "design_window/window_font.h"

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

QFont ControlFont(const FontChoice& choice)
{
    if (choice.points == 0)
        return WindowDefaultFont();
    QFont font = DesignFace(choice.points);
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    return font;
}

}  // namespace design_window
