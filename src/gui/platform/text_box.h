#pragma once
// A single-line text box whose Change event fires whenever its text changes,
// typed by the user or written by a handler. The connection is direct, so a
// handler that writes the text runs the box's Change handler at once, nested
// inside the write, and carries on after it returns.

#include <QLineEdit>

namespace platform {

class TextBox : public QLineEdit {
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent = nullptr);

signals:
    void Change();
};

}  // namespace platform
