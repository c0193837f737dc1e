#include "design_window/explorer_link.h"

#include "design_window/context_menu.h"
#include "design_window/orbit_des_vorn.h"
#include "design_window/orbit_type_option.h"
#include "explorer/explorer_window.h"
#include "platform/command_button.h"
#include "platform/option_array.h"
#include "platform/text_box.h"

#include <QPointer>
#include <QRadioButton>

namespace design_window {

namespace {

DesignWindowOpener& Opener()
{
    static DesignWindowOpener opener;
    return opener;
}

OrbitDesVorn* OpenNewDesignWindow()
{
    if (Opener())
        return Opener()();
    auto* window = new OrbitDesVorn();
    window->show();
    return window;
}

}  // namespace

void SetDesignWindowOpener(DesignWindowOpener opener) { Opener() = std::move(opener); }

void EnterDesignChoice(OrbitDesVorn& window, const explorer::DesignChoice& choice)
{
    // Each write raises the box's Change, which clears the old results.
    window.NinputText->setText(QString::number(choice.N));
    window.MinputText->setText(QString::number(choice.M));
    window.QinputText->setText(QString::number(choice.Q));
    if (choice.type == orbit::OrbitType::ChooseInclination) {
        window.InclText->setText(QString::number(choice.inclDegrees));
        window.Incl01Text->setText(QString::number(choice.inclTenths));
    }
    const std::int16_t option = OptionIndexOf(choice.type);
    if (window.OptionIncl->IsSelected(option))
        window.ComputeCom->click();
    else
        window.OptionIncl->Member(option)->click();

    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

void FindRepeatOrbits_Click(OrbitDesVorn& window)
{
    // The explorer sends to this window while it is open, and to a new one
    // once it has been closed.
    QPointer<OrbitDesVorn> target(&window);
    // It follows this window's mission (satellites, passes, daylight, the
    // swath it starts from).
    explorer::OpenExplorer(
        [target](const explorer::DesignChoice& choice) mutable {
            if (!target)
                target = OpenNewDesignWindow();
            EnterDesignChoice(*target, choice);
        },
        window.Session());
}

}  // namespace design_window
