#include "design_window/orbit_des_vorn.h"

#include "design_window/context_menu.h"
#include "design_window/layout_builder.h"
#include "design_window/layout_table.h"
#include "design_window/orbit_type_option.h"
#include "design_window/window_icon.h"
#include "session/design_session.h"
#include "platform/command_button.h"
#include "platform/handler_boundary.h"
#include "platform/option_array.h"
#include "platform/spin_control.h"
#include "platform/text_box.h"

#include <QLabel>

namespace design_window {

OrbitDesVorn::OrbitDesVorn(QWidget* parent)
    : QWidget(parent), session_(std::make_shared<orbit::session::DesignSession>())
{
    setObjectName(QStringLiteral("OrbitDesVorn"));
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    setWindowIcon(DesignIcon());
    // A fixed-size window: it can be minimized but not maximized.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // Closing the window, by Exit or by its close box, unloads it.
    setAttribute(Qt::WA_DeleteOnClose);
    BuildDesignLayout(*this);
    ConnectHandlers();
    InstallContextMenu(*this);
    Form_Load();
}

OrbitDesVorn::~OrbitDesVorn() = default;

void OrbitDesVorn::ConnectHandlers()
{
    using platform::Handler;
    using platform::SpinControl;
    using platform::TextBox;
    connect(ComputeCom, &QPushButton::clicked, this, Handler(this, &OrbitDesVorn::ComputeCom_Click));
    connect(DispCom, &QPushButton::clicked, this, Handler(this, &OrbitDesVorn::DispCom_Click));
    connect(ExitCom, &QPushButton::clicked, this, Handler(this, &OrbitDesVorn::ExitCom_Click));
    connect(OptionIncl, &platform::OptionArray::Click, this, Handler(this, &OrbitDesVorn::OptionIncl_Click));
    connect(InclText, &TextBox::Change, this, Handler(this, &OrbitDesVorn::InclText_Change));
    connect(Incl01Text, &TextBox::Change, this, Handler(this, &OrbitDesVorn::Incl01Text_Change));
    connect(NinputText, &TextBox::Change, this, Handler(this, &OrbitDesVorn::NinputText_Change));
    connect(MinputText, &TextBox::Change, this, Handler(this, &OrbitDesVorn::MinputText_Change));
    connect(QinputText, &TextBox::Change, this, Handler(this, &OrbitDesVorn::QinputText_Change));
    connect(UpDownN, &SpinControl::Change, this, Handler(this, &OrbitDesVorn::UpDownN_Change));
    connect(UpDownM, &SpinControl::Change, this, Handler(this, &OrbitDesVorn::UpDownM_Change));
    connect(UpDownQ, &SpinControl::Change, this, Handler(this, &OrbitDesVorn::UpDownQ_Change));
    connect(UpDown10i, &SpinControl::UpClick, this, Handler(this, &OrbitDesVorn::UpDown10i_UpClick));
    connect(UpDown10i, &SpinControl::DownClick, this, Handler(this, &OrbitDesVorn::UpDown10i_DownClick));
    connect(UpDown1i, &SpinControl::UpClick, this, Handler(this, &OrbitDesVorn::UpDown1i_UpClick));
    connect(UpDown1i, &SpinControl::DownClick, this, Handler(this, &OrbitDesVorn::UpDown1i_DownClick));
    connect(UpDown01i, &SpinControl::UpClick, this, Handler(this, &OrbitDesVorn::UpDown01i_UpClick));
    connect(UpDown01i, &SpinControl::DownClick, this, Handler(this, &OrbitDesVorn::UpDown01i_DownClick));
}

// The window opens in its designed state; nothing is computed until asked.
void OrbitDesVorn::Form_Load() {}

void OrbitDesVorn::EraseFields()
{
    for (platform::TextBox* box : {NrOfRevs, AxelBox, AvAltBox, MeanMotBox, TNtext, InclOutBox})
        box->setText(QString());
}

void OrbitDesVorn::OptionIncl_Click(std::int16_t index)
{
    const bool chooseInclination = OrbitTypeOfOption(index) == orbit::OrbitType::ChooseInclination;
    for (QWidget* control : inclinationGroup_)
        control->setVisible(chooseInclination);
    for (QWidget* control : sunSyncOutput_)
        control->setVisible(!chooseInclination);
    // Selecting an orbit type is a request for its results.
    ComputeCom_Click();
}

void OrbitDesVorn::ExitCom_Click()
{
    // Closes this window only; the program ends once no window is left open.
    close();
}

}  // namespace design_window
