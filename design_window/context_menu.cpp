#include "design_window/context_menu.h"

#include "design_window/orbit_des_vorn.h"
#include "map/qt/ground_track_map_window.h"
#include "platform/command_button.h"
#include "platform/handler_boundary.h"

#include <QAction>
#include <QEvent>
#include <QMenu>

namespace design_window {

namespace {

// Keeps an action's enabled state equal to a control's. A filter rather than
// a check at the moment of use, so that a disabled entry also looks disabled
// and its shortcut does nothing.
class EnabledFollower : public QObject {
public:
    EnabledFollower(QAction* action, QWidget* control) : QObject(action), action_(action), control_(control)
    {
        control->installEventFilter(this);
        action->setEnabled(control->isEnabled());
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == control_ && event->type() == QEvent::EnabledChange)
            action_->setEnabled(control_->isEnabled());
        return false;
    }

private:
    QAction* action_;
    QWidget* control_;
};

void PopUpMenu(OrbitDesVorn& window, QPoint at)
{
    // Made afresh for each right-click and gone once closed, so the window
    // holds no hidden child widget.
    auto* menu = new QMenu(&window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions(window.actions());
    menu->popup(window.mapToGlobal(at));
}

}  // namespace

QAction* AddMenuCommand(OrbitDesVorn& window, const QString& text, const QKeySequence& shortcut,
                        std::function<void(OrbitDesVorn&)> command, QWidget* enabledWith)
{
    auto* action = new QAction(text, &window);
    action->setShortcut(shortcut);
    // On the window, not only in the menu: the shortcut works with the menu closed.
    window.addAction(action);
    QObject::connect(action, &QAction::triggered, &window, [&window, command = std::move(command)] {
        platform::RunHandler(&window, [&] { command(window); });
    });
    if (enabledWith)
        new EnabledFollower(action, enabledWith);
    return action;
}

void InstallContextMenu(OrbitDesVorn& window)
{
    AddMenuCommand(window, QStringLiteral("Ground track map\u2026"), QKeySequence(Qt::CTRL | Qt::Key_M),
                   GroundTrackMap_Click, window.DispCom);
    AddMenuCommand(window, QStringLiteral("Find repeat orbits\u2026"), QKeySequence(Qt::CTRL | Qt::Key_F),
                   FindRepeatOrbits_Click);

    window.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&window, &QWidget::customContextMenuRequested, &window,
                     [&window](QPoint at) { PopUpMenu(window, at); });
}

void GroundTrackMap_Click(OrbitDesVorn& window) { world_map::OpenGroundTrackMap(window.Session()); }

}  // namespace design_window
