#include "mission_window/mission_window.h"

#include "analysis/swath_coverage.h"
#include "core/orbit_error.h"
#include "map/ground_track_map.h"
#include "mission_window/mission_text.h"
#include "platform/handler_boundary.h"
#include "platform/window_placement.h"
#include "platform/window_close.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace mission_window {

namespace {

using orbit::ephemeris::NodeGiven;
using orbit::session::MissionContext;

const QSize kFirstSize(560, 440);

int IndexOfNode(NodeGiven given)
{
    switch (given) {
    case NodeGiven::Ltan: return 0;
    case NodeGiven::Ltdn: return 1;
    case NodeGiven::RaanEme2000: return 2;
    }
    return 0;
}

NodeGiven NodeOfIndex(int index)
{
    return index == 0 ? NodeGiven::Ltan : index == 1 ? NodeGiven::Ltdn : NodeGiven::RaanEme2000;
}

int IndexOfPasses(orbit::analysis::PassDirection passes)
{
    using orbit::analysis::PassDirection;
    return passes == PassDirection::Ascending ? 1 : passes == PassDirection::Descending ? 2 : 0;
}

orbit::analysis::PassDirection PassesOfIndex(int index)
{
    using orbit::analysis::PassDirection;
    return index == 1 ? PassDirection::Ascending : index == 2 ? PassDirection::Descending : PassDirection::Both;
}

}  // namespace

namespace {

// An epoch with no fraction of a second is written without one.
std::string EpochText(const orbit::ephemeris::Instant& epoch)
{
    const std::string milli = epoch.IsoUtc(3);
    return milli.ends_with(".000Z") ? epoch.IsoUtc(0) : milli;
}

}  // namespace

