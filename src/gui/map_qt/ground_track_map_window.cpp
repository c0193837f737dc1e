#include "map_qt/ground_track_map_window.h"

#include "core/design_name.h"
#include "core/constants.h"
#include "core/orbit_error.h"
#include "map_qt/map_export.h"
#include "map_qt/map_scene.h"
#include "map_qt/map_widget.h"
#include "map_qt/world_shapes.h"
#include "platform/handler_boundary.h"
#include "platform/window_placement.h"
#include "platform/window_close.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QTimeZone>
#include <QSlider>
#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace world_map {

namespace {

GroundTrackMapWindow* instance = nullptr;

// The window lives for the whole run and goes before the application object
// does, while widgets can still be destroyed.
void DestroyInstance()
{
    delete instance;
    instance = nullptr;
}

const QSize kFirstSize(1000, 620);
// How near the pointer a track must pass for the status line to name it.
constexpr double kTrackPickPixels = 4;

QString AskForPictureFile(QWidget* parent)
{
    QString filter;
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Save picture"),
                                                QStringLiteral("ground_track_map.png"),
                                                QStringLiteral("PNG image (*.png);;SVG drawing (*.svg)"), &filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += filter.contains(QLatin1String("svg")) ? QStringLiteral(".svg") : QStringLiteral(".png");
    return path;
}

// The mission's epoch and node as a key: a change of either redraws.
std::string EpochKey(const orbit::session::MissionContext& mission)
{
    if (!mission.epoch)
        return {};
    return mission.epoch->IsoUtc(3) + " " + std::to_string(static_cast<int>(mission.node.given)) + " " +
           std::to_string(mission.node.value);
}

// An instant as Qt's UTC date and time, to the second (a leap second as the
// last second of its minute).
QDateTime UtcDateTime(const orbit::ephemeris::Instant& t)
{
    const orbit::ephemeris::UtcCalendar c = t.Calendar();
    const int second = std::min(59, static_cast<int>(std::floor(c.second)));
    return QDateTime(QDate(c.year, c.month, c.day), QTime(c.hour, c.minute, second), Qt::UTC);
}

}  // namespace

QString PlaceText(double lonDeg, double latDeg)
{
    const auto part = [](double deg, QChar positive, QChar negative) {
        return QStringLiteral("%1\u00b0 %2").arg(std::fabs(deg), 0, 'f', 2).arg(deg < 0 ? negative : positive);
    };
    return QStringLiteral("Latitude %1, longitude %2").arg(part(latDeg, 'N', 'S'), part(lonDeg, 'E', 'W'));
}

GroundTrackMapWindow& GroundTrackMapWindow::Instance()
{
    if (!instance) {
        instance = new GroundTrackMapWindow;
        qAddPostRoutine(DestroyInstance);
    }
    return *instance;
}

