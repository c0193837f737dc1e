#include "design_window/context_menu.h"

#include "design_window/orbit_des_vorn.h"
#include "design_window/owned_windows.h"
#include "export_window/export_window.h"
#include "help/about_dialog.h"
#include "help/help_window.h"
#include "map_qt/ground_track_map_window.h"
#include "mission_window/mission_window.h"
#include "sun_window/sun_window.h"
#include "platform/command_button.h"
#include "platform/handler_boundary.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QPointer>

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
    AddMenuCommand(window, QStringLiteral("Mission\u2026"), QKeySequence(Qt::CTRL | Qt::Key_I), Mission_Click);
    AddMenuCommand(window, QStringLiteral("Sun and eclipses\u2026"), QKeySequence(Qt::CTRL | Qt::Key_B),
                   SunAndEclipses_Click);
    AddMenuCommand(window, QStringLiteral("Export orbit\u2026"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
                   ExportOrbit_Click);
    AddMenuCommand(window, QStringLiteral("Help"), QKeySequence(Qt::Key_F1), Help_Click);
    AddMenuCommand(window, QStringLiteral("About\u2026"), QKeySequence(Qt::SHIFT | Qt::Key_F1), About_Click);

    window.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&window, &QWidget::customContextMenuRequested, &window,
                     [&window](QPoint at) { PopUpMenu(window, at); });
}

void GroundTrackMap_Click(OrbitDesVorn& window) { world_map::OpenGroundTrackMap(window.Session()); }

mission_window::MissionWindow& MissionWindowOf(OrbitDesVorn& window)
{
    return OwnedWindow<mission_window::MissionWindow>(window, QStringLiteral("MissionWindowKeeper"), [&window] {
        return new mission_window::MissionWindow(window.Session());
    });
}

sun_window::SunWindow& SunWindowOf(OrbitDesVorn& window)
{
    return OwnedWindow<sun_window::SunWindow>(window, QStringLiteral("SunWindowKeeper"), [&window] {
        return new sun_window::SunWindow(window.Session());
    });
}

export_window::ExportWindow& ExportWindowOf(OrbitDesVorn& window)
{
    return OwnedWindow<export_window::ExportWindow>(window, QStringLiteral("ExportWindowKeeper"), [&window] {
        auto* exportWindow = new export_window::ExportWindow;
        exportWindow->FollowSession(window.Session());
        return exportWindow;
    });
}

help::HelpWindow& HelpWindowOf(OrbitDesVorn& window)
{
    return OwnedWindow<help::HelpWindow>(window, QStringLiteral("HelpWindowKeeper"),
                                         [] { return new help::HelpWindow; });
}

void Mission_Click(OrbitDesVorn& window) { MissionWindowOf(window).ShowWindow(); }

void SunAndEclipses_Click(OrbitDesVorn& window) { SunWindowOf(window).ShowWindow(); }

void ExportOrbit_Click(OrbitDesVorn& window) { ExportWindowOf(window).ShowWindow(); }

void Help_Click(OrbitDesVorn& window) { HelpWindowOf(window).ShowManual(); }

void About_Click(OrbitDesVorn& window)
{
    // Modeless like every other window: one at a time for each design window.
    auto& about = OwnedWindow<help::AboutDialog>(window, QStringLiteral("AboutKeeper"),
                                                 [] { return new help::AboutDialog; });
    about.show();
    about.raise();
    about.activateWindow();
}

}  // namespace design_window
