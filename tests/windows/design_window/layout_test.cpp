#include "tests/windows/design_window/design_window_fixture.h"

#include "core/result_fields.h"
#include "design_window/window_icon.h"
#include "platform/line_control.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>

namespace {

class Layout : public DesignWindowTest {};

// The design, transcribed: name, kind, caption or text, and place in twips.
struct Designed {
    const char* name;
    const char* kind;
    const char* caption;
    int left, top, width, height;
};

const Designed kDesign[] = {
    {"Label1", "QLabel", "N", 240, 720, 255, 255},
    {"NinputText", "platform::TextBox", "15", 600, 720, 495, 285},
    {"UpDownN", "platform::SpinControl", "", 1200, 600, 240, 525},
    {"Label6", "QLabel", "Integer number of revs/day", 1680, 720, 2175, 255},
    {"Label3", "QLabel", "M", 240, 1320, 255, 255},
    {"MinputText", "platform::TextBox", "1", 600, 1320, 495, 285},
    {"UpDownM", "platform::SpinControl", "", 1200, 1200, 240, 525},
    {"Label5", "QLabel", "Ground track matches that of the first day + \"M\" revs ", 1680, 1320, 2415, 375},
    {"Label4", "QLabel", "Q", 240, 1920, 255, 375},
    {"QinputText", "platform::TextBox", "1", 600, 1920, 495, 285},
    {"UpDownQ", "platform::SpinControl", "", 1200, 1800, 240, 525},
    {"Label7", "QLabel", "Ground track synchronized after this number of days", 1680, 1920, 2535, 375},
    {"Label12", "QLabel", "i", 240, 2520, 255, 255},
    {"InclText", "platform::TextBox", "65", 600, 2520, 375, 285},
    {"Label19", "QLabel", ".", 1080, 2520, 135, 375},
    {"Incl01Text", "platform::TextBox", "0", 1200, 2520, 375, 285},
    {"UpDown10i", "platform::SpinControl", "", 1680, 2520, 240, 495},
    {"UpDown1i", "platform::SpinControl", "", 2040, 2520, 240, 495},
    {"UpDown01i", "platform::SpinControl", "", 2400, 2520, 240, 495},
    {"Label8", "QLabel", "10", 1680, 3120, 255, 255},
    {"Label9", "QLabel", "1", 2040, 3120, 135, 255},
    {"Label10", "QLabel", "0.1", 2400, 3120, 255, 255},
    {"Label11", "QLabel", "inclination, degrees", 2760, 2520, 855, 495},
    {"OrbType", "QGroupBox", "Orbit type", 360, 3600, 2055, 1335},
    {"OptionIncl(0)", "QRadioButton", "Sun-synchronous", 360 + 240, 3600 + 360, 1575, 255},
    {"OptionIncl(1)", "QRadioButton", "Choose inclination", 360 + 240, 3600 + 720, 1695, 375},
    {"ExitCom", "platform::CommandButton", "Exit", 360, 5520, 1215, 375},
    {"ComputeCom", "platform::CommandButton", "Compute orbital elements", 4920, 960, 1575, 735},
    {"DispCom", "platform::CommandButton", "Display pattern", 5400, 1920, 1095, 495},
    {"Label17", "QLabel", "Nr of revs", 3960, 3240, 735, 255},
    {"NrOfRevs", "platform::TextBox", "", 4800, 3240, 1215, 285},
    {"Label13", "QLabel", "Semi-major axis (km)", 3120, 3720, 1575, 255},
    {"AxelBox", "platform::TextBox", "", 4800, 3720, 1215, 285},
    {"Label14", "QLabel", "Mean altitude (km)", 3240, 4200, 1455, 255},
    {"AvAltBox", "platform::TextBox", "", 4800, 4200, 1215, 285},
    {"Label15", "QLabel", "Mean motion revs/day", 2880, 4680, 1815, 255},
    {"MeanMotBox", "platform::TextBox", "", 4800, 4680, 1215, 285},
    {"Label18", "QLabel", "Nodal period (min)", 3240, 5160, 1455, 255},
    {"TNtext", "platform::TextBox", "", 4800, 5160, 1215, 285},
    {"Label16", "QLabel", "Sun-Synchronous inclination, deg", 2160, 5640, 2535, 255},
    {"InclOutBox", "platform::TextBox", "", 4800, 5640, 1215, 285},
};

QString CaptionOf(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* box = qobject_cast<QLineEdit*>(control))
        return box->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control))
        return frame->title();
    return {};
}

