#pragma once
// A freshly opened design window, driven with real mouse and key events on
// the offscreen platform. Error messages are recorded instead of shown.

#include "design_window/orbit_des_vorn.h"
#include "platform/command_button.h"
#include "platform/handler_boundary.h"
#include "platform/option_array.h"
#include "platform/spin_control.h"
#include "platform/text_box.h"

#include "tests/gui/platform/qt_printers.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QStringList>

#include <array>
#include <memory>

class DesignWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    design_window::OrbitDesVorn& W() { return *window_; }

    void Click(QAbstractButton* button);
    void ClickUp(platform::SpinControl* spin);
    void ClickDown(platform::SpinControl* spin);
    // Replaces a box's text by typing, as a user would: select all, then keys.
    void Type(platform::TextBox* box, const QString& text);
    void SelectSunSynchronous();
    void SelectChooseInclination();

    // The six result boxes, in the order NrOfRevs, AxelBox, AvAltBox,
    // MeanMotBox, TNtext, InclOutBox.
    std::array<platform::TextBox*, 6> ResultBoxes();
    std::array<QString, 6> ResultTexts();
    // Writes a marker into every result box, so that a later write shows.
    void MarkResults(const QString& marker);

    QPointer<design_window::OrbitDesVorn> window_;
    QStringList errors_;    // texts the user was shown
    QStringList writes_;    // "Box=text" for every change of a result box
    std::unique_ptr<platform::ScopedErrorSink> sink_;
};
