// Every caption must be readable in its designed rectangle: laid out with the
// control's own font, wrapped at word boundaries where the control wraps, no
// line may be wider than the caption's area and no ink may fall outside it.

#include "tests/windows/design_window/design_window_fixture.h"

#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTextLayout>

namespace {

struct Laid {
    int lines = 0;
    qreal widest = 0;     // advance of the widest line
    qreal inkTop = 0;     // relative to the top of the area
    qreal inkBottom = 0;
};

// Lays out `text` as a top-aligned paragraph of the given width.
Laid LayOut(const QString& text, const QFont& font, qreal width, bool wrap)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    const QFontMetricsF metrics(font);
    Laid laid;
    laid.inkTop = 1e9;
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        const QString part = text.mid(line.textStart(), line.textLength()).trimmed();
        const QRectF ink = metrics.tightBoundingRect(part);
        laid.widest = std::max(laid.widest, line.naturalTextWidth());
        laid.inkTop = std::min(laid.inkTop, y + line.ascent() + ink.top());
        laid.inkBottom = std::max(laid.inkBottom, y + line.ascent() + ink.bottom());
        y += metrics.lineSpacing();
        ++laid.lines;
    }
    layout.endLayout();
    return laid;
}

struct Caption {
    QWidget* control;
    QString text;
    QRect area;    // in the control's coordinates
    bool wrap;
    int lines;     // how many lines it may take at most
    bool exactly;  // ... or must take: the two buttons whose captions wrap
};

class CaptionsInPlace : public DesignWindowTest {
protected:
    std::vector<Caption> Captions()
    {
        std::vector<Caption> captions;
        for (QLabel* label : W().findChildren<QLabel*>()) {
            const bool twoLines = label->wordWrap();
            captions.push_back({label, label->text(), label->contentsRect(), twoLines, twoLines ? 2 : 1, false});
        }
        for (platform::CommandButton* button : W().findChildren<platform::CommandButton*>()) {
            const bool twoLines = button != W().ExitCom;
            captions.push_back({button, button->text(), button->CaptionRect(), true, twoLines ? 2 : 1, true});
        }
        for (QRadioButton* option : W().findChildren<QRadioButton*>()) {
            QStyleOptionButton style;
            style.initFrom(option);
            style.text = option->text();
            const QRect area = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option);
            captions.push_back({option, option->text(), area, false, 1, true});
        }
        return captions;
    }
};

TEST_F(CaptionsInPlace, EveryCaptionFitsItsDesignedRectangle)
{
    const auto captions = Captions();
    ASSERT_EQ(captions.size(), 18u + 3u + 2u);
    for (const Caption& c : captions) {
        const std::string name = c.control->objectName().toStdString();
        const QFont font = c.control->font();
        const Laid laid = LayOut(c.text, font, c.area.width(), c.wrap);
        EXPECT_LE(laid.widest, c.area.width() + 0.01) << name << ": clipped at the side";
        if (c.exactly) {
            EXPECT_EQ(laid.lines, c.lines) << name;
        } else {
            EXPECT_LE(laid.lines, c.lines) << name;
        }
        EXPECT_GE(laid.inkTop, 0) << name << ": clipped at the top";
        EXPECT_LE(laid.inkBottom, c.area.height()) << name << ": clipped at the bottom";
        EXPECT_TRUE(c.control->rect().contains(c.area)) << name;
    }
}

TEST_F(CaptionsInPlace, OnlyCaptionsTheStandInFaceWouldClipAreNarrowed)
{
    // A narrowed caption would be clipped at its stated width; the others
    // keep their font as it is.
    for (const Caption& c : Captions()) {
        const QFont font = c.control->font();
        if (font.stretch() == QFont::AnyStretch || font.stretch() == QFont::Unstretched)
            continue;
        QFont unnarrowed = font;
        unnarrowed.setStretch(QFont::Unstretched);
        EXPECT_GT(LayOut(c.text, unnarrowed, c.area.width(), c.wrap).widest, c.area.width())
            << c.control->objectName().toStdString() << " narrowed without need";
        EXPECT_GE(font.stretch(), 70);
    }
}

TEST_F(CaptionsInPlace, TheFrameTitleLiesWithinTheFrame)
{
    QStyleOptionGroupBox style;
    style.initFrom(W().OrbType);
    style.text = W().OrbType->title();
    style.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect title = W().OrbType->style()->subControlRect(QStyle::CC_GroupBox, &style, QStyle::SC_GroupBoxLabel,
                                                              W().OrbType);
    EXPECT_TRUE(W().OrbType->rect().contains(title));
    EXPECT_GE(title.width(), QFontMetricsF(W().OrbType->font()).horizontalAdvance("Orbit type"));
}

}  // namespace