TEST_F(Layout, FiftyControlsUnderTheirNamesInTheirDesignedPlaces)
{
    EXPECT_EQ(W().windowTitle(), "Design Repeating Pattern Orbit");
    EXPECT_EQ(W().size(), QSize(468, 429));  // 7020 x 6435 twips at 96 dpi
    const QRect client = W().rect();
    int count = 0;
    for (const Designed& d : kDesign) {
        auto* control = W().findChild<QWidget*>(d.name);
        ASSERT_NE(control, nullptr) << d.name;
        EXPECT_STREQ(control->metaObject()->className(), d.kind) << d.name;
        EXPECT_EQ(CaptionOf(control), QString::fromUtf8(d.caption)) << d.name;
        const QRect placed(control->mapTo(&W(), QPoint(0, 0)), control->size());
        EXPECT_EQ(placed, QRect(d.left / 15, d.top / 15, d.width / 15, d.height / 15)) << d.name;
        EXPECT_TRUE(client.contains(placed)) << d.name;
        ++count;
    }
    count += static_cast<int>(W().findChildren<platform::LineControl*>().size());
    EXPECT_EQ(count, 50);
    EXPECT_EQ(W().findChildren<QLabel*>().size(), 18);
    EXPECT_EQ(W().findChildren<platform::TextBox*>().size(), 11);
    EXPECT_EQ(W().findChildren<platform::SpinControl*>().size(), 6);
    EXPECT_EQ(W().findChildren<platform::CommandButton*>().size(), 3);
    EXPECT_EQ(W().findChildren<QRadioButton*>().size(), 2);
    EXPECT_EQ(W().OptionIncl->Member(1)->objectName(), "OptionIncl(1)");
}

TEST_F(Layout, NineLinesTwoPixelsWideDrawTheTwoArrows)
{
    struct DesignedLine {
        const char* name;
        int x1, y1, x2, y2;
    };
    const DesignedLine lines[] = {
        {"Line5", 4200, 720, 3960, 720},   {"Line4", 4200, 2880, 4200, 720}, {"Line6", 4200, 2880, 3720, 2880},
        {"Line7", 4200, 1320, 4920, 1320}, {"Line8", 4920, 1320, 4680, 1200}, {"Line9", 4920, 1320, 4680, 1440},
        {"Line1", 5280, 1800, 5280, 3120}, {"Line2", 5280, 3120, 5400, 2880}, {"Line3", 5280, 3120, 5160, 2880},
    };
    const QImage picture = W().grab().toImage();
    const QRgb ink = W().palette().color(QPalette::WindowText).rgb();
    for (const DesignedLine& d : lines) {
        auto* line = W().findChild<platform::LineControl*>(d.name);
        ASSERT_NE(line, nullptr) << d.name;
        EXPECT_EQ(line->From(), QPoint(d.x1 / 15, d.y1 / 15)) << d.name;
        EXPECT_EQ(line->To(), QPoint(d.x2 / 15, d.y2 / 15)) << d.name;
        EXPECT_EQ(line->PenWidth(), 2) << d.name;
        // The middle of each line is drawn on the window.
        const QPoint middle = (line->From() + line->To()) / 2;
        bool inked = false;
        for (int dx = -1; dx <= 1 && !inked; ++dx)
            for (int dy = -1; dy <= 1 && !inked; ++dy)
                inked = picture.pixel(middle + QPoint(dx, dy)) == ink;
        EXPECT_TRUE(inked) << d.name << " not drawn";
    }
}