MissionWindow::MissionWindow(std::shared_ptr<orbit::session::DesignSession> session, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(std::move(session))
{
    setObjectName(QStringLiteral("Mission"));
    setWindowTitle(QStringLiteral("Mission"));

    epochCheck_ = new QCheckBox(QStringLiteral("&Epoch (UTC):"), this);
    epochCheck_->setObjectName(QStringLiteral("EpochCheck"));
    epochCheck_->setToolTip(QStringLiteral("Without an epoch the track stays relative: no true longitudes, no Sun"));
    epochEdit_ = new QLineEdit(this);
    epochEdit_->setObjectName(QStringLiteral("EpochEdit"));
    epochEdit_->setPlaceholderText(QStringLiteral("YYYY-MM-DDThh:mm[:ss]Z"));
    epochEdit_->setToolTip(QStringLiteral(
        "The UTC instant of day 0's first ascending node, as repeat-orbit --epoch takes it: 2027-03-21T10:00Z"));
    const QDate today = QDateTime::currentDateTimeUtc().date();
    epochEdit_->setText(today.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("T00:00:00Z"));

    nodeKindBox_ = new QComboBox(this);
    nodeKindBox_->setObjectName(QStringLiteral("NodeKind"));
    nodeKindBox_->addItems({QStringLiteral("Mean LTAN"), QStringLiteral("Mean LTDN"), QStringLiteral("RAAN (EME2000)")});
    nodeKindBox_->setToolTip(QStringLiteral(
        "The node as the mean local time of the ascending or descending node, or its right ascension"));
    nodeTimeEdit_ = new QLineEdit(QStringLiteral("10:30:00"), this);
    nodeTimeEdit_->setObjectName(QStringLiteral("NodeTime"));
    nodeTimeEdit_->setPlaceholderText(QStringLiteral("HH:MM[:SS]"));
    nodeTimeEdit_->setToolTip(QStringLiteral("Mean local time of the node, as repeat-orbit --ltan and --ltdn take it"));
    raanBox_ = new QDoubleSpinBox(this);
    raanBox_->setObjectName(QStringLiteral("RaanBox"));
    raanBox_->setRange(-360, 360);
    raanBox_->setDecimals(4);
    raanBox_->setSuffix(QStringLiteral("\u00b0"));
    raanBox_->setKeyboardTracking(false);
    auto* nodeLabel = new QLabel(QStringLiteral("&Node:"), this);
    nodeLabel->setBuddy(nodeKindBox_);
    auto* nodeRow = new QHBoxLayout;
    nodeRow->addWidget(nodeKindBox_);
    nodeRow->addWidget(nodeTimeEdit_, 1);
    nodeRow->addWidget(raanBox_, 1);

    swathBox_ = new QDoubleSpinBox(this);
    swathBox_->setObjectName(QStringLiteral("SwathBox"));
    swathBox_->setRange(0, world_map::kMaxSwathKm);
    swathBox_->setDecimals(1);
    swathBox_->setSingleStep(10);
    swathBox_->setSuffix(QStringLiteral(" km"));
    swathBox_->setSpecialValueText(QStringLiteral("none"));
    swathBox_->setKeyboardTracking(false);
    swathBox_->setToolTip(QStringLiteral("Full width of the instrument's swath; none gives no coverage figures"));
    auto* swathLabel = new QLabel(QStringLiteral("S&wath width:"), this);
    swathLabel->setBuddy(swathBox_);

    satellitesBox_ = new QSpinBox(this);
    satellitesBox_->setObjectName(QStringLiteral("SatellitesBox"));
    satellitesBox_->setRange(1, orbit::analysis::kMaxSatellites);
    satellitesBox_->setKeyboardTracking(false);
    satellitesBox_->setToolTip(QStringLiteral("Satellites sharing the orbit, evenly spaced along it"));
    auto* satellitesLabel = new QLabel(QStringLiteral("&Satellites:"), this);
    satellitesLabel->setBuddy(satellitesBox_);

    passesBox_ = new QComboBox(this);
    passesBox_->setObjectName(QStringLiteral("PassesBox"));
    passesBox_->addItems({QStringLiteral("Ascending and descending"), QStringLiteral("Ascending only"),
                          QStringLiteral("Descending only")});
    auto* passesLabel = new QLabel(QStringLiteral("&Passes counted:"), this);
    passesLabel->setBuddy(passesBox_);

    sunMinCheck_ = new QCheckBox(QStringLiteral("&Daylight only, Sun at least:"), this);
    sunMinCheck_->setObjectName(QStringLiteral("SunMinCheck"));
    sunMinCheck_->setToolTip(QStringLiteral("Count a look only with the Sun this high at the place seen"));
    sunMinBox_ = new QDoubleSpinBox(this);
    sunMinBox_->setObjectName(QStringLiteral("SunMinBox"));
    sunMinBox_->setRange(-90, 90);
    sunMinBox_->setDecimals(1);
    sunMinBox_->setSuffix(QStringLiteral("\u00b0"));
    sunMinBox_->setValue(10);
    sunMinBox_->setKeyboardTracking(false);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(epochCheck_, epochEdit_);
    form->addRow(nodeLabel, nodeRow);
    form->addRow(swathLabel, swathBox_);
    form->addRow(satellitesLabel, satellitesBox_);
    form->addRow(passesLabel, passesBox_);
    form->addRow(sunMinCheck_, sunMinBox_);

    inputProblem_ = new QLabel(this);
    inputProblem_->setObjectName(QStringLiteral("InputProblem"));
    inputProblem_->setWordWrap(true);
    inputProblem_->setStyleSheet(QStringLiteral("color: #b00020"));
    inputProblem_->hide();

    auto* figuresBox = new QGroupBox(QStringLiteral("The node of the last completed design"), this);
    nodeFigures_ = new QLabel(figuresBox);
    nodeFigures_->setObjectName(QStringLiteral("NodeFigures"));
    nodeFigures_->setWordWrap(true);
    nodeFigures_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    nodeFigures_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* figuresLayout = new QVBoxLayout(figuresBox);
    figuresLayout->addWidget(nodeFigures_);

    closeButton_ = new QPushButton(QStringLiteral("Close"), this);
    closeButton_->setObjectName(QStringLiteral("CloseMission"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(closeButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(inputProblem_);
    layout->addWidget(figuresBox, 1);
    layout->addLayout(buttons);

    setTabOrder(epochCheck_, epochEdit_);
    setTabOrder(epochEdit_, nodeKindBox_);
    setTabOrder(nodeKindBox_, nodeTimeEdit_);
    setTabOrder(nodeTimeEdit_, raanBox_);
    setTabOrder(raanBox_, swathBox_);
    setTabOrder(swathBox_, satellitesBox_);
    setTabOrder(satellitesBox_, passesBox_);
    setTabOrder(passesBox_, sunMinCheck_);
    setTabOrder(sunMinCheck_, sunMinBox_);
    setTabOrder(sunMinBox_, nodeFigures_);
    setTabOrder(nodeFigures_, closeButton_);

    platform::CloseOnEscape(*this, closeButton_);

    ShowMission(session_->Mission());
    ShowNodeFigures();

    const auto changed = platform::Handler(this, &MissionWindow::Mission_Change);
    connect(epochCheck_, &QCheckBox::toggled, this, changed);
    connect(epochEdit_, &QLineEdit::editingFinished, this, changed);
    connect(nodeKindBox_, &QComboBox::currentIndexChanged, this, changed);
    connect(nodeTimeEdit_, &QLineEdit::editingFinished, this, changed);
    connect(raanBox_, &QDoubleSpinBox::valueChanged, this, changed);
    connect(swathBox_, &QDoubleSpinBox::valueChanged, this, changed);
    connect(satellitesBox_, &QSpinBox::valueChanged, this, changed);
    connect(passesBox_, &QComboBox::currentIndexChanged, this, changed);
    connect(sunMinCheck_, &QCheckBox::toggled, this, changed);
    connect(sunMinBox_, &QDoubleSpinBox::valueChanged, this, changed);

    following_ = session_->Follow([this] { platform::RunHandler(this, [this] { SessionChanged(); }); });
    platform::SizeToScreen(*this, kFirstSize);
}

MissionWindow::~MissionWindow() = default;

void MissionWindow::ShowWindow()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

MissionContext MissionWindow::MissionShown() const
{
    MissionContext mission;
    if (epochCheck_->isChecked()) {
        try {
            mission.epoch = orbit::ephemeris::ParseIsoUtc(epochEdit_->text().trimmed().toStdString());
        } catch (const orbit::OrbitError& e) {
            throw orbit::OrbitError(orbit::ErrorKind::Usage, std::string("Epoch: ") + e.what());
        }
    }
    mission.node.given = NodeOfIndex(nodeKindBox_->currentIndex());
    if (mission.node.given == NodeGiven::RaanEme2000)
        mission.node.value = raanBox_->value();
    else
        try {
            mission.node.value = orbit::ephemeris::ParseLocalTimeHours(nodeTimeEdit_->text().trimmed().toStdString());
        } catch (const orbit::OrbitError& e) {
            throw orbit::OrbitError(orbit::ErrorKind::Usage, std::string("Node's local time: ") + e.what());
        }
    if (swathBox_->value() > 0)
        mission.swathKm = swathBox_->value();
    mission.satellites = satellitesBox_->value();
    mission.passes = PassesOfIndex(passesBox_->currentIndex());
    if (sunMinCheck_->isChecked())
        mission.sunMinDeg = sunMinBox_->value();
    return mission;
}

void MissionWindow::Mission_Change()
{
    ShowEnabledStates();
    // A text that is no epoch or local time is said beside the boxes, and
    // the session keeps the mission it had: nothing half typed reaches the
    // other windows.
    MissionContext mission;
    try {
        mission = MissionShown();
    } catch (const orbit::OrbitError& e) {
        inputProblem_->setText(QString::fromUtf8(e.what()));
        inputProblem_->show();
        return;
    }
    inputProblem_->hide();
    inputProblem_->clear();
    applying_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{applying_};
    session_->SetMission(mission);
}

void MissionWindow::SessionChanged()
{
    if (!applying_)
        ShowMission(session_->Mission());
    ShowNodeFigures();
}

void MissionWindow::ShowMission(const MissionContext& mission)
{
    inputProblem_->hide();
    const QSignalBlocker b1(epochCheck_), b2(epochEdit_), b3(nodeKindBox_), b4(nodeTimeEdit_), b5(raanBox_),
        b6(swathBox_), b7(satellitesBox_), b8(passesBox_), b9(sunMinCheck_), b10(sunMinBox_);
    epochCheck_->setChecked(mission.HasEpoch());
    if (mission.epoch)
        epochEdit_->setText(QString::fromStdString(EpochText(*mission.epoch)));
    nodeKindBox_->setCurrentIndex(IndexOfNode(mission.node.given));
    if (mission.node.given == NodeGiven::RaanEme2000)
        raanBox_->setValue(mission.node.value);
    else
        nodeTimeEdit_->setText(QString::fromStdString(orbit::ephemeris::LocalTimeText(mission.node.value)));
    swathBox_->setValue(mission.swathKm.value_or(0));
    satellitesBox_->setValue(mission.satellites);
    passesBox_->setCurrentIndex(IndexOfPasses(mission.passes));
    sunMinCheck_->setChecked(mission.sunMinDeg.has_value());
    if (mission.sunMinDeg)
        sunMinBox_->setValue(*mission.sunMinDeg);
    ShowEnabledStates();
}

void MissionWindow::ShowEnabledStates()
{
    epochEdit_->setEnabled(epochCheck_->isChecked());
    const bool raan = NodeOfIndex(nodeKindBox_->currentIndex()) == NodeGiven::RaanEme2000;
    nodeTimeEdit_->setVisible(!raan);
    raanBox_->setVisible(raan);
    sunMinBox_->setEnabled(sunMinCheck_->isChecked());
}

void MissionWindow::ShowNodeFigures()
{
    nodeFigures_->setText(
        QString::fromStdString(NodeSummaryText(session_->LastCompleted(), session_->Mission())));
    emit FiguresShown();
}

}  // namespace mission_window
