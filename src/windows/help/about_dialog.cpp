#include "help/about_dialog.h"

#include "help/manual_location.h"
#include "platform/window_placement.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace help {

namespace {

const QSize kFirstSize(640, 560);

QString LandNotice()
{
    QFile notice(LandNoticePath());
    if (notice.fileName().isEmpty() || !notice.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("(The notice, world-atlas-LICENSE, was not found beside the program.)");
    return QString::fromUtf8(notice.readAll()).trimmed();
}

}  // namespace

QString AboutText()
{
    return QStringLiteral(
               "<h2>Repeat Orbit Designer %1</h2>"
               "<p>Designs Earth orbits whose ground track repeats: the window program "
               "<i>orbit-designer</i> and the command line <i>repeat-orbit</i>.</p>"
               "<p>Licence: GNU General Public License, version 3 or any later version "
               "(GPL-3.0-or-later). This program comes with ABSOLUTELY NO WARRANTY; it is free "
               "software, and you are welcome to redistribute it under those terms.</p>"
               "<h3>Land data</h3>"
               "<p>The map's land is Natural Earth's 1:50m land (public domain), "
               "as TopoJSON from world-atlas 2.0.2, distributed under this notice:</p>"
               "<pre>%2</pre>")
        .arg(ProgramVersion().toHtmlEscaped(), LandNotice().toHtmlEscaped());
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("About Repeat Orbit Designer"));
    text_ = new QTextBrowser(this);
    text_->setObjectName(QStringLiteral("AboutText"));
    text_->setHtml(AboutText());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addWidget(buttons);
    platform::SizeToScreen(*this, kFirstSize);
}

}  // namespace help
