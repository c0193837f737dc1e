#pragma once
// How every tool window closes: Escape, or its Close button.

class QAbstractButton;
class QWidget;

namespace platform {

// Escape closes `window` wherever the focus is inside it, and so does a
// click on `closeButton` when there is one.
void CloseOnEscape(QWidget& window, QAbstractButton* closeButton = nullptr);

}  // namespace platform
