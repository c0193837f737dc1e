#pragma once
// The windows a design window opens for itself (the Mission, Sun and export
// windows): one of each kind per design window, made on first use, kept
// (hidden when closed, so they open again as they were left) and deleted
// with the design window. They are top-level windows of their own, not the
// design window's children, so the design window itself holds no hidden
// widget.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace design_window {

// Holds one window for its owner; deletes it when the owner goes.
class OwnedWindowKeeper : public QObject {
public:
    OwnedWindowKeeper(QObject* owner, const QString& kind) : QObject(owner) { setObjectName(kind); }
    ~OwnedWindowKeeper() override { delete window_; }
    OwnedWindowKeeper(const OwnedWindowKeeper&) = delete;
    OwnedWindowKeeper& operator=(const OwnedWindowKeeper&) = delete;

    QWidget* Window() const { return window_; }
    void Keep(QWidget* window) { window_ = window; }

private:
    QPointer<QWidget> window_;
};

// The owner's window of type `Window`, made by `make` when it has none.
template <class Window>
Window& OwnedWindow(QObject& owner, const QString& kind, const std::function<Window*()>& make)
{
    auto* keeper = dynamic_cast<OwnedWindowKeeper*>(owner.findChild<QObject*>(kind, Qt::FindDirectChildrenOnly));
    if (!keeper)
        keeper = new OwnedWindowKeeper(&owner, kind);
    if (auto* window = qobject_cast<Window*>(keeper->Window()))
        return *window;
    Window* window = make();
    keeper->Keep(window);
    return *window;
}

// The owner's window of type `Window` if it has been made, else none.
template <class Window>
Window* ExistingOwnedWindow(const QObject& owner, const QString& kind)
{
    auto* keeper = dynamic_cast<OwnedWindowKeeper*>(owner.findChild<QObject*>(kind, Qt::FindDirectChildrenOnly));
    return keeper ? qobject_cast<Window*>(keeper->Window()) : nullptr;
}

}  // namespace design_window
