#include "platform/spin_control.h"

#include "core/number_text.h"
#include "core/orbit_error.h"
#include "platform/spin_control_accessible.h"
#include "platform/text_box.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOption>
#include <QStylePainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace platform {

SpinControl::SpinControl(QWidget* parent) : QWidget(parent), repeat_(new QTimer(this))
{
    InstallSpinControlAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    connect(repeat_, &QTimer::timeout, this, &SpinControl::Repeat);
}

void SpinControl::SetRange(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    value_ = std::clamp(value_, minimum_, maximum_);
}

void SpinControl::SetInitialValue(int value) { value_ = std::clamp(value, minimum_, maximum_); }

void SpinControl::SetValue(int value) { Commit(std::clamp(value, minimum_, maximum_), false); }

// Takes `value` (within the range) and, when it changes or the buddy must be
// brought in line with it, writes the buddy and raises Change.
void SpinControl::Commit(int value, bool writeBuddy)
{
    if (value == value_ && !writeBuddy)
        return;
    value_ = value;
    if (buddy_ != nullptr)
        buddy_->setText(QString::number(value_));
    QAccessibleValueChangeEvent event(this, value_);
    QAccessible::updateAccessibility(&event);
    emit Change();
}

void SpinControl::SetRepeatDelays(std::chrono::milliseconds threshold, std::chrono::milliseconds interval)
{
    repeatThreshold_ = threshold;
    repeatInterval_ = interval;
}

int SpinControl::RepeatThresholdMs() const
{
    return repeatThreshold_ ? static_cast<int>(repeatThreshold_->count())
                            : style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold, nullptr, this);
}

int SpinControl::RepeatIntervalMs() const
{
    return repeatInterval_ ? static_cast<int>(repeatInterval_->count())
                           : style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatRate, nullptr, this);
}

void SpinControl::PressUp() { Press(Arrow::Up); }
void SpinControl::PressDown() { Press(Arrow::Down); }

// The buddy's text read as the compute command reads a field, rounded to the
// nearest whole number (halves to even, as the inclination steppers round)
// and held within the range. Text that is no number gives nothing: the step
// then starts from the value the control holds.
std::optional<SpinControl::TypedValue> SpinControl::BuddyValue() const
{
    if (buddy_ == nullptr)
        return std::nullopt;
    double typed = 0;
    try {
        typed = orbit::ParseNumberStrict(buddy_->text().toStdString());
    } catch (const orbit::OrbitError&) {
        return std::nullopt;
    }
    const double held = std::nearbyint(std::clamp(typed, static_cast<double>(minimum_), static_cast<double>(maximum_)));
    return TypedValue{static_cast<int>(held), held != typed};
}

void SpinControl::Press(Arrow arrow)
{
    const std::optional<TypedValue> typed = BuddyValue();
    if (typed)
        value_ = typed->value;
    // 64-bit sum: a step can never wrap around the int range.
    const long long target = static_cast<long long>(value_) + (arrow == Arrow::Up ? step_ : -step_);
    Commit(static_cast<int>(std::clamp<long long>(target, minimum_, maximum_)), typed && typed->adjusted);
    if (arrow == Arrow::Up)
        emit UpClick();
    else
        emit DownClick();
}

QRect SpinControl::UpArrowRect() const { return QRect(0, 0, width(), height() / 2); }

QRect SpinControl::DownArrowRect() const
{
    return QRect(0, height() / 2, width(), height() - height() / 2);
}

SpinControl::Arrow SpinControl::ArrowAt(QPoint position) const
{
    if (UpArrowRect().contains(position))
        return Arrow::Up;
    if (DownArrowRect().contains(position))
        return Arrow::Down;
    return Arrow::None;
}

void SpinControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || held_ != Arrow::None) {
        event->ignore();
        return;
    }
    const Arrow arrow = ArrowAt(event->position().toPoint());
    if (arrow == Arrow::None)
        return;
    held_ = arrow;
    heldInside_ = true;
    qApp->installEventFilter(this);
    update();
    // The first step happens on the press; holding on repeats it after the
    // threshold, at the repeat interval.
    repeat_->start(RepeatThresholdMs());
    Press(arrow);
}

void SpinControl::mouseMoveEvent(QMouseEvent* event)
{
    if (held_ == Arrow::None)
        return;
    const bool inside = ArrowAt(event->position().toPoint()) == held_;
    if (inside != heldInside_) {
        heldInside_ = inside;
        update();
    }
}

void SpinControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        StopRepeat();
}

void SpinControl::Repeat()
{
    // A handler may have put up a modal message; the arrow is let go then.
    if (QApplication::activeModalWidget() != nullptr) {
        StopRepeat();
        return;
    }
    repeat_->setInterval(RepeatIntervalMs());
    // Like a native arrow, repetition pauses while the pointer is off the arrow.
    if (held_ != Arrow::None && heldInside_)
        Press(held_);
}

void SpinControl::StopRepeat()
{
    if (held_ != Arrow::None)
        qApp->removeEventFilter(this);
    repeat_->stop();
    held_ = Arrow::None;
    heldInside_ = false;
    update();
}

bool SpinControl::eventFilter(QObject* watched, QEvent* event)
{
    // While an arrow is held, the release of the button ends the repetition
    // wherever it lands, on a message box that a handler put up included.
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        StopRepeat();
    return QWidget::eventFilter(watched, event);
}

void SpinControl::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        PressUp();
        break;
    case Qt::Key_Down:
        PressDown();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void SpinControl::hideEvent(QHideEvent* event)
{
    StopRepeat();
    QWidget::hideEvent(event);
}

void SpinControl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        StopRepeat();
    QWidget::changeEvent(event);
}

void SpinControl::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    const bool hover = testAttribute(Qt::WA_UnderMouse);
    const QPoint mouse = mapFromGlobal(QCursor::pos());
    for (const Arrow arrow : {Arrow::Up, Arrow::Down}) {
        const QRect rect = arrow == Arrow::Up ? UpArrowRect() : DownArrowRect();
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = rect;
        button.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        const bool sunken = held_ == arrow && heldInside_;
        button.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
        if (hover && rect.contains(mouse))
            button.state |= QStyle::State_MouseOver;
        painter.drawPrimitive(QStyle::PE_PanelButtonCommand, button);

        QStyleOption glyph = button;
        const int inset = std::max(2, std::min(rect.width(), rect.height()) / 5);
        glyph.rect = rect.adjusted(inset, inset, -inset, -inset);
        if (sunken)
            glyph.rect.translate(1, 1);
        painter.drawPrimitive(arrow == Arrow::Up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                              glyph);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

}  // namespace platform
