#include "export_window/export_window.h"

#include "core/design_name.h"
#include "core/orbit_error.h"
#include "export/export_limits.h"
#include "export/orbit/export_orbit.h"
#include "export/text_lines.h"
#include "export_window/export_file_name.h"
#include "mission_window/mission_text.h"
#include "platform/file_output.h"
#include "platform/handler_boundary.h"
#include "platform/window_placement.h"
#include "propagation/gravity_model.h"
#include "platform/window_close.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <functional>
#include <string>
#include <string_view>

namespace export_window {

namespace {

using orbit::exports::ExportFormat;

const QSize kFirstSize(560, 360);
const QString kFolderKey = QStringLiteral("export/folder");
// As `repeat-orbit export` takes them (export/export_limits.h); the boxes'
// own lower ends are their least step, the span's 0 standing for one cycle.
using orbit::exports::kMaxNoradNumber;
using orbit::exports::kMaxOemStepS;
using orbit::exports::kMaxSpanDays;

struct FormatEntry {
    ExportFormat format;
    const char* caption;
    const char* filter;
};

const FormatEntry kFormats[] = {
    {ExportFormat::Opm, "CCSDS OPM: the state at the epoch", "CCSDS OPM (*.opm)"},
    {ExportFormat::Omm, "CCSDS OMM: fitted SGP4 mean elements", "CCSDS OMM (*.omm)"},
    {ExportFormat::Oem, "CCSDS OEM: an ephemeris over the span", "CCSDS OEM (*.oem)"},
    {ExportFormat::Tle, "TLE fitted to the propagated orbit", "Two-line elements (*.tle)"},
    {ExportFormat::Gmat, "GMAT script", "GMAT script (*.script)"},
    {ExportFormat::GeoJson, "GeoJSON ground track", "GeoJSON (*.geojson)"},
    {ExportFormat::Kml, "KML ground track", "KML (*.kml)"},
};

QString AskForExportFile(QWidget* parent, const QString& proposedPath, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Export orbit"), proposedPath, filter);
}

struct ExportResult {
    QString error;
    QString fitLine;
};

}  // namespace

QString LastExportFolder()
{
    const QString folder = QSettings().value(kFolderKey).toString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

void RememberExportFolder(const QString& filePath)
{
    QSettings().setValue(kFolderKey, QFileInfo(filePath).absolutePath());
}

ExportWindow::ExportWindow(QWidget* parent) : QWidget(parent, Qt::Window), saveDialog_(AskForExportFile)
{
    setObjectName(QStringLiteral("ExportOrbit"));
    setWindowTitle(QStringLiteral("Export Orbit"));

    designLine_ = new QLabel(this);
    designLine_->setObjectName(QStringLiteral("DesignLine"));
    designLine_->setWordWrap(true);
    designLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    formatBox_ = new QComboBox(this);
    formatBox_->setObjectName(QStringLiteral("FormatBox"));
    for (const FormatEntry& entry : kFormats)
        formatBox_->addItem(QString::fromUtf8(entry.caption));
    auto* formatLabel = new QLabel(QStringLiteral("&Format:"), this);
    formatLabel->setBuddy(formatBox_);

    modelBox_ = new QComboBox(this);
    modelBox_->setObjectName(QStringLiteral("ModelBox"));
    modelBox_->addItem(QStringLiteral("Zonal field, J2 to J6 (EGM2008)"), QStringLiteral("zonal"));
    modelBox_->addItem(QStringLiteral("J2 only, the design's model"), QStringLiteral("j2"));
    modelBox_->setToolTip(QStringLiteral("The Earth model the orbit is propagated under"));
    auto* modelLabel = new QLabel(QStringLiteral("&Model:"), this);
    modelLabel->setBuddy(modelBox_);

    daysBox_ = new QDoubleSpinBox(this);
    daysBox_->setObjectName(QStringLiteral("DaysBox"));
    daysBox_->setRange(0, kMaxSpanDays);
    daysBox_->setDecimals(2);
    daysBox_->setSuffix(QStringLiteral(" days"));
    daysBox_->setSpecialValueText(QStringLiteral("one repeat cycle"));
    daysBox_->setToolTip(QStringLiteral("The span from the epoch of the OEM, the GMAT run and the track"));
    auto* daysLabel = new QLabel(QStringLiteral("&Span:"), this);
    daysLabel->setBuddy(daysBox_);

    stepBox_ = new QDoubleSpinBox(this);
    stepBox_->setObjectName(QStringLiteral("StepBox"));
    stepBox_->setRange(0.1, kMaxOemStepS);
    stepBox_->setDecimals(1);
    stepBox_->setValue(orbit::exports::kDefaultOemStepS);
    stepBox_->setSuffix(QStringLiteral(" s"));
    auto* stepLabel = new QLabel(QStringLiteral("S&tep between states:"), this);
    stepLabel->setBuddy(stepBox_);

    objectNameBox_ = new QLineEdit(this);
    objectNameBox_->setObjectName(QStringLiteral("ObjectName"));
    objectNameBox_->setPlaceholderText(QStringLiteral("RepeatOrbit"));
    auto* nameLabel = new QLabel(QStringLiteral("Object &name:"), this);
    nameLabel->setBuddy(objectNameBox_);

    objectIdBox_ = new QLineEdit(QStringLiteral("UNKNOWN"), this);
    objectIdBox_->setObjectName(QStringLiteral("ObjectId"));
    objectIdBox_->setToolTip(QStringLiteral("The object's identifier, e.g. 2027-001A"));
    auto* idLabel = new QLabel(QStringLiteral("Object &identifier:"), this);
    idLabel->setBuddy(objectIdBox_);

    noradBox_ = new QSpinBox(this);
    noradBox_->setObjectName(QStringLiteral("NoradBox"));
    noradBox_->setRange(0, kMaxNoradNumber);
    noradBox_->setValue(orbit::exports::kDefaultNoradNumber);
    auto* noradLabel = new QLabel(QStringLiteral("&Catalogue number:"), this);
    noradLabel->setBuddy(noradBox_);

    statusLine_ = new QLabel(this);
    statusLine_->setObjectName(QStringLiteral("StatusLine"));
    statusLine_->setWordWrap(true);
    statusLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    exportButton_ = new QPushButton(QStringLiteral("&Export\u2026"), this);
    exportButton_->setObjectName(QStringLiteral("ExportButton"));
    exportButton_->setDefault(true);
    closeButton_ = new QPushButton(QStringLiteral("Close"), this);
    closeButton_->setObjectName(QStringLiteral("CloseExport"));

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(formatLabel, formatBox_);
    form->addRow(modelLabel, modelBox_);
    form->addRow(daysLabel, daysBox_);
    form->addRow(stepLabel, stepBox_);
    form->addRow(nameLabel, objectNameBox_);
    form->addRow(idLabel, objectIdBox_);
    form->addRow(noradLabel, noradBox_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exportButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(designLine_);
    layout->addLayout(form);
    layout->addWidget(statusLine_, 1, Qt::AlignTop);
    layout->addLayout(buttons);

    platform::CloseOnEscape(*this, closeButton_);
    connect(exportButton_, &QPushButton::clicked, this, platform::Handler(this, &ExportWindow::Export_Click));
    connect(formatBox_, &QComboBox::currentIndexChanged, this, [this] {
        platform::RunHandler(this, [this] { Format_Change(); });
    });

    Format_Change();
    ShowState();
    platform::SizeToScreen(*this, kFirstSize);
}

ExportWindow::~ExportWindow() = default;

void ExportWindow::FollowSession(std::shared_ptr<orbit::session::DesignSession> session)
{
    fixedDesign_.reset();
    session_ = std::move(session);
    following_ = session_->Follow([this] { platform::RunHandler(this, [this] { ShowState(); }); });
    ShowState();
}

void ExportWindow::ShowDesign(const orbit::session::CompletedDesign& design,
                              const orbit::session::MissionContext& mission)
{
    following_ = {};
    session_.reset();
    fixedDesign_ = design;
    fixedMission_ = mission;
    ShowState();
}

void ExportWindow::ShowWindow()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void ExportWindow::SetSaveDialog(SaveDialog dialog) { saveDialog_ = std::move(dialog); }

const orbit::session::CompletedDesign* ExportWindow::Design() const
{
    if (fixedDesign_)
        return &*fixedDesign_;
    return session_ && session_->LastCompleted() ? &*session_->LastCompleted() : nullptr;
}

const orbit::session::MissionContext& ExportWindow::Mission() const
{
    return session_ ? session_->Mission() : fixedMission_;
}

ExportFormat ExportWindow::FormatShown() const
{
    const int index = std::max(0, formatBox_->currentIndex());
    return kFormats[index].format;
}

orbit::exports::ExportChoices ExportWindow::ChoicesShown(double cycleS) const
{
    orbit::exports::ExportChoices c;
    c.format = FormatShown();
    c.spanS = daysBox_->value() > 0 ? daysBox_->value() * 86400 : cycleS;
    c.stepS = stepBox_->value();
    const std::string name = objectNameBox_->text().trimmed().toStdString();
    if (!name.empty())
        c.objectName = name;
    const std::string id = objectIdBox_->text().trimmed().toStdString();
    c.objectId = id.empty() ? "UNKNOWN" : id;
    c.norad = noradBox_->value();
    c.swathKm = Mission().swathKm.value_or(0);
    return c;
}

QString ExportWindow::ProposedName() const
{
    const orbit::session::CompletedDesign* design = Design();
    if (!design)
        return {};
    return QString::fromStdString(ProposedFileName(design->record, design->type, Mission().node, FormatShown()));
}

void ExportWindow::Format_Change()
{
    const ExportFormat format = FormatShown();
    const bool oem = format == ExportFormat::Oem;
    const bool fitted = format == ExportFormat::Tle || format == ExportFormat::Omm;
    const bool spanned = format == ExportFormat::Oem || format == ExportFormat::Gmat ||
                         format == ExportFormat::GeoJson || format == ExportFormat::Kml;
    stepBox_->setEnabled(oem);
    noradBox_->setEnabled(fitted);
    daysBox_->setEnabled(spanned);
    ShowState();
}

void ExportWindow::ShowState()
{
    const orbit::session::CompletedDesign* design = Design();
    const orbit::session::MissionContext& mission = Mission();
    QString line;
    if (!design)
        line = QStringLiteral("No design to export yet: compute one in the design window.");
    else if (!mission.HasEpoch())
        line = QString::fromStdString(orbit::DesignName(design->record, design->type)) + QStringLiteral(".\n") +
               QString::fromUtf8(mission_window::kEpochNeeded);
    else {
        line = QStringLiteral("%1, epoch %2, %3")
                   .arg(QString::fromStdString(orbit::DesignName(design->record, design->type)),
                        QString::fromStdString(mission.epoch->IsoUtc(0)),
                        QString::fromStdString(mission_window::NodeRequestText(mission.node)));
        const ExportFormat format = FormatShown();
        if (format == ExportFormat::GeoJson || format == ExportFormat::Kml)
            line += mission.swathKm ? QStringLiteral(", swath %1 km").arg(*mission.swathKm)
                                    : QStringLiteral(", no swath (set one in Mission\u2026)");
    }
    designLine_->setText(line);
    exportButton_->setEnabled(design && mission.HasEpoch() && !IsExporting());
}

void ExportWindow::Export_Click()
{
    const orbit::session::CompletedDesign* design = Design();
    const orbit::session::MissionContext mission = Mission();
    if (!design || !mission.HasEpoch() || IsExporting())
        return;
    const QString proposed = QDir(LastExportFolder()).filePath(ProposedName());
    QString path = saveDialog_ ? saveDialog_(this, proposed, QString::fromUtf8(kFormats[formatBox_->currentIndex()].filter))
                               : QString();
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".") + QString::fromUtf8(orbit::exports::FileSuffix(FormatShown()));
    RememberExportFolder(path);

    const orbit::exports::ExportDesign exportDesign{design->record, design->type, design->solution};
    const std::string modelName = modelBox_->currentData().toString().toStdString();
    const orbit::exports::ExportChoices choices = ChoicesShown(0);
    const bool oneCycle = daysBox_->value() == 0;
    statusLine_->setText(QStringLiteral("Exporting to %1\u2026").arg(QDir::toNativeSeparators(path)));
    exporting_.Start(
        [=](const std::atomic<bool>&) -> ExportResult {
            try {
                using namespace orbit;
                if (choices.objectName)
                    exports::PlainText(*choices.objectName, "object name");
                exports::PlainText(choices.objectId, "object identifier");
                const exports::ExportOrbit orbit = exports::DesignExportOrbit(
                    exportDesign, *mission.epoch, mission.node, propagation::GravityModelNamed(modelName));
                exports::ExportChoices spanned = choices;
                if (oneCycle)
                    spanned.spanS = orbit.cycleS;
                // Written as it is made: an ephemeris of a year every second
                // would not fit in memory whole.
                std::string fitLine;
                platform::StreamOutputFile(path, [&](const std::function<void(std::string_view)>& write) {
                    fitLine = exports::StreamExport(orbit, spanned, write);
                });
                return {QString(), QString::fromStdString(fitLine)};
            } catch (const std::exception& e) {
                return {QString::fromStdString(e.what()), QString()};
            }
        },
        [this, path](const ExportResult& result) { ExportDone(path, result.error, result.fitLine); });
    ShowState();
}

void ExportWindow::ExportDone(const QString& path, const QString& error, const QString& fitLine)
{
    ShowState();
    if (!error.isEmpty()) {
        statusLine_->setText(QStringLiteral("Not exported: %1").arg(error));
        platform::ReportError(this, error);
        emit ExportFailed(error);
        return;
    }
    QString status = QStringLiteral("Exported %1").arg(QDir::toNativeSeparators(path));
    if (!fitLine.isEmpty())
        status += QStringLiteral("\n") + fitLine;
    statusLine_->setText(status);
    emit Exported(path);
}

ExportWindow* ExportOrbit(QWidget* parent, const orbit::session::CompletedDesign& design,
                          const orbit::session::MissionContext& mission)
{
    auto* window = new ExportWindow(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->ShowDesign(design, mission);
    window->ShowWindow();
    return window;
}

}  // namespace export_window
