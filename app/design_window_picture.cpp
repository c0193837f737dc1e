#include "design_window_picture.h"

#include "application.h"
#include "option_array.h"
#include "orbit_des_vorn.h"
#include "spin_control.h"

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
