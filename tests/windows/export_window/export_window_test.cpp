// "Export orbit…": the name it proposes, the folder it remembers, and a file
// equal to the byte to `repeat-orbit export`'s for the same design and
// mission (the creation date fixed through SOURCE_DATE_EPOCH for both).

#include "export_window/export_file_name.h"
#include "export_window/export_window.h"

#include "platform/handler_boundary.h"
#include "tests/support/completed_design.h"
#include "tests/support/work_timeout.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using export_window::ExportWindow;
using export_window::ProposedFileName;
using orbit::OrbitType;
using orbit::ephemeris::NodeGiven;
using orbit::exports::ExportFormat;

orbit::DesignRecord Record(double n, double m, double q, double inclDeg = 98)
{
    orbit::DesignRecord record;
    record.N = n;
    record.M = m;
    record.Q = q;
    record.Incl = inclDeg * 3.14159265358979323846 / 180;
    return record;
}

TEST(ExportFileName, IsMadeOfTheDesignAndItsNode)
{
    struct Case {
        const char* name;
        orbit::DesignRecord record;
        OrbitType type;
        orbit::ephemeris::NodeRequest node;
        ExportFormat format;
        const char* expected;
    } const cases[] = {
        {"SunSynchronousLtdn", Record(14, 3, 10), OrbitType::SunSynchronous, {NodeGiven::Ltdn, 10.5},
         ExportFormat::Opm, "N14M3Q10-ss-1030.opm"},
        {"LtanNamesTheSamePlane", Record(14, 3, 10), OrbitType::SunSynchronous, {NodeGiven::Ltan, 22.5},
         ExportFormat::Oem, "N14M3Q10-ss-1030.oem"},
        {"LtanPastMidnight", Record(14, 1, 3), OrbitType::SunSynchronous, {NodeGiven::Ltan, 6.25},
         ExportFormat::Tle, "N14M1Q3-ss-1815.tle"},
        {"ChosenInclination", Record(15, 1, 2, 51.6), OrbitType::ChooseInclination, {NodeGiven::Ltdn, 8.75},
         ExportFormat::Kml, "N15M1Q2-i51.6-ltdn0845.kml"},
        {"NegativeM", Record(14, -1, 5), OrbitType::SunSynchronous, {NodeGiven::Ltdn, 21.99999},
         ExportFormat::GeoJson, "N14M-1Q5-ss-2200.geojson"},
        {"Raan", Record(14, 3, 10), OrbitType::SunSynchronous, {NodeGiven::RaanEme2000, 120.5},
         ExportFormat::Gmat, "N14M3Q10-ss-raan120.5.script"},
        {"Omm", Record(14, 3, 10), OrbitType::SunSynchronous, {NodeGiven::Ltdn, 10.5}, ExportFormat::Omm,
         "N14M3Q10-ss-1030.omm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProposedFileName(c.record, c.type, c.node, c.format), c.expected) << c.name;
}

class ExportFromWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        QStandardPaths::setTestModeEnabled(true);
        // Both the window and the command write this creation date.
        qputenv("SOURCE_DATE_EPOCH", "1800000000");
    }

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        CompleteDesign(*session, 14, 3, 10, OrbitType::SunSynchronous);
        orbit::session::MissionContext mission;
        mission.epoch = orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00:00Z");
        mission.node = {NodeGiven::Ltdn, 10.5};
        mission.swathKm = 290;
        session->SetMission(mission);
        window.FollowSession(session);
        window.SetSaveDialog([this](QWidget*, const QString& proposed, const QString&) {
            proposals << proposed;
            return answer;
        });
        window.ShowWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void ChooseFormat(ExportFormat format)
    {
        const auto* at = std::find(std::begin(orbit::exports::kExportFormats), std::end(orbit::exports::kExportFormats),
                                   format);
        window.FormatBox()->setCurrentIndex(static_cast<int>(at - std::begin(orbit::exports::kExportFormats)));
        ASSERT_EQ(window.FormatShown(), format);
    }

    // Presses "Export…" and waits for the file.
    QByteArray ExportThroughWindow(const QString& name)
    {
        answer = folder.filePath(name);
        QSignalSpy exported(&window, &ExportWindow::Exported);
        QTest::mouseClick(window.ExportButton(), Qt::LeftButton);
        EXPECT_TRUE(exported.count() == 1 || exported.wait(kWorkTimeoutMs)) << errors.join('\n').toStdString();
        QFile file(answer);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << answer.toStdString();
        return file.readAll();
    }

    QByteArray ExportThroughCommand(const QStringList& extra, const QString& name)
    {
        const QString path = folder.filePath(name);
        QProcess command;
        command.start(QStringLiteral(REPEAT_ORBIT_PROGRAM),
                      QStringList{"export", "--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--epoch",
                                  "2027-03-21T00:00Z", "--ltdn", "10:30", "--output", path} +
                          extra);
        EXPECT_TRUE(command.waitForFinished(kWorkTimeoutMs));
        EXPECT_EQ(command.exitCode(), 0) << command.readAllStandardError().toStdString();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir folder;
    QString answer;
    QStringList proposals;
    QStringList errors;
    platform::ScopedErrorSink sink{[this](QWidget*, const QString& text) { errors << text; }};
    std::shared_ptr<orbit::session::DesignSession> session = std::make_shared<orbit::session::DesignSession>();
    ExportWindow window;
};

TEST_F(ExportFromWindow, WritesTheCommandsFileInEachFormat)
{
    struct Case {
        const char* name;
        ExportFormat format;
        std::function<void()> set;
        QStringList options;
    } const cases[] = {
        {"Opm", ExportFormat::Opm, [] {}, {"--format", "opm"}},
        {"OemOfADayEvery300s", ExportFormat::Oem,
         [this] {
             window.DaysBox()->setValue(1);
             window.StepBox()->setValue(300);
         },
         {"--format", "oem", "--days", "1", "--step-s", "300"}},
        {"GmatOfOneCycleUnderJ2", ExportFormat::Gmat,
         [this] {
             window.DaysBox()->setValue(0);
             window.ModelBox()->setCurrentIndex(1);
         },
         {"--format", "gmat", "--model", "j2"}},
        {"GeoJsonWithTheMissionsSwath", ExportFormat::GeoJson,
         [this] {
             window.ModelBox()->setCurrentIndex(0);
             window.DaysBox()->setValue(1);
         },
         {"--format", "geojson", "--days", "1", "--swath", "290"}},
        {"KmlNamed", ExportFormat::Kml,
         [this] {
             window.ObjectNameBox()->setText(QStringLiteral("Sentinel-like"));
             window.DaysBox()->setValue(0.5);
         },
         {"--format", "kml", "--days", "0.5", "--swath", "290", "--object-name", "Sentinel-like"}},
        {"TleNumbered", ExportFormat::Tle,
         [this] {
             window.ObjectNameBox()->clear();
             window.ObjectIdBox()->setText(QStringLiteral("2027-001A"));
             window.NoradBox()->setValue(12345);
         },
         {"--format", "tle", "--object-id", "2027-001A", "--norad", "12345"}},
    };
    for (const Case& c : cases) {
        ChooseFormat(c.format);
        c.set();
        const QString name = QString::fromLatin1(c.name);
        const QByteArray fromWindow = ExportThroughWindow(name + QStringLiteral(".window"));
        const QByteArray fromCommand = ExportThroughCommand(c.options, name + QStringLiteral(".command"));
        EXPECT_FALSE(fromWindow.isEmpty()) << c.name;
        EXPECT_EQ(fromWindow, fromCommand) << c.name;
        if (c.format == ExportFormat::Opm) {  // the fixed creation date, not the clock's
            EXPECT_TRUE(fromWindow.contains("= 2027-01-15T08:00:00")) << fromWindow.left(400).toStdString();
        }
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    EXPECT_TRUE(window.StatusLine()->text().contains(QStringLiteral("TLE fit: RMS")));
}

TEST_F(ExportFromWindow, ProposesTheDesignsNameInTheFolderUsedLast)
{
    ChooseFormat(ExportFormat::Opm);
    ExportThroughWindow(QStringLiteral("first.opm"));
    ASSERT_EQ(proposals.size(), 1);
    EXPECT_TRUE(proposals.at(0).endsWith(QStringLiteral("/N14M3Q10-ss-1030.opm"))) << proposals.at(0).toStdString();
    EXPECT_EQ(QDir(export_window::LastExportFolder()), QDir(folder.path()));
    ExportThroughWindow(QStringLiteral("second.opm"));
    EXPECT_EQ(proposals.at(1), QDir(folder.path()).filePath(QStringLiteral("N14M3Q10-ss-1030.opm")));
}

TEST_F(ExportFromWindow, AddsTheFormatsEndingToANameWithoutOne)
{
    ChooseFormat(ExportFormat::Gmat);
    answer = folder.filePath(QStringLiteral("plain"));
    QSignalSpy exported(&window, &ExportWindow::Exported);
    QTest::mouseClick(window.ExportButton(), Qt::LeftButton);
    ASSERT_TRUE(exported.count() == 1 || exported.wait(kWorkTimeoutMs));
    EXPECT_EQ(exported.at(0).at(0).toString(), folder.filePath(QStringLiteral("plain.script")));
}

TEST_F(ExportFromWindow, NeedsAnEpochAndSaysWhereToSetIt)
{
    session->SetMission({});
    EXPECT_FALSE(window.ExportButton()->isEnabled());
    EXPECT_TRUE(window.DesignLine()->text().contains(QStringLiteral("An epoch is needed")));
    EXPECT_TRUE(window.DesignLine()->text().contains(QStringLiteral("Mission\u2026")));
}

TEST_F(ExportFromWindow, ReportsAFileThatCannotBeWritten)
{
    ChooseFormat(ExportFormat::Opm);
    answer = folder.filePath(QStringLiteral("no-such-folder/orbit.opm"));
    QSignalSpy failed(&window, &ExportWindow::ExportFailed);
    QTest::mouseClick(window.ExportButton(), Qt::LeftButton);
    ASSERT_TRUE(failed.count() == 1 || failed.wait(kWorkTimeoutMs));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.at(0).contains(QStringLiteral("orbit.opm"))) << errors.at(0).toStdString();
    EXPECT_TRUE(window.StatusLine()->text().startsWith(QStringLiteral("Not exported")));
    EXPECT_TRUE(window.ExportButton()->isEnabled());
}

TEST_F(ExportFromWindow, RefusesALineBreakInTheObjectsName)
{
    ChooseFormat(ExportFormat::Opm);
    window.ObjectNameBox()->setText(QStringLiteral("tab\there"));
    answer = folder.filePath(QStringLiteral("bad.opm"));
    QSignalSpy failed(&window, &ExportWindow::ExportFailed);
    QTest::mouseClick(window.ExportButton(), Qt::LeftButton);
    ASSERT_TRUE(failed.count() == 1 || failed.wait(kWorkTimeoutMs));
    EXPECT_FALSE(QFile::exists(answer));
}

// The explorer's details export one design of their own, not the session's.
TEST(ExportOneDesign, ExportsTheDesignItWasGiven)
{
    orbit::session::DesignSession other;
    CompleteDesign(other, 15, 1, 2, OrbitType::ChooseInclination, 51, 6);
    orbit::session::MissionContext mission;
    mission.epoch = orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00:00Z");
    ExportWindow* window = export_window::ExportOrbit(nullptr, *other.LastCompleted(), mission);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->ExportButton()->isEnabled());
    EXPECT_EQ(window->ProposedName(), QStringLiteral("N15M1Q2-i51.6-ltdn1030.opm"));
    window->close();
}

}  // namespace
