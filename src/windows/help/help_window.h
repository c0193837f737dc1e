#pragma once
// The "Help" window: the user manual, shown with its pictures and its links
// to the other documents, and a button that opens it in the desktop's own
// viewer instead. When the manual cannot be found it says where it was
// looked for.
//
// Modeless and resizable; Alt+Left and Alt+Right go back and forth through
// the links followed, Esc closes.

#include <QWidget>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace help {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the manual (from its start) and brings the window to the front.
    void ShowManual();

    QTextBrowser* Browser() const { return browser_; }
    QLabel* StatusLine() const { return statusLine_; }
    QPushButton* OpenExternallyButton() const { return openButton_; }
    QPushButton* CloseButton() const { return closeButton_; }

    // The handler of "Open in the desktop's viewer".
    void OpenExternally_Click();

private:
    QTextBrowser* browser_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

}  // namespace help
