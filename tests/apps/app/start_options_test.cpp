// orbit-designer's command line, through the real program: help and version
// answer without a display and open no window; mistakes end with status 2,
// and a window that has no screen to open on with status 1, all without one.

#include "app/start_options.h"

#include <gtest/gtest.h>

#include <QCommandLineParser>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <ostream>
#include <string>

namespace {

struct CommandLineCase {
    const char* name;
    QStringList arguments;
    int exitStatus;
    const char* stdoutPattern;  // must match what the program writes on stdout
    const char* stderrPattern;  // and on stderr
};

const CommandLineCase kCases[] = {
    {"Version", {"--version"}, 0, "^orbit-designer 1\\.00\\n$", ""},
    {"ShortVersion", {"-v"}, 0, "^orbit-designer 1\\.00\\n$", ""},
    {"Help", {"--help"}, 0, "Usage: \\S*orbit-designer \\[options\\]\\n.*ground track repeats.*--help-all.*--version",
     ""},
    {"HelpWithQtsOptions", {"--help-all"}, 0, "--platform <platformName.*--reverse", ""},
    {"UnknownOption", {"--bogus"}, 2, "^$", "Unknown option 'bogus'.*--help"},
    {"FileArgument", {"design.txt"}, 2, "^$", "unexpected argument 'design\\.txt'"},
    {"NoScreenForTheWindow", {}, 1, "^$", "orbit-designer: no display to open the window on: neither DISPLAY nor "
                                          "WAYLAND_DISPLAY is set\\.\\n"},
    {"NoScreenForTheExplorer", {"--explore"}, 1, "^$", "no display to open the window on"},
};

void PrintTo(const CommandLineCase& c, std::ostream* out) { *out << c.name; }

class CommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLine, AnswersWithoutOpeningAWindow)
{
    const CommandLineCase& c = GetParam();
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // No screen at all: text requests and mistakes are answered all the
    // same, and the window, which cannot open, is refused in plain words.
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ORBIT_DESIGNER_EXE), c.arguments);
    ASSERT_TRUE(program.waitForFinished(20000)) << "the program did not end by itself";
    const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << err.toStdString();
    EXPECT_EQ(program.exitCode(), c.exitStatus) << err.toStdString();
    const auto dotAll = QRegularExpression::DotMatchesEverythingOption;
    EXPECT_TRUE(QRegularExpression(c.stdoutPattern, dotAll).match(out).hasMatch()) << out.toStdString();
    EXPECT_TRUE(QRegularExpression(c.stderrPattern, dotAll).match(err).hasMatch()) << err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(OrbitDesigner, CommandLine, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CommandLineCase>& c) { return std::string(c.param.name); });

TEST(ExploreOption, IsReadAndListedInTheHelp)
{
    QCommandLineParser parser;
    EXPECT_EQ(app::ReadCommandLine(parser, {"orbit-designer", "--explore"}), std::nullopt);
    EXPECT_TRUE(parser.isSet(QString::fromLatin1(app::kExploreOption)));
    EXPECT_TRUE(parser.helpText().contains(QStringLiteral("--explore"))) << parser.helpText().toStdString();

    QCommandLineParser plain;
    EXPECT_EQ(app::ReadCommandLine(plain, {"orbit-designer"}), std::nullopt);
    EXPECT_FALSE(plain.isSet(QString::fromLatin1(app::kExploreOption)));
}

// A chosen platform is a screen; so is a display. The environment is set
// for the test and put back.
TEST(Screen, IsAChosenPlatformOrADisplay)
{
    const QByteArray saved[] = {qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY")};
    const char* const names[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
    for (const char* name : names)
        qunsetenv(name);
    EXPECT_TRUE(app::HasNoScreen({"orbit-designer"}));
    EXPECT_TRUE(app::HasNoScreen({"orbit-designer", "--", "-platform", "xcb"}));
    EXPECT_FALSE(app::HasNoScreen({"orbit-designer", "-platform", "xcb"}));
    for (const char* name : names) {
        qputenv(name, "x");
        EXPECT_FALSE(app::HasNoScreen({"orbit-designer"})) << name;
        qunsetenv(name);
    }
    for (int i = 0; i < 3; ++i)
        if (!saved[i].isNull())
            qputenv(names[i], saved[i]);
}

TEST(TextRequests, AreHelpAndVersionBeforeAnyDoubleDash)
{
    EXPECT_TRUE(app::AsksOnlyForText({"orbit-designer", "-style", "Fusion", "--help"}));
    EXPECT_TRUE(app::AsksOnlyForText({"orbit-designer", "-v"}));
    EXPECT_FALSE(app::AsksOnlyForText({"orbit-designer"}));
    EXPECT_FALSE(app::AsksOnlyForText({"--version"})) << "the program's own name is no option";
    EXPECT_FALSE(app::AsksOnlyForText({"orbit-designer", "--", "--help"}));
    EXPECT_FALSE(app::AsksOnlyForText({"orbit-designer", "--helpful"}));
}

}  // namespace
