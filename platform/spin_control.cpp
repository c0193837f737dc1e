#include "platform/spin_control.h"

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
#include <optional>

namespace platform {

namespace {

// A whole number in decimal digits, with an optional sign and blanks around it.
std::optional<int> WholeNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    qsizetype digitsFrom = 0;
    if (!trimmed.isEmpty() && (trimmed[0] == u'-' || trimmed[0] == u'+'))
        digitsFrom = 1;
    if (digitsFrom == trimmed.size() || trimmed.size() - digitsFrom > 9)
        return std::nullopt;
    for (qsizetype i = digitsFrom; i < trimmed.size(); ++i) {
        if (trimmed[i] < u'0' || trimmed[i] > u'9')
            return std::nullopt;
    }
    return trimmed.toInt();
}

}  // namespace

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

void SpinControl::SetValue(int value)
{
    const int next = std::clamp(value, minimum_, maximum_);
    if (next == value_)
        return;
    value_ = next;
    if (buddy_ != nullptr)
        buddy_->setText(QString::number(value_));
    QAccessibleValueChangeEvent event(this, value_);
    QAccessible::updateAccessibility(&event);
    emit Change();
}

void SpinControl::PressUp() { Press(Arrow::Up); }
void SpinControl::PressDown() { Press(Arrow::Down); }

void SpinControl::TakeUpBuddyValue()
{
    // What the user typed into the buddy is what the arrow steps from, when it
    // is a whole number the control can hold.
    if (buddy_ == nullptr)
        return;
    const std::optional<int> typed = WholeNumber(buddy_->text());
    if (typed && *typed >= minimum_ && *typed <= maximum_)
        value_ = *typed;
}

void SpinControl::Press(Arrow arrow)
{
    TakeUpBuddyValue();
    // 64-bit sum: a step can never wrap around the int range.
    const long long target = static_cast<long long>(value_) + (arrow == Arrow::Up ? step_ : -step_);
    SetValue(static_cast<int>(std::clamp<long long>(target, minimum_, maximum_)));
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
    // style's threshold, at the style's rate.
    repeat_->start(style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold, nullptr, this));
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
    repeat_->setInterval(style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatRate, nullptr, this));
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
