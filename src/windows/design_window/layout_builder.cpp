#include "design_window/layout_builder.h"

#include "design_window/layout_check.h"
#include "design_window/layout_table.h"
#include "design_window/window_font.h"
#include "platform/caption_fit.h"
#include "platform/command_button.h"
#include "platform/line_control.h"
#include "platform/option_array.h"
#include "platform/spin_control.h"
#include "platform/text_box.h"
#include "platform/twips.h"

#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>

#include <algorithm>
#include <map>

namespace design_window {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

QWidget* CreateControl(OrbitDesVorn& window, const ControlRow& row)
{
    const QString caption = QString::fromUtf8(row.caption);
    return std::visit(
        Overloaded{
            [&](std::monostate) -> QWidget* {
                // The table lists the options in index order (CheckLayoutTable),
                // so adding them in turn gives each its index.
                auto* option = new QRadioButton(caption, window.OrbType);
                window.OptionIncl->Add(option);
                option->setChecked(row.selected);
                return option;
            },
            [&](QLabel* OrbitDesVorn::*member) -> QWidget* {
                auto* label = new QLabel(caption, &window);
                label->setTextFormat(Qt::PlainText);
                label->setAlignment((row.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
                label->setWordWrap(row.twoLines);
                return window.*member = label;
            },
            [&](platform::TextBox* OrbitDesVorn::*member) -> QWidget* {
                auto* box = new platform::TextBox(&window);
                box->setText(caption);
                box->setAlignment((row.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
                return window.*member = box;
            },
            [&](platform::SpinControl* OrbitDesVorn::*member) -> QWidget* {
                auto* spin = new platform::SpinControl(&window);
                spin->SetRange(row.spin.minimum, row.spin.maximum);
                spin->SetStep(row.spin.step);
                spin->SetInitialValue(row.spin.value);
                return window.*member = spin;
            },
            [&](platform::CommandButton* OrbitDesVorn::*member) -> QWidget* {
                return window.*member = new platform::CommandButton(caption, &window);
            },
            [&](QGroupBox* OrbitDesVorn::*member) -> QWidget* {
                return window.*member = new QGroupBox(caption, &window);
            },
        },
        row.member);
}

// The area a control's caption is drawn in, or an empty size for a control
// without one.
QSize CaptionArea(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->contentsRect().size();
    if (auto* button = qobject_cast<platform::CommandButton*>(control))
        return button->CaptionRect().size();
    if (auto* option = qobject_cast<QRadioButton*>(control)) {
        QStyleOptionButton style;
        style.initFrom(option);
        style.text = option->text();
        return option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option).size();
    }
    return {};
}

void FitCaption(QWidget* control, const QString& caption, bool wrap)
{
    const QSize area = CaptionArea(control);
    if (!area.isEmpty())
        control->setFont(platform::FitCaptionFont(control->font(), caption, area, wrap));
}

}  // namespace

void BuildDesignLayout(OrbitDesVorn& window)
{
    CheckLayoutTable(ControlTable(), LineTable());
    const platform::Dpi dpi = platform::ScreenDpi();
    window.setFixedSize(platform::TwipsToPixels(0, 0, kClientWidthTwips, kClientHeightTwips, dpi).size());
    window.setFont(WindowDefaultFont());
    window.OptionIncl = new platform::OptionArray(&window);

    QHash<QString, QWidget*> byName;
    std::multimap<int, QWidget*> byTabIndex;
    for (const ControlRow& row : ControlTable()) {
        QWidget* control = CreateControl(window, row);
        control->setObjectName(QString::fromUtf8(row.name));
        const Twips& p = row.place;
        control->setGeometry(platform::TwipsToPixels(p.left, p.top, p.width, p.height, dpi));
        if (row.font.points != 0)
            control->setFont(ControlFont(row.font));
        if (row.tip != nullptr)
            control->setToolTip(QString::fromUtf8(row.tip));
        if (row.accessibleName != nullptr)
            control->setAccessibleName(QString::fromUtf8(row.accessibleName));
        if (row.hidden)
            control->hide();
        if (row.disabled)
            control->setEnabled(false);
        if (row.group == Group::Inclination)
            window.inclinationGroup_.push_back(control);
        if (row.group == Group::SunSyncOutput)
            window.sunSyncOutput_.push_back(control);
        const bool wraps = row.twoLines || qobject_cast<platform::CommandButton*>(control) != nullptr;
        FitCaption(control, QString::fromUtf8(row.caption), wraps);
        byName.insert(control->objectName(), control);
        if (control->focusPolicy() != Qt::NoFocus)
            byTabIndex.emplace(row.tab, control);
    }

    for (const ControlRow& row : ControlTable()) {
        if (row.tiedTo == nullptr)
            continue;
        QWidget* control = byName.value(QString::fromUtf8(row.name));
        QWidget* box = byName.value(QString::fromUtf8(row.tiedTo));
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setBuddy(box);
        else if (auto* spin = qobject_cast<platform::SpinControl*>(control))
            spin->SetBuddy(qobject_cast<platform::TextBox*>(box));
    }

    // Focus moves through the controls in ascending tab index; Qt skips the
    // hidden and disabled ones, and the option button that is not selected.
    QWidget* previous = nullptr;
    for (const auto& [tab, control] : byTabIndex) {
        if (previous != nullptr)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }

    const int pen = platform::ScaledPixels(kLinePenPixels, dpi);
    for (const LineRow& line : LineTable()) {
        auto* control = new platform::LineControl(platform::TwipsToPixels(line.x1, line.y1, dpi),
                                                  platform::TwipsToPixels(line.x2, line.y2, dpi), pen, &window);
        control->setObjectName(QString::fromUtf8(line.name));
        control->setAccessibleName(QString::fromUtf8(line.accessibleName));
        window.*line.member = control;
    }
}

}  // namespace design_window
