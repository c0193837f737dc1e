#pragma once
// "About": the program's name and version, its licence (GPL-3.0-or-later),
// and the notice of the land data the map draws (Natural Earth, through
// world-atlas, whose ISC notice must go with it).

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace help {

// The text the dialog shows, as HTML.
QString AboutText();

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
    QTextBrowser* Text() const { return text_; }

private:
    QTextBrowser* text_ = nullptr;
};

}  // namespace help
