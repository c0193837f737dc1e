#include "app/explorer_picture.h"

#include "app/application.h"
#include "design_window/context_menu.h"
#include "design_window/orbit_des_vorn.h"
#include "explorer/candidate_model.h"
#include "explorer/candidate_proxy.h"
#include "explorer/explorer_inputs.h"
#include "explorer/explorer_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QThread>

#include <functional>

namespace app {

namespace {

bool WaitFor(const std::function<bool()>& done)
{
    const QDeadlineTimer deadline(60000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(5);
    }
    return true;
}

}  // namespace

QImage DrawExplorerPicture()
{
    using explorer::ExplorerColumn;
    using explorer::ExplorerWindow;
    design_window::OrbitDesVorn* designWindow = OpenDesignWindow();
    design_window::FindRepeatOrbits_Click(*designWindow);
    ExplorerWindow& window = ExplorerWindow::Instance();
    window.resize(window.fontMetrics().averageCharWidth() * 285, window.fontMetrics().height() * 58);
    explorer::ExplorerInputs* inputs = window.Inputs();
    inputs->SunSynchronousOption()->setChecked(true);
    inputs->AltitudeFromBox()->setValue(600);
    inputs->AltitudeToBox()->setValue(800);
    inputs->DaysFromBox()->setValue(1);
    inputs->DaysToBox()->setValue(16);
    inputs->SwathBox()->setValue(290);
    inputs->EquatorWithoutGapsBox()->setChecked(true);
    explorer::CandidateModel* model = window.Model();
    explorer::CandidateProxy* proxy = window.Proxy();
    const auto settled = [&] { return !window.Searching() && !proxy->Ordering(); };
    if (!WaitFor([&] { return settled() && model->rowCount() > 0; }))
        return {};

    // Sorted by the worst revisit: the rows in view are worked out and in
    // their places when the window says the revisits are settled.
    bool revisitsSettled = false;
    const QMetaObject::Connection watch =
        QObject::connect(&window, &ExplorerWindow::RevisitsSettled, &window, [&] { revisitsSettled = true; });
    window.Table()->sortByColumn(model->ColumnIndexOf(ExplorerColumn::WorstRevisitDays), Qt::AscendingOrder);
    const bool ready = WaitFor([&] { return settled() && revisitsSettled; }) && WaitFor(settled);
    QObject::disconnect(watch);
    if (!ready)
        return {};
    const QModelIndex chosen = proxy->index(2, 0);
    window.Table()->selectionModel()->setCurrentIndex(chosen,
                                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    window.Table()->setFocus();
    WaitFor([] { return true; });
    QCoreApplication::processEvents();
    QThread::msleep(100);
    QCoreApplication::processEvents();
    const QImage picture = window.grab().toImage();
    window.close();
    designWindow->close();
    return picture;
}

}  // namespace app
