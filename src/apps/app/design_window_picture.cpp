#include "app/design_window_picture.h"

#include "app/application.h"
#include "design_window/orbit_des_vorn.h"
#include "design_window/orbit_type_option.h"
#include "platform/option_array.h"
#include "platform/spin_control.h"

#include <QApplication>
#include <QPixmap>
#include <QRadioButton>

namespace app {

QImage DrawDesignWindowPicture()
{
    design_window::OrbitDesVorn* window = OpenDesignWindow();
    window->UpDownN->PressDown();
    window->UpDownQ->PressUp();
    window->UpDownQ->PressUp();
    window->OptionIncl->Member(design_window::OptionIndexOf(orbit::OrbitType::SunSynchronous))->click();
    QApplication::processEvents();
    const QImage picture = window->grab().toImage();
    window->close();
    return picture;
}

}  // namespace app
