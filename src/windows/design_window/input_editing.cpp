// Editing the inputs between computations. One rule runs through all of it:
// the results on screen belong to the inputs on screen, so every edit of an
// input empties the result boxes and disables "Display pattern".

#include "design_window/orbit_des_vorn.h"

#include "core/number_text.h"
#include "core/orbit_error.h"
#include "platform/command_button.h"
#include "platform/text_box.h"
#include "session/design_session.h"

#include <cstdint>
#include <limits>

namespace design_window {

namespace {

enum class Direction { Up, Down };

// What an up step does with a value beyond its top: holds it at the top
// (whole degrees) or wraps it round to 0 (tenths).
struct StepRule {
    int step;
    int top;
    bool wrapsToZero;
};

constexpr StepRule kTensOfDegrees{10, 180, false};
constexpr StepRule kDegrees{1, 180, false};
constexpr StepRule kTenths{1, 9, true};

// value + delta in 16-bit arithmetic.
std::int16_t AddInt16(std::int16_t value, int delta)
{
    const int sum = value + delta;
    if (sum < std::numeric_limits<std::int16_t>::min() || sum > std::numeric_limits<std::int16_t>::max())
        throw orbit::OrbitError(orbit::ErrorKind::Overflow);
    return static_cast<std::int16_t>(sum);
}

// One step of an inclination box. The bounds are one-sided: an up step only
// limits from above and a down step only from below, so a typed 200 steps
// down to 199 and a typed -5 steps up to -4.
void StepBox(platform::TextBox* box, StepRule rule, Direction direction)
{
    const double read = orbit::ReadLeadingNumber(box->text().toStdString());
    const std::int16_t value = orbit::ToInt16(read);
    std::int16_t next = AddInt16(value, direction == Direction::Up ? rule.step : -rule.step);
    if (direction == Direction::Up && next > rule.top)
        next = static_cast<std::int16_t>(rule.wrapsToZero ? 0 : rule.top);
    if (direction == Direction::Down && next < 0)
        next = 0;
    box->setText(QString::fromStdString(orbit::StepValueText(next)));
}

}  // namespace

void OrbitDesVorn::UpDown10i_UpClick() { StepBox(InclText, kTensOfDegrees, Direction::Up); }
void OrbitDesVorn::UpDown1i_UpClick() { StepBox(InclText, kDegrees, Direction::Up); }
void OrbitDesVorn::UpDown01i_UpClick() { StepBox(Incl01Text, kTenths, Direction::Up); }

// A down step clears the results even when it leaves the box as it was (a
// down step at 0); an up step clears them through the box's change alone.
void OrbitDesVorn::UpDown10i_DownClick()
{
    StepBox(InclText, kTensOfDegrees, Direction::Down);
    ClearResults();
}

void OrbitDesVorn::UpDown1i_DownClick()
{
    StepBox(InclText, kDegrees, Direction::Down);
    ClearResults();
}

void OrbitDesVorn::UpDown01i_DownClick()
{
    StepBox(Incl01Text, kTenths, Direction::Down);
    ClearResults();
}

void OrbitDesVorn::InclText_Change() { ClearResults(); }
void OrbitDesVorn::Incl01Text_Change() { ClearResults(); }

// The spin controls of N, M and Q write their boxes and then report Change;
// a value typed into a box clears the results through the box itself.
void OrbitDesVorn::UpDownN_Change() { ClearResults(); }
void OrbitDesVorn::UpDownM_Change() { ClearResults(); }
void OrbitDesVorn::UpDownQ_Change() { ClearResults(); }
void OrbitDesVorn::NinputText_Change() { ClearResults(); }
void OrbitDesVorn::MinputText_Change() { ClearResults(); }
void OrbitDesVorn::QinputText_Change() { ClearResults(); }

void OrbitDesVorn::ClearResults()
{
    DispCom->setEnabled(false);
    EraseFields();
    session_->DesignCleared();
}

}  // namespace design_window
