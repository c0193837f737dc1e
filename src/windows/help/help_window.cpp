#include "help/help_window.h"

#include "help/manual_location.h"
#include "platform/handler_boundary.h"
#include "platform/window_placement.h"
#include "platform/window_close.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace help {

namespace {

const QSize kFirstSize(900, 760);

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Help"));
    setWindowTitle(QStringLiteral("Repeat Orbit Designer \u2014 User Manual"));

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("ManualBrowser"));
    // Links to the other documents open here; a web address goes to the desktop's browser.
    browser_->setOpenExternalLinks(true);
    statusLine_ = new QLabel(this);
    statusLine_->setObjectName(QStringLiteral("StatusLine"));
    statusLine_->setWordWrap(true);
    statusLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    backButton_ = new QPushButton(QStringLiteral("&Back"), this);
    backButton_->setEnabled(false);
    openButton_ = new QPushButton(QStringLiteral("&Open in the desktop's viewer"), this);
    openButton_->setObjectName(QStringLiteral("OpenExternally"));
    closeButton_ = new QPushButton(QStringLiteral("Close"), this);
    closeButton_->setObjectName(QStringLiteral("CloseHelp"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(backButton_);
    buttons->addWidget(statusLine_, 1);
    buttons->addWidget(openButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_, 1);
    layout->addLayout(buttons);

    platform::CloseOnEscape(*this, closeButton_);
    connect(backButton_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, backButton_, &QPushButton::setEnabled);
    connect(openButton_, &QPushButton::clicked, this, platform::Handler(this, &HelpWindow::OpenExternally_Click));
    platform::SizeToScreen(*this, kFirstSize);
}

void HelpWindow::ShowManual()
{
    const QString manual = UserManualPath();
    if (manual.isEmpty()) {
        browser_->setPlainText(
            QStringLiteral("The user manual (docs/user-manual.md) was not found beside the program, in %1. "
                           "An installation puts it there; so does a build of the sources.")
                .arg(QDir::toNativeSeparators(QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                               QStringLiteral("/../share/doc")))));
        statusLine_->clear();
        openButton_->setEnabled(false);
    } else {
        browser_->setSource(QUrl::fromLocalFile(manual), QTextDocument::MarkdownResource);
        browser_->clearHistory();
        statusLine_->setText(QDir::toNativeSeparators(manual));
        openButton_->setEnabled(true);
    }
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void HelpWindow::OpenExternally_Click()
{
    const QString manual = UserManualPath();
    if (manual.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
        platform::ReportError(this, QStringLiteral("The desktop has no viewer for %1").arg(manual));
}

}  // namespace help