TEST_F(Layout, FontsAreTheDesignFaceOrTheSansSerifAtTheStatedSizes)
{
    struct Stated {
        QLabel* label;
        double points;
        bool italic;
    };
    const Stated stated[] = {{W().Label1, 12, false},  {W().Label3, 12, false},   {W().Label4, 12, false},
                             {W().Label12, 12, true},  {W().Label8, 8.25, false}, {W().Label9, 8.25, false},
                             {W().Label10, 8.25, false}, {W().Label19, 13.5, false}};
    for (const Stated& s : stated) {
        const QFont font = s.label->font();
        EXPECT_EQ(font.families().value(0), "MS Sans Serif") << s.label->objectName().toStdString();
        EXPECT_DOUBLE_EQ(font.pointSizeF(), s.points) << s.label->objectName().toStdString();
        EXPECT_TRUE(font.bold()) << s.label->objectName().toStdString();
        EXPECT_EQ(font.italic(), s.italic) << s.label->objectName().toStdString();
        EXPECT_EQ(QFontInfo(font).styleHint(), QFontInfo(W().font()).styleHint());
    }
    // Everything else speaks in the window's default font.
    EXPECT_EQ(W().font().families().value(0), "MS Sans Serif");
    for (QWidget* control : {static_cast<QWidget*>(W().Label6), static_cast<QWidget*>(W().NinputText),
                             static_cast<QWidget*>(W().ComputeCom), static_cast<QWidget*>(W().OrbType)}) {
        EXPECT_EQ(control->font().pointSizeF(), W().font().pointSizeF()) << control->objectName().toStdString();
        EXPECT_FALSE(control->font().bold());
    }
}

TEST_F(Layout, TipsSpinSettingsAndBuddies)
{
    EXPECT_EQ(W().DispCom->toolTip(),
              "Click here to show a simplified rendering of the ground track pattern during Q days");
    EXPECT_EQ(W().NrOfRevs->toolTip(), "Number of revolutions between repeating ground tracks");
    EXPECT_EQ(W().OptionIncl->Member(1)->toolTip(),
              "By choosing this option you can enter an inclination value for which the repeating ground track "
              "pattern is sought");
    EXPECT_EQ(W().OptionIncl->Member(0)->toolTip(),
              "Choose this option to compute the orbital elements for a sun-synchronous orbit with a repeating "
              "pattern");
    int tips = 0;
    for (QWidget* control : W().findChildren<QWidget*>())
        tips += control->toolTip().isEmpty() ? 0 : 1;
    EXPECT_EQ(tips, 4);

    struct Spin {
        platform::SpinControl* spin;
        platform::TextBox* buddy;
        int value, minimum, maximum, step;
    };
    const Spin spins[] = {{W().UpDownN, W().NinputText, 15, 0, 16, 1},   {W().UpDownM, W().MinputText, 1, -15, 15, 1},
                          {W().UpDownQ, W().QinputText, 1, 1, 30, 1},    {W().UpDown10i, nullptr, 60, 0, 180, 10},
                          {W().UpDown1i, nullptr, 0, 0, 10, 1},          {W().UpDown01i, nullptr, 0, 0, 10, 1}};
    for (const Spin& s : spins) {
        const std::string name = s.spin->objectName().toStdString();
        EXPECT_EQ(s.spin->Buddy(), s.buddy) << name;
        EXPECT_EQ(s.spin->Value(), s.value) << name;
        EXPECT_EQ(s.spin->Minimum(), s.minimum) << name;
        EXPECT_EQ(s.spin->Maximum(), s.maximum) << name;
        EXPECT_EQ(s.spin->Step(), s.step) << name;
        if (s.buddy != nullptr) {
            EXPECT_EQ(s.buddy->text(), QString::number(s.value)) << name;
        }
    }
}

