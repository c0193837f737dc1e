// The compute command: reads the repeat condition and the orbit type from the
// window, runs the solver, and writes each result into its box the moment
// the solver yields it. A failure stops the command at that step; whatever
// was written before stays on screen.

#include "design_window/orbit_des_vorn.h"

#include "core/number_text.h"
#include "core/repeat_orbit_solver.h"
#include "core/result_fields.h"
#include "design_window/orbit_type_option.h"
#include "session/design_session.h"
#include "platform/command_button.h"
#include "platform/option_array.h"
#include "platform/text_box.h"

namespace design_window {

namespace {

using orbit::OrbitType;
using orbit::ResultField;

// A field's number, read at the moment the solver asks for it.
double ReadField(const platform::TextBox* box) { return orbit::ParseNumberStrict(box->text().toStdString()); }

void Write(platform::TextBox* box, ResultField field, double value)
{
    box->setText(QString::fromStdString(orbit::FormatResult(field, value)));
}

}  // namespace

void OrbitDesVorn::ComputeCom_Click()
{
    orbit::RepeatOrbitInputs inputs;
    inputs.N = [this] { return ReadField(NinputText); };
    inputs.M = [this] { return ReadField(MinputText); };
    inputs.Q = [this] { return ReadField(QinputText); };
    // The two options exclude each other: "Choose inclination" is tested,
    // and anything else is sun-synchronous.
    const bool chooseInclination = OptionIncl->IsSelected(OptionIndexOf(OrbitType::ChooseInclination));
    inputs.Type = chooseInclination ? OrbitType::ChooseInclination : OrbitType::SunSynchronous;
    inputs.InclDegrees = [this] { return ReadField(InclText); };
    inputs.InclTenths = [this] { return ReadField(Incl01Text); };

    orbit::SolveObserver observer;
    observer.OnRevCount = [this](std::int16_t revCount) { Write(NrOfRevs, ResultField::RevCount, revCount); };
    observer.OnAxis = [this](double semiMajorAxisKm, double meanAltitudeKm) {
        Write(AxelBox, ResultField::SemiMajorAxis, semiMajorAxisKm);
        Write(AvAltBox, ResultField::MeanAltitude, meanAltitudeKm);
    };
    observer.OnComplete = [this, chooseInclination](const orbit::RepeatOrbitSolution& solution) {
        if (chooseInclination) {
            Write(AxelBox, ResultField::SemiMajorAxis, solution.SemiMajorAxis);
            Write(AvAltBox, ResultField::MeanAltitude, solution.MeanAltitude);
            Write(MeanMotBox, ResultField::MeanMotion, solution.MeanMotion);
            Write(TNtext, ResultField::NodalPeriod, solution.NodalPeriodMin);
            InclOutBox->hide();  // its text stays, unseen
        } else {
            Write(MeanMotBox, ResultField::MeanMotion, solution.MeanMotion);
            InclOutBox->show();
            Write(InclOutBox, ResultField::SunSyncInclination, solution.InclDeg.value_or(0));
            Write(TNtext, ResultField::NodalPeriod, solution.NodalPeriodMin);
        }
    };

    orbit::RepeatOrbitSolution solution;
    try {
        solution = orbit::SolveRepeatOrbit(inputs, observer, orbit::DesignResult);
    } catch (...) {
        // The design record now mixes this attempt with the last completed
        // one; it must not be drawn. The session keeps the last completed
        // design, no longer the one on screen.
        DispCom->setEnabled(false);
        session_->DesignCleared();
        throw;
    }
    DispCom->setEnabled(true);
    session_->DesignCompleted(orbit::DesignResult, inputs.Type, solution);
}

}  // namespace design_window
