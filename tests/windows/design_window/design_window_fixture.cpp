#include "tests/windows/design_window/design_window_fixture.h"

#include "design_window/orbit_type_option.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>

void DesignWindowTest::SetUp()
{
    sink_ = std::make_unique<platform::ScopedErrorSink>([this](QWidget*, const QString& text) { errors_ << text; });
    window_ = new design_window::OrbitDesVorn();
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.data()));
    for (platform::TextBox* box : ResultBoxes()) {
        QObject::connect(box, &platform::TextBox::Change, [this, box] {
            writes_ << box->objectName() + "=" + box->text();
        });
    }
}

void DesignWindowTest::TearDown()
{
    delete window_.data();
    sink_.reset();
}

void DesignWindowTest::Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

void DesignWindowTest::ClickUp(platform::SpinControl* spin)
{
    QTest::mouseClick(spin, Qt::LeftButton, {}, spin->UpArrowRect().center());
}

void DesignWindowTest::ClickDown(platform::SpinControl* spin)
{
    QTest::mouseClick(spin, Qt::LeftButton, {}, spin->DownArrowRect().center());
}

void DesignWindowTest::Type(platform::TextBox* box, const QString& text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
    ASSERT_EQ(box->text(), text);
}

void DesignWindowTest::SelectSunSynchronous()
{
    Click(W().OptionIncl->Member(design_window::OptionIndexOf(orbit::OrbitType::SunSynchronous)));
}

void DesignWindowTest::SelectChooseInclination()
{
    Click(W().OptionIncl->Member(design_window::OptionIndexOf(orbit::OrbitType::ChooseInclination)));
}

std::array<platform::TextBox*, 6> DesignWindowTest::ResultBoxes()
{
    return {W().NrOfRevs, W().AxelBox, W().AvAltBox, W().MeanMotBox, W().TNtext, W().InclOutBox};
}

std::array<QString, 6> DesignWindowTest::ResultTexts()
{
    std::array<QString, 6> texts;
    const auto boxes = ResultBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        texts[i] = boxes[i]->text();
    return texts;
}

void DesignWindowTest::MarkResults(const QString& marker)
{
    for (platform::TextBox* box : ResultBoxes())
        box->setText(marker);
    writes_.clear();
}