GroundTrackMapWindow::GroundTrackMapWindow() : QWidget(nullptr), saveDialog_(AskForPictureFile)
{
    setObjectName(QStringLiteral("GroundTrackMap"));
    setWindowTitle(QStringLiteral("Ground Track Map"));

    daysBox_ = new QSpinBox(this);
    daysBox_->setObjectName(QStringLiteral("DaysBox"));
    daysBox_->setRange(1, 1);
    daysBox_->setToolTip(QStringLiteral("How many days of the repeat cycle to draw, from day 0"));
    auto* daysLabel = new QLabel(QStringLiteral("&Days shown:"), this);
    daysLabel->setBuddy(daysBox_);

    swathBox_ = new QDoubleSpinBox(this);
    swathBox_->setObjectName(QStringLiteral("SwathBox"));
    swathBox_->setRange(0, kMaxSwathKm);
    swathBox_->setDecimals(0);
    swathBox_->setSingleStep(10);
    swathBox_->setSuffix(QStringLiteral(" km"));
    swathBox_->setSpecialValueText(QStringLiteral("none"));
    // Typing 290 redraws once, not after each digit.
    swathBox_->setKeyboardTracking(false);
    swathBox_->setToolTip(QStringLiteral("Full width of the instrument's swath, centred on the track"));
    auto* swathLabel = new QLabel(QStringLiteral("S&wath width:"), this);
    swathLabel->setBuddy(swathBox_);

    saveButton_ = new QPushButton(QStringLiteral("&Save picture\u2026"), this);
    saveButton_->setObjectName(QStringLiteral("SavePicture"));
    closeButton_ = new QPushButton(QStringLiteral("Close"), this);
    closeButton_->setObjectName(QStringLiteral("CloseMap"));

    nightBox_ = new QCheckBox(QStringLiteral("&Night"), this);
    nightBox_->setObjectName(QStringLiteral("NightBox"));
    timeSlider_ = new QSlider(Qt::Horizontal, this);
    timeSlider_->setObjectName(QStringLiteral("TimeSlider"));
    timeSlider_->setRange(0, 0);
    timeSlider_->setPageStep(60);
    timeSlider_->setMinimumWidth(160);
    timeSlider_->setAccessibleName(QStringLiteral("Time of day and night"));
    timeBox_ = new QDateTimeEdit(this);
    timeBox_->setObjectName(QStringLiteral("TimeBox"));
    timeBox_->setTimeSpec(Qt::UTC);
    timeBox_->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'"));
    timeBox_->setKeyboardTracking(false);
    timeBox_->setAccessibleName(QStringLiteral("Time of day and night, UTC"));
    auto* timeTitle = new QLabel(QStringLiteral("&Time:"), this);
    timeTitle->setBuddy(timeSlider_);

    map_ = new MapWidget(this);
    statusLine_ = new QLabel(this);
    statusLine_->setObjectName(QStringLiteral("StatusLine"));
    statusLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* controls = new QHBoxLayout;
    controls->addWidget(daysLabel);
    controls->addWidget(daysBox_);
    controls->addSpacing(12);
    controls->addWidget(swathLabel);
    controls->addWidget(swathBox_);
    controls->addSpacing(12);
    controls->addWidget(nightBox_);
    controls->addWidget(timeTitle);
    controls->addWidget(timeSlider_, 1);
    controls->addWidget(timeBox_);
    controls->addStretch(1);
    controls->addWidget(saveButton_);
    controls->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(map_, 1);
    layout->addWidget(statusLine_);
    setTabOrder(daysBox_, swathBox_);
    setTabOrder(swathBox_, nightBox_);
    setTabOrder(nightBox_, timeSlider_);
    setTabOrder(timeSlider_, timeBox_);
    setTabOrder(timeBox_, map_);
    setTabOrder(map_, saveButton_);
    setTabOrder(saveButton_, closeButton_);

    platform::CloseOnEscape(*this, closeButton_);

    using platform::Handler;
    connect(daysBox_, &QSpinBox::valueChanged, this, Handler(this, &GroundTrackMapWindow::DaysBox_Change));
    connect(swathBox_, &QDoubleSpinBox::valueChanged, this, Handler(this, &GroundTrackMapWindow::SwathBox_Change));
    connect(saveButton_, &QPushButton::clicked, this, Handler(this, &GroundTrackMapWindow::SavePicture_Click));
    connect(nightBox_, &QCheckBox::toggled, this, Handler(this, &GroundTrackMapWindow::NightBox_Change));
    connect(timeSlider_, &QSlider::valueChanged, this, Handler(this, &GroundTrackMapWindow::TimeSlider_Change));
    connect(timeBox_, &QDateTimeEdit::dateTimeChanged, this, Handler(this, &GroundTrackMapWindow::TimeBox_Change));
    connect(map_, &MapWidget::PointerMoved, this, &GroundTrackMapWindow::ShowPointer);
    connect(map_, &MapWidget::PointerLeft, this, &GroundTrackMapWindow::ShowHint);
    ShowHint();
    platform::SizeToScreen(*this, kFirstSize);
}

GroundTrackMapWindow::~GroundTrackMapWindow() = default;

