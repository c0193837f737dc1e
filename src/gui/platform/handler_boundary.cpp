#include "platform/handler_boundary.h"

#include "core/orbit_error.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <exception>
#include <utility>

namespace platform {

namespace {

void ShowMessageBox(QWidget* owner, const QString& text)
{
    const QString title = owner != nullptr ? owner->window()->windowTitle() : QString();
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, owner);
    box.exec();
}

ErrorSink& CurrentSink()
{
    static ErrorSink sink;
    return sink;
}

}  // namespace

ErrorSink ReplaceErrorSink(ErrorSink sink) { return std::exchange(CurrentSink(), std::move(sink)); }

void ReportError(QWidget* owner, const QString& text)
{
    if (CurrentSink())
        CurrentSink()(owner, text);
    else
        ShowMessageBox(owner, text);
}

void RunHandler(QWidget* owner, const std::function<void()>& handler) noexcept
{
    // The owner may be closed and deleted by a handler (Exit); the message box
    // must not be parented to a dead window.
    QPointer<QWidget> guard(owner);
    QString text;
    try {
        handler();
        return;
    } catch (const orbit::OrbitError& error) {
        text = QString::fromStdString(error.what());
    } catch (const std::exception& error) {
        text = QString::fromLocal8Bit(error.what());
    } catch (...) {
        text = QStringLiteral("Unexpected error");
    }
    try {
        ReportError(guard.data(), text);
    } catch (...) {
        // Nothing sensible is left to do when even the report fails.
    }
}

}  // namespace platform
