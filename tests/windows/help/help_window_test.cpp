// "Help" shows the user manual with its pictures, found in the build tree's
// copy as an installation lays it out; "About" names the version, the licence
// and the land data's notice.

#include "help/about_dialog.h"
#include "help/help_window.h"
#include "help/manual_location.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

namespace {

using help::HelpWindow;

QString SourceManual() { return QStringLiteral(SOURCE_DIR "/docs/user-manual.md"); }

// The build keeps a copy of the manual where an installation puts it, beside
// the programs, and it is the source's own.
TEST(ManualLocation, FindsTheBuildTreesCopyOfTheManual)
{
    help::UseDocumentFolder(QStringLiteral(BUILD_DOCDIR));
    const QString manual = help::UserManualPath();
    help::UseDocumentFolder({});
    ASSERT_FALSE(manual.isEmpty());
    QFile copy(manual), source(SourceManual());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), source.readAll());
}

TEST(ManualLocation, FindsNothingInAFolderWithoutIt)
{
    help::UseDocumentFolder(QStringLiteral("/nonexistent"));
    // The test program is not beside an installation either.
    EXPECT_TRUE(help::UserManualPath().isEmpty());
    help::UseDocumentFolder({});
}

TEST(HelpWindowShowing, ShowsTheManualWithItsPictures)
{
    help::UseDocumentFolder(QStringLiteral(SOURCE_DIR));
    HelpWindow window;
    window.ShowManual();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QTextDocument* document = window.Browser()->document();
    EXPECT_TRUE(document->toPlainText().contains(QStringLiteral("design window"), Qt::CaseInsensitive));
    // The pictures are the documents' own files, loaded from beside the manual.
    int pictures = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QString name = it.fragment().charFormat().toImageFormat().name();
                const QVariant image = document->resource(QTextDocument::ImageResource, QUrl(name));
                EXPECT_TRUE(image.isValid()) << name.toStdString();
                ++pictures;
            }
    EXPECT_GE(pictures, 3);
    EXPECT_TRUE(window.StatusLine()->text().endsWith(QStringLiteral("user-manual.md")));
    EXPECT_TRUE(window.OpenExternallyButton()->isEnabled());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    help::UseDocumentFolder({});
}

TEST(HelpWindowShowing, SaysWhereTheManualWasLookedFor)
{
    help::UseDocumentFolder(QStringLiteral("/nonexistent"));
    HelpWindow window;
    window.ShowManual();
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("was not found")));
    EXPECT_FALSE(window.OpenExternallyButton()->isEnabled());
    help::UseDocumentFolder({});
}

TEST(About, NamesTheVersionTheLicenceAndTheLandsNotice)
{
    help::UseDocumentFolder(QStringLiteral(SOURCE_DIR));
    help::AboutDialog about;
    const QString text = about.Text()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("Repeat Orbit Designer 1.00")));
    EXPECT_TRUE(text.contains(QStringLiteral("GPL-3.0-or-later")));
    EXPECT_TRUE(text.contains(QStringLiteral("Natural Earth")));
    // The notice itself, read from the data folder.
    EXPECT_TRUE(text.contains(QStringLiteral("Copyright 2013-2019 Michael Bostock")));
    help::UseDocumentFolder({});
}

}  // namespace
