// The compute command: reads the repeat condition and the orbit type from the
// window, runs the solver, and writes each result into its box the moment
// the solver yields it. A failure stops the command at that step; whatever
// was written before stays on screen.

#include "design_window/orbit_des_vorn.h"

#include "core/number_text.h"
#include "core/repeat_orbit_solver.h"
#include "platform/command_button.h"
#include "platform/option_array.h"
#include "platform/text_box.h"

namespace design_window {

namespace {

constexpr int kSunSynchronous = 0;
constexpr int kChooseInclination = 1;

// A field's number, read at the moment the solver asks for it.
double ReadField(const platform::TextBox* box) { return orbit::ParseNumberStrict(box->text().toStdString()); }

void Write(platform::TextBox* box, double value, const char* pattern)
{
    box->setText(QString::fromStdString(orbit::FormatPattern(value, pattern)));
}

}  // namespace

void OrbitDesVorn::ComputeCom_Click()
{
    orbit::RepeatOrbitInputs inputs;
    inputs.N = [this] { return ReadField(NinputText); };
    inputs.M = [this] { return ReadField(MinputText); };
    inputs.Q = [this] { return ReadField(QinputText); };
    const bool chooseInclination = OptionIncl->IsSelected(kChooseInclination);
    inputs.Type = chooseInclination ? orbit::OrbitType::ChooseInclination : orbit::OrbitType::SunSynchronous;
    inputs.InclDegrees = [this] { return ReadField(InclText); };
    inputs.InclTenths = [this] { return ReadField(Incl01Text); };

    orbit::SolveObserver observer;
    observer.OnRevCount = [this](std::int16_t revCount) { Write(NrOfRevs, revCount, "#####"); };
    observer.OnAxis = [this](double semiMajorAxisKm, double meanAltitudeKm) {
        Write(AxelBox, semiMajorAxisKm, "#####.##");
        Write(AvAltBox, meanAltitudeKm, "#####.##");
    };
    observer.OnComplete = [this, chooseInclination](const orbit::RepeatOrbitSolution& solution) {
        if (chooseInclination) {
            Write(AxelBox, solution.SemiMajorAxis, "#####.##");
            Write(AvAltBox, solution.MeanAltitude, "#####.##");
            Write(MeanMotBox, solution.MeanMotion, "#0.#######");
            Write(TNtext, solution.NodalPeriodMin, "####.###");
            InclOutBox->hide();  // its text stays, unseen
        } else {
            Write(MeanMotBox, solution.MeanMotion, "#0.#######");
            InclOutBox->show();
            Write(InclOutBox, solution.InclDeg.value_or(0), "###.###");
            Write(TNtext, solution.NodalPeriodMin, "####.###");
        }
    };

    try {
        orbit::SolveRepeatOrbit(inputs, observer);
    } catch (...) {
        // The design record now mixes this attempt with the last completed
        // one; it must not be drawn.
        DispCom->setEnabled(false);
        throw;
    }
    DispCom->setEnabled(true);
}

}  // namespace design_window
