#include "platform/window_close.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace platform {

void CloseOnEscape(QWidget& window, QAbstractButton* closeButton)
{
    auto* closeAction = new QAction(&window);
    closeAction->setShortcut(QKeySequence(Qt::Key_Escape));
    window.addAction(closeAction);
    QObject::connect(closeAction, &QAction::triggered, &window, &QWidget::close);
    if (closeButton)
        QObject::connect(closeButton, &QAbstractButton::clicked, &window, &QWidget::close);
}

}  // namespace platform
