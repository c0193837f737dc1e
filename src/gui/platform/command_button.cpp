#include "platform/command_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace platform {

CommandButton::CommandButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setAutoDefault(false);
}

QRect CommandButton::CaptionRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

void CommandButton::paintEvent(QPaintEvent* /*event*/)
{
    // The style's own CE_PushButton would draw the caption on one line; draw
    // its parts here with a word-wrapped caption in between.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    QRect caption = CaptionRect();
    if (option.state & (QStyle::State_Sunken | QStyle::State_On)) {
        caption.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                          style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    style()->drawItemText(&painter, caption, kCaptionFlags, option.palette, isEnabled(), text(),
                          QPalette::ButtonText);

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

}  // namespace platform
