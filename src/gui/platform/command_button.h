#pragma once
// A push button whose caption wraps at word boundaries when it is longer than
// the button is wide, as the design window's two-line buttons need. Apart
// from the caption it is an ordinary QPushButton: a disabled one raises no
// click, and Space presses it from the keyboard.

#include <QPushButton>

namespace platform {

class CommandButton : public QPushButton {
    Q_OBJECT

public:
    explicit CommandButton(const QString& caption, QWidget* parent = nullptr);

    // The area the caption is laid out in, inside the button's bevel.
    QRect CaptionRect() const;

    // How the caption is placed in CaptionRect().
    static constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace platform
