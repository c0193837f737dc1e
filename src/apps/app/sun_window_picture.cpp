#include "app/sun_window_picture.h"

#include "app/application.h"
#include "design_window/context_menu.h"
#include "design_window/orbit_des_vorn.h"
#include "design_window/orbit_type_option.h"
#include "mission_window/mission_window.h"
#include "platform/option_array.h"
#include "platform/text_box.h"
#include "sun_window/sun_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

namespace app {

QImage DrawSunWindowPicture()
{
    design_window::OrbitDesVorn* designWindow = OpenDesignWindow();
    designWindow->NinputText->setText(QStringLiteral("14"));
    designWindow->MinputText->setText(QStringLiteral("3"));
    designWindow->QinputText->setText(QStringLiteral("10"));
    designWindow->OptionIncl->Member(design_window::OptionIndexOf(orbit::OrbitType::SunSynchronous))->click();

    design_window::Mission_Click(*designWindow);
    mission_window::MissionWindow& mission = design_window::MissionWindowOf(*designWindow);
    mission.EpochEdit()->setText(QStringLiteral("2027-03-21T00:00Z"));
    mission.NodeKindBox()->setCurrentIndex(1);  // mean LTDN
    mission.NodeTimeEdit()->setText(QStringLiteral("10:30"));
    mission.EpochCheck()->setChecked(true);
    mission.close();

    sun_window::SunWindow& sun = design_window::SunWindowOf(*designWindow);
    // The offscreen screen is small; the picture shows the window at its first size.
    sun.resize(sun.fontMetrics().averageCharWidth() * 170, sun.fontMetrics().height() * 54);
    QEventLoop loop;
    QObject::connect(&sun, &sun_window::SunWindow::FiguresShown, &loop, [&] {
        if (!sun.IsComputing() && sun.Shown())
            loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    design_window::SunAndEclipses_Click(*designWindow);
    if (sun.IsComputing() || !sun.Shown())
        loop.exec();
    if (!sun.Shown())
        return {};
    // Mid-summer in the north: the pass table's day with the longest light.
    sun.DayBox()->setValue(92);
    QApplication::processEvents();
    const QImage picture = sun.grab().toImage();
    sun.close();
    designWindow->close();
    return picture;
}

}  // namespace app
