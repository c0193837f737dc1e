// `repeat-orbit pattern --png/--svg` in a build with the windows.

#include "cli/pattern_command.h"

#include "tests/apps/cli/in_process_command.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using orbit::cli::testing::CommandRun;

CommandRun RunPattern(std::vector<std::string> args)
{
    return orbit::cli::testing::RunInProcess(orbit::cli::AddPatternCommand, "pattern", std::move(args));
}

TEST(PatternPicture, WritesPngAndSvgFiles)
{
    QTemporaryDir dir;
    const std::string png = dir.filePath("p.png").toStdString(), svg = dir.filePath("p.svg").toStdString();
    CommandRun run = RunPattern({"--n", "14", "--m", "1", "--q", "3", "--incl", "65", "--png", png, "--size", "1124x405"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(1124, 405));
    run = RunPattern({"--n", "14", "--m", "1", "--q", "3", "--sun-sync", "--svg", svg});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(QFile::exists(QString::fromStdString(svg)));
    EXPECT_TRUE(run.out.empty());
}

// The pattern keeps its shape: a size of another shape gets the largest
// picture that fits in it. The old magnification still sizes it, and says
// once what replaced it.
TEST(PatternPicture, SizeKeepsThePatternsShapeAndTheOldScaleStillWorks)
{
    QTemporaryDir dir;
    const std::vector<std::string> design{"--n", "14", "--m", "1", "--q", "3", "--incl", "65"};
    struct Case {
        const char* name;
        std::vector<std::string> args;
        QSize size;
        bool notesTheOldSpelling;
    } const cases[] = {
        {"TheWindowsOwnSize", {}, QSize(749, 270), false},
        {"TwiceTheSize", {"--size", "1498x540"}, QSize(1498, 540), false},
        {"ASquareFitsTheWidth", {"--size", "1000x1000"}, QSize(1000, 360), false},
        {"AWideBoxFitsTheHeight", {"--size", "3000x540"}, QSize(1498, 540), false},
        {"TheOldScale", {"--scale", "1.5"}, QSize(1124, 405), true},
    };
    for (const Case& c : cases) {
        const QString png = dir.filePath(QString(c.name) + ".png");
        std::vector<std::string> args = design;
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {"--output", png.toStdString()});
        const CommandRun run = RunPattern(args);
        EXPECT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(QImage(png).size(), c.size) << c.name;
        EXPECT_EQ(run.err, c.notesTheOldSpelling ? "repeat-orbit pattern: --scale is now --size WxH (749x270 at "
                                                   "--scale 1); the old spelling still works\n"
                                                 : "")
            << c.name;
    }
}

// A drawing that fails leaves no file behind.
// A design that fails leaves no picture, and neither does one the command
// line refuses (no revolution in the cycle, which the drawing would
// overflow on).
TEST(PatternPicture, FailedOrRefusedDesignWritesNoFile)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("never.png");
    const CommandRun failed =
        RunPattern({"--n", "40000", "--m", "1", "--q", "1", "--incl", "65", "--png", png.toStdString()});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "Overflow\n");
    EXPECT_FALSE(QFile::exists(png));
    const CommandRun refused =
        RunPattern({"--n", "0", "--m", "-15", "--q", "1", "--incl", "65", "--png", png.toStdString()});
    EXPECT_EQ(refused.status, 2);
    EXPECT_FALSE(QFile::exists(png));
}

}  // namespace