void GroundTrackMapWindow::ShowDesign(const MapDesign& design)
{
    // A design given by hand is not the session's: stop following.
    following_ = {};
    session_.reset();
    shownDesignNumber_ = 0;
    DrawDesign(design);
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void GroundTrackMapWindow::FollowSession(std::shared_ptr<orbit::session::DesignSession> session)
{
    const orbit::session::CompletedDesign* last =
        session && session->LastCompleted() ? &*session->LastCompleted() : nullptr;
    if (!last)
        throw orbit::OrbitError(orbit::ErrorKind::Usage, "No design has been computed yet");
    const bool newSession = session != session_;
    const std::shared_ptr<orbit::session::DesignSession> previous = session_;
    session_ = session;
    try {
        if (newSession)
            missionSwathKm_.reset();
        FollowMissionSwath();
        if (newSession || last->number != shownDesignNumber_ || EpochKey(session_->Mission()) != shownEpochKey_) {
            DrawDesign(SessionDesign());
            shownEpochKey_ = EpochKey(session_->Mission());
        }
    } catch (...) {
        session_ = previous;  // the window stays as it was
        throw;
    }
    shownDesignNumber_ = last->number;
    if (newSession)
        following_ = session_->Follow([this] { platform::RunHandler(this, [this] { SessionChanged(); }); });
    ShowTitle();
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void GroundTrackMapWindow::SessionChanged()
{
    const std::optional<orbit::session::CompletedDesign>& last = session_->LastCompleted();
    // Drawn only while open: a hidden map catches up when it is shown again.
    if (last && (last->number != shownDesignNumber_ || EpochKey(session_->Mission()) != shownEpochKey_) &&
        isVisible()) {
        DrawDesign(SessionDesign());
        shownDesignNumber_ = last->number;
        shownEpochKey_ = EpochKey(session_->Mission());
    }
    FollowMissionSwath();
    ShowTitle();
}

void GroundTrackMapWindow::FollowMissionSwath()
{
    const std::optional<double> swathKm = session_->Mission().swathKm;
    if (missionSwathKm_ && *missionSwathKm_ == swathKm)
        return;
    missionSwathKm_ = swathKm;
    swathBox_->setValue(swathKm.value_or(0));  // redraws through the box's change
}

void GroundTrackMapWindow::ShowTitle()
{
    const bool shown = !session_ || (session_->LastIsShown() && session_->LastCompleted()->number == shownDesignNumber_);
    setWindowTitle(MapWindowTitle(shownDesignName_, shown));
}

QString MapWindowTitle(const std::string& designName, bool shownInDesignWindow)
{
    const QString name = QString::fromStdString(designName);
    return shownInDesignWindow ? QStringLiteral("Ground Track Map \u2014 %1").arg(name)
                               : QStringLiteral("Ground Track Map \u2014 last completed design: %1").arg(name);
}

MapDesign GroundTrackMapWindow::SessionDesign() const
{
    const orbit::session::CompletedDesign& last = *session_->LastCompleted();
    MapDesign design{last.record, last.type, last.solution.MeanAltitude, std::nullopt};
    const orbit::session::MissionContext& mission = session_->Mission();
    if (const std::optional<orbit::ephemeris::OrbitNode> node = orbit::session::NodeOf(last, mission))
        design.epoch = MapEpoch{*mission.epoch, node->longitudeRad * orbit::kDegreesPerRadian};
    return design;
}

void GroundTrackMapWindow::DrawDesign(const MapDesign& design)
{
    auto scene = std::make_shared<MapScene>(InstalledWorld(), design, swathBox_->value());
    const int days = scene->Map().DayLimit();
    {
        const QSignalBlocker blocker(daysBox_);
        daysBox_->setRange(1, days);
        daysBox_->setValue(days);
    }
    const bool epoch = design.epoch.has_value();
    {
        const QSignalBlocker nightBlocker(nightBox_);
        const QSignalBlocker sliderBlocker(timeSlider_);
        timeSlider_->setRange(0, static_cast<int>(std::floor(scene->Map().SpanS() / 60)));
        if (!epoch) {
            nightBox_->setChecked(false);
            timeSlider_->setValue(0);
        }
    }
    const QString needsEpoch = QStringLiteral("Day and night need the mission's epoch and node");
    nightBox_->setEnabled(epoch);
    timeSlider_->setEnabled(epoch);
    timeBox_->setEnabled(epoch);
    timeBox_->setToolTip(epoch ? QStringLiteral("The instant of day and night, UTC") : needsEpoch);
    if (epoch) {
        const QSignalBlocker boxBlocker(timeBox_);
        const QDateTime start = UtcDateTime(design.epoch->epoch);
        timeBox_->setDateTimeRange(start, start.addSecs(static_cast<qint64>(timeSlider_->maximum()) * 60));
    }
    nightBox_->setToolTip(epoch ? QStringLiteral("Shade the night side at the time chosen") : needsEpoch);
    timeSlider_->setToolTip(epoch ? QStringLiteral("The instant of day and night, across the days offered")
                                  : needsEpoch);
    if (epoch && nightBox_->isChecked())
        scene->SetNightAt(timeSlider_->value() * 60.0);
    map_->SetScene(std::move(scene), days);
    ShowNight();
    shownDesignName_ = orbit::DesignName(design.record, design.type);
    ShowTitle();
}

void GroundTrackMapWindow::SetSaveDialog(SaveDialog dialog) { saveDialog_ = std::move(dialog); }

void GroundTrackMapWindow::NightBox_Change(bool) { ShowNight(); }

void GroundTrackMapWindow::TimeSlider_Change(int) { ShowNight(); }

void GroundTrackMapWindow::TimeBox_Change(const QDateTime& utc)
{
    const MapScene* scene = map_->Scene();
    if (!scene || !scene->Map().HasEpoch())
        return;
    const QDateTime start = UtcDateTime(scene->Map().Design().epoch->epoch);
    timeSlider_->setValue(static_cast<int>(start.secsTo(utc) / 60));
}

void GroundTrackMapWindow::ShowNight()
{
    MapScene* scene = map_->Scene();
    if (!scene || !scene->Map().HasEpoch())
        return;
    const double seconds = timeSlider_->value() * 60.0;
    {
        const QSignalBlocker blocker(timeBox_);
        timeBox_->setDateTime(UtcDateTime(scene->Map().Design().epoch->epoch.PlusSeconds(seconds)));
    }
    const std::optional<double> at = nightBox_->isChecked() ? std::optional<double>(seconds) : std::nullopt;
    const std::optional<NightShapes>& shown = scene->Night();
    if ((shown ? std::optional<double>(shown->secondsAfterStart) : std::nullopt) == at)
        return;
    scene->SetNightAt(at);
    map_->Refresh();
}

void GroundTrackMapWindow::DaysBox_Change(int days) { map_->SetDays(days); }

void GroundTrackMapWindow::SwathBox_Change(double swathKm)
{
    MapScene* scene = map_->Scene();
    if (!scene)
        return;
    scene->SetSwathKm(swathKm);
    map_->Refresh();
}

void GroundTrackMapWindow::SavePicture_Click()
{
    const MapScene* scene = map_->Scene();
    if (!scene || IsSaving())
        return;
    QString path = saveDialog_ ? saveDialog_(this) : QString();
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    const bool svg = QFileInfo(path).suffix().toLower() == QLatin1String("svg");

    // A month of tracks with their swath takes a quarter of a second to draw
    // and encode at this size: too long for the window to stand still. The
    // picture is drawn from a scene of its own: a new swath width in the window
    // meanwhile would drop the shapes of the window's scene under it.
    const std::shared_ptr<const WorldShapes> world = InstalledWorld();
    const MapDesign design = scene->Map().Design();
    const double swathKm = scene->SwathKm();
    const int days = map_->Days();
    const Viewport view = map_->View();
    const std::optional<double> nightAt =
        scene->Night() ? std::optional<double>(scene->Night()->secondsAfterStart) : std::nullopt;
    savingPath_ = path;
    saveButton_->setEnabled(false);
    statusLine_->setText(QStringLiteral("Saving %1\u2026").arg(QDir::toNativeSeparators(path)));
    saving_.Start(
        [=](const std::atomic<bool>&) -> QString {
            try {
                MapScene picture(world, design, swathKm);
                picture.SetNightAt(nightAt);
                if (svg)
                    WriteMapSvg(picture, days, path, kDefaultPictureSize, view);
                else
                    WriteMapPng(picture, days, path, kDefaultPictureSize, view);
            } catch (const std::exception& e) {
                return QString::fromStdString(e.what());
            }
            return QString();
        },
        [this](const QString& error) { PictureSaved(error); });
}

void GroundTrackMapWindow::PictureSaved(const QString& error)
{
    saveButton_->setEnabled(true);
    if (!error.isEmpty()) {
        ShowHint();
        platform::ReportError(this, error);
        return;
    }
    statusLine_->setText(QStringLiteral("Saved %1").arg(QDir::toNativeSeparators(savingPath_)));
}

void GroundTrackMapWindow::ShowPointer(double lonDeg, double latDeg)
{
    QString text = PlaceText(lonDeg, latDeg);
    if (const MapScene* scene = map_->Scene()) {
        // A track within a few pixels of the pointer: its day and time.
        const QRectF frame = map_->Frame();
        const double degreesPerPixel = frame.width() > 0 ? map_->View().WidthDeg() / frame.width() : 1;
        if (const std::optional<TrackPoint> point =
                scene->Map().NearestTrackPoint({lonDeg, latDeg}, map_->Days(), kTrackPickPixels * degreesPerPixel))
            text += QStringLiteral(" \u2014 ") + TrackTimeText(scene->Map(), *point);
    }
    statusLine_->setText(text);
}

QString TrackTimeText(const GroundTrackMap& map, const TrackPoint& point)
{
    const double intoDay = point.secondsAfterStart - point.day * map.DayLengthS();
    if (const std::optional<MapEpoch>& epoch = map.Design().epoch)
        return QStringLiteral("track of day %1, %2")
            .arg(point.day)
            .arg(QString::fromStdString(epoch->epoch.PlusSeconds(point.secondsAfterStart).IsoUtc(0)));
    const long seconds = std::lround(std::max(0.0, intoDay));
    return QStringLiteral("track of day %1, %2:%3:%4 into the day")
        .arg(point.day)
        .arg(seconds / 3600, 2, 10, QChar('0'))
        .arg(seconds / 60 % 60, 2, 10, QChar('0'))
        .arg(seconds % 60, 2, 10, QChar('0'));
}

void GroundTrackMapWindow::ShowHint()
{
    statusLine_->setText(
        QStringLiteral("Wheel or + and \u2212 to zoom, drag or arrow keys to move, 0 for the whole world"));
}

void OpenGroundTrackMap(std::shared_ptr<orbit::session::DesignSession> session)
{
    GroundTrackMapWindow::Instance().FollowSession(std::move(session));
}

}  // namespace world_map