TEST_F(Layout, StartState)
{
    EXPECT_TRUE(W().OptionIncl->IsSelected(1));
    EXPECT_FALSE(W().OptionIncl->IsSelected(0));
    for (QWidget* control : W().InclinationGroup())
        EXPECT_TRUE(control->isVisible()) << control->objectName().toStdString();
    EXPECT_EQ(W().InclinationGroup().size(), 11u);
    EXPECT_TRUE(W().Label16->isHidden());
    EXPECT_TRUE(W().InclOutBox->isHidden());
    EXPECT_EQ(ResultTexts(), (std::array<QString, 6>{}));
    EXPECT_FALSE(W().DispCom->isEnabled());
    EXPECT_TRUE(W().ComputeCom->isEnabled());
    EXPECT_TRUE(W().ExitCom->isEnabled());
    EXPECT_TRUE(errors_.isEmpty());
    EXPECT_TRUE(writes_.isEmpty());
    EXPECT_EQ(W().InclText->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    for (QLabel* label : {W().Label13, W().Label14, W().Label15, W().Label16, W().Label17, W().Label18}) {
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        EXPECT_EQ(label->geometry().right() + 1, 4695 / 15) << "result captions end together";
    }
    // The tenths box lies over the "." where they overlap.
    EXPECT_EQ(W().childAt(80, 180), W().Incl01Text);
}

// The window, the command line and other views read the results' names and
// captions from one table; the window's boxes must be the table's, in its order.
TEST_F(Layout, ResultBoxesAreTheResultFieldsInTheirOrder)
{
    ASSERT_EQ(orbit::kResultFields.size(), ResultBoxes().size());
    for (std::size_t i = 0; i < orbit::kResultFields.size(); ++i) {
        const orbit::ResultFieldInfo& info = orbit::kResultFields[i];
        platform::TextBox* box = ResultBoxes()[i];
        EXPECT_EQ(box->objectName(), info.boxName);
        QLabel* caption = nullptr;
        for (QLabel* label : W().findChildren<QLabel*>()) {
            if (label->buddy() == box)
                caption = label;
        }
        ASSERT_NE(caption, nullptr) << info.boxName;
        EXPECT_EQ(caption->text(), info.caption);
        EXPECT_EQ(W().SunSyncOutput().back() == box, info.sunSynchronousOnly) << info.boxName;
    }
}

TEST_F(Layout, ThirtyTwoPixelIconOfTwoPaletteColours)
{
    const QImage icon = design_window::DesignIconImage();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_LE(icon.colorCount(), 16);
    EXPECT_EQ(icon.pixel(1, 1), qRgb(255, 255, 0));
    // The circle crosses the middle row on both sides; the arrow stands above
    // the right crossing, its tip above the circle's right side.
    int black = 0;
    for (int x = 0; x < 32; ++x)
        black += icon.pixel(x, 16) == qRgb(0, 0, 0) ? 1 : 0;
    EXPECT_GE(black, 2);
    EXPECT_EQ(icon.pixel(26, 8), qRgb(0, 0, 0));
    EXPECT_FALSE(W().windowIcon().isNull());
}

TEST_F(Layout, EveryControlHasAnAccessibleNameAndBoxesAreNamedByTheirCaptions)
{
    for (QWidget* control : W().findChildren<QWidget*>()) {
        if (control->objectName().isEmpty() || control->objectName().startsWith("qt_"))
            continue;  // Qt's own parts of a control
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(access, nullptr) << control->objectName().toStdString();
        EXPECT_FALSE(access->text(QAccessible::Name).isEmpty()) << control->objectName().toStdString();
    }
    W().OptionIncl->Member(0)->click();  // computes, showing the inclination result
    const std::pair<platform::TextBox*, const char*> named[] = {
        {W().NrOfRevs, "Nr of revs"},           {W().AxelBox, "Semi-major axis (km)"},
        {W().AvAltBox, "Mean altitude (km)"},   {W().MeanMotBox, "Mean motion revs/day"},
        {W().TNtext, "Nodal period (min)"},     {W().InclOutBox, "Sun-Synchronous inclination, deg"}};
    for (const auto& [box, name] : named) {
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(box);
        EXPECT_EQ(access->text(QAccessible::Name), name);
        EXPECT_EQ(access->text(QAccessible::Value), box->text());
        EXPECT_FALSE(box->text().isEmpty());
    }
    EXPECT_EQ(W().Label13->buddy(), W().AxelBox);
    EXPECT_EQ(W().Label1->buddy(), W().NinputText);
    EXPECT_EQ(W().Label8->buddy(), W().UpDown10i);
}

}  // namespace
