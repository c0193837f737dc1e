#pragma once
// OrbitDesVorn, the design window: the inputs N, M, Q and the inclination with
// their spin controls, the orbit type, the compute, display and exit commands,
// and the six result boxes.
//
// The controls are public under their design names; they are the interface
// the handlers work against. Their placement, captions, fonts and start state
// come from the layout table (layout_table.cpp); the handlers live in
// compute_command.cpp, input_editing.cpp and display_command.cpp, the
// right-click menu's commands in context_menu.cpp and explorer_link.cpp.

#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

class QGroupBox;
class QLabel;

namespace platform {
class CommandButton;
class LineControl;
class OptionArray;
class SpinControl;
class TextBox;
}  // namespace platform

namespace orbit::session {
class DesignSession;
}

namespace design_window {

class OrbitDesVorn : public QWidget {
    Q_OBJECT

public:
    // Each design window starts a design session of its own, which the
    // windows it opens (the map, the explorer) are handed and follow.
    explicit OrbitDesVorn(QWidget* parent = nullptr);
    ~OrbitDesVorn() override;

    const std::shared_ptr<orbit::session::DesignSession>& Session() const { return session_; }

    // Empties the six result boxes, and nothing else.
    void EraseFields();

    // Inputs.
    platform::TextBox* NinputText = nullptr;
    platform::TextBox* MinputText = nullptr;
    platform::TextBox* QinputText = nullptr;
    platform::TextBox* InclText = nullptr;
    platform::TextBox* Incl01Text = nullptr;
    platform::SpinControl* UpDownN = nullptr;
    platform::SpinControl* UpDownM = nullptr;
    platform::SpinControl* UpDownQ = nullptr;
    platform::SpinControl* UpDown10i = nullptr;
    platform::SpinControl* UpDown1i = nullptr;
    platform::SpinControl* UpDown01i = nullptr;
    QGroupBox* OrbType = nullptr;
    platform::OptionArray* OptionIncl = nullptr;  // 0 "Sun-synchronous", 1 "Choose inclination"

    // Commands.
    platform::CommandButton* ComputeCom = nullptr;
    platform::CommandButton* DispCom = nullptr;
    platform::CommandButton* ExitCom = nullptr;

    // Results.
    platform::TextBox* NrOfRevs = nullptr;
    platform::TextBox* AxelBox = nullptr;
    platform::TextBox* AvAltBox = nullptr;
    platform::TextBox* MeanMotBox = nullptr;
    platform::TextBox* TNtext = nullptr;
    platform::TextBox* InclOutBox = nullptr;

    // Captions.
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;

    // The two arrows.
    platform::LineControl* Line1 = nullptr;
    platform::LineControl* Line2 = nullptr;
    platform::LineControl* Line3 = nullptr;
    platform::LineControl* Line4 = nullptr;
    platform::LineControl* Line5 = nullptr;
    platform::LineControl* Line6 = nullptr;
    platform::LineControl* Line7 = nullptr;
    platform::LineControl* Line8 = nullptr;
    platform::LineControl* Line9 = nullptr;

    // Shown while "Choose inclination" is selected.
    const std::vector<QWidget*>& InclinationGroup() const { return inclinationGroup_; }
    // Shown while "Sun-synchronous" is selected: Label16 and InclOutBox.
    const std::vector<QWidget*>& SunSyncOutput() const { return sunSyncOutput_; }

    // The handlers, each run by its control's event inside the handler boundary.
    void Form_Load();
    void ComputeCom_Click();
    void DispCom_Click();
    void ExitCom_Click();
    void OptionIncl_Click(std::int16_t index);
    void InclText_Change();
    void Incl01Text_Change();
    void NinputText_Change();
    void MinputText_Change();
    void QinputText_Change();
    void UpDownN_Change();
    void UpDownM_Change();
    void UpDownQ_Change();
    void UpDown10i_UpClick();
    void UpDown10i_DownClick();
    void UpDown1i_UpClick();
    void UpDown1i_DownClick();
    void UpDown01i_UpClick();
    void UpDown01i_DownClick();

private:
    friend void BuildDesignLayout(OrbitDesVorn& window);
    void ConnectHandlers();
    void ClearResults();

    std::vector<QWidget*> inclinationGroup_;
    std::vector<QWidget*> sunSyncOutput_;
    std::shared_ptr<orbit::session::DesignSession> session_;
};

}  // namespace design_window
