#include "platform/handler_boundary.h"

#include "core/orbit_error.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <stdexcept>

namespace {

using platform::RunHandler;
using platform::ScopedErrorSink;

struct Reported {
    QWidget* owner;
    QString text;
};

TEST(HandlerBoundary, AnErrorEndsTheHandlerAtTheFailingStepAndIsReported)
{
    std::vector<Reported> reports;
    ScopedErrorSink sink([&](QWidget* owner, const QString& text) { reports.push_back({owner, text}); });
    QWidget window;
    QStringList steps;

    RunHandler(&window, [&] {
        steps << "first";
        throw orbit::OrbitError(orbit::ErrorKind::DivisionByZero);
        steps << "second";  // never reached
    });
    RunHandler(&window, [&] { steps << "next handler"; });

    EXPECT_EQ(steps, (QStringList{"first", "next handler"}));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].owner, &window);
    EXPECT_EQ(reports[0].text, "Division by zero");
}

TEST(HandlerBoundary, ReportsEveryKindOfError)
{
    QStringList texts;
    ScopedErrorSink sink([&](QWidget*, const QString& text) { texts << text; });
    RunHandler(nullptr, [] { throw orbit::OrbitError(orbit::ErrorKind::TypeMismatch); });
    RunHandler(nullptr, [] { throw std::runtime_error("No convergence"); });
    RunHandler(nullptr, [] { throw 42; });
    EXPECT_EQ(texts, (QStringList{"Type mismatch", "No convergence", "Unexpected error"}));
}

TEST(HandlerBoundary, WithoutASinkTheUserSeesAMessageBoxWithTheText)
{
    QWidget window;
    window.setWindowTitle("Design Repeating Pattern Orbit");
    window.show();
    QString shownText;
    QString shownTitle;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        shownText = box->text();
        shownTitle = box->windowTitle();
        wasModal = box->isModal();
        box->accept();
    });
    RunHandler(&window, [] { throw orbit::OrbitError(orbit::ErrorKind::Overflow); });
    EXPECT_EQ(shownText, "Overflow");
    EXPECT_EQ(shownTitle, "Design Repeating Pattern Orbit");
    EXPECT_TRUE(wasModal);
}

}  // namespace
