#include "platform/text_box.h"

#include <gtest/gtest.h>

#include <QTest>

#include <QStringList>

namespace {

TEST(TextBox, TypedAndWrittenTextBothRaiseChange)
{
    platform::TextBox box;
    box.show();
    QStringList seen;
    QObject::connect(&box, &platform::TextBox::Change, [&] { seen << box.text(); });

    QTest::keyClicks(&box, "12");
    box.setText("abc");
    box.setText("abc");  // the same text again is no change
    box.clear();

    EXPECT_EQ(seen, (QStringList{"1", "12", "abc", ""}));
}

TEST(TextBox, ChangeHandlerRunsNestedInsideTheWrite)
{
    // A handler writes the second box; that box's Change handler must have
    // run completely before the writing handler takes its next step.
    platform::TextBox first;
    platform::TextBox second;
    QStringList log;
    QObject::connect(&second, &platform::TextBox::Change, [&] { log << "second changed to " + second.text(); });
    QObject::connect(&first, &platform::TextBox::Change, [&] {
        log << "first begins";
        second.setText(" 66");
        log << "first ends, second reads" + second.text();
    });

    first.setText("x");

    EXPECT_EQ(log, (QStringList{"first begins", "second changed to  66", "first ends, second reads 66"}));
}

TEST(TextBox, HoldsLongTextWithoutLimit)
{
    platform::TextBox box;
    const QString text(100000, u'7');
    box.setText(text);
    EXPECT_EQ(box.text(), text);
}

}  // namespace
