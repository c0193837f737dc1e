#pragma once
// Every event handler of the windows runs inside one boundary. An error ends
// the handler at the failing step, keeping whatever it did before, and the
// user sees the error's text in a message box; then the program goes on with
// the window as it stands.
//
// The message box is reached through a replaceable sink, so that tests can
// record the texts instead of blocking on a modal dialog.

#include <QString>

#include <functional>

class QWidget;

namespace platform {

using ErrorSink = std::function<void(QWidget* owner, const QString& text)>;

// Installs a sink and returns the one it replaces. An empty sink restores the
// message box.
ErrorSink ReplaceErrorSink(ErrorSink sink);

// Shows an error's text to the user through the current sink.
void ReportError(QWidget* owner, const QString& text);

// Runs one handler; an error that escapes it is reported, never rethrown.
void RunHandler(QWidget* owner, const std::function<void()>& handler) noexcept;

// A slot that runs owner->method(args...) inside the boundary, for connect().
template <class Window, class... Args>
auto Handler(Window* owner, void (Window::*method)(Args...))
{
    return [owner, method](Args... args) {
        RunHandler(owner, [&] { (owner->*method)(args...); });
    };
}

// Replaces the sink for one scope and puts the previous one back.
class ScopedErrorSink {
public:
    explicit ScopedErrorSink(ErrorSink sink) : previous_(ReplaceErrorSink(std::move(sink))) {}
    ~ScopedErrorSink() { ReplaceErrorSink(std::move(previous_)); }
    ScopedErrorSink(const ScopedErrorSink&) = delete;
    ScopedErrorSink& operator=(const ScopedErrorSink&) = delete;

private:
    ErrorSink previous_;
};

}  // namespace platform
