#include "app/design_window_picture.h"

#include "app/application.h"
#include "design_window/orbit_des_vorn.h"
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
    window->OptionIncl->Member(0)->click();
    QApplication::processEvents();
    const QImage picture = window->grab().toImage();
    window->close();
    return picture;
}

}  // namespace app
