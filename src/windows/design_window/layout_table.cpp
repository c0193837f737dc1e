#include "design_window/layout_table.h"

#include "core/result_fields.h"
#include "design_window/orbit_type_option.h"

namespace design_window {

namespace {

using W = OrbitDesVorn;
using orbit::OrbitType;
using orbit::ResultField;

// A result's caption and box name, as every view of a design shows them.
constexpr const char* CaptionOf(ResultField field) { return orbit::InfoOf(field).caption; }
constexpr const char* BoxOf(ResultField field) { return orbit::InfoOf(field).boxName; }

constexpr FontChoice kLetter{12, true, false};
constexpr FontChoice kItalicLetter{12, true, true};
constexpr FontChoice kStepCaption{8.25, true, false};
constexpr FontChoice kPoint{13.5, true, false};

// In the order the controls are created: a later control lies on top of an
// earlier one where they overlap (the tenths box over the "." label).
const ControlRow kControls[] = {
    // N, M and Q.
    {.name = "Label1", .member = &W::Label1, .caption = "N", .place = {240, 720, 255, 255}, .tab = 6,
     .font = kLetter, .tiedTo = "NinputText"},
    {.name = "NinputText", .member = &W::NinputText, .caption = "15", .place = {600, 720, 495, 285}, .tab = 1,
     .accessibleName = "N, integer number of revs/day"},
    {.name = "UpDownN", .member = &W::UpDownN, .place = {1200, 600, 240, 525}, .tab = 0,
     .tiedTo = "NinputText", .spin = {15, 0, 16, 1}, .accessibleName = "Step N"},
    {.name = "Label6", .member = &W::Label6, .caption = "Integer number of revs/day",
     .place = {1680, 720, 2175, 255}, .tab = 17, .tiedTo = "NinputText"},
    {.name = "Label3", .member = &W::Label3, .caption = "M", .place = {240, 1320, 255, 255}, .tab = 7,
     .font = kLetter, .tiedTo = "MinputText"},
    {.name = "MinputText", .member = &W::MinputText, .caption = "1", .place = {600, 1320, 495, 285}, .tab = 3,
     .accessibleName = "M, extra revs after which the ground track matches that of the first day"},
    {.name = "UpDownM", .member = &W::UpDownM, .place = {1200, 1200, 240, 525}, .tab = 2,
     .tiedTo = "MinputText", .spin = {1, -15, 15, 1}, .accessibleName = "Step M"},
    {.name = "Label5", .member = &W::Label5, .caption = "Ground track matches that of the first day + \"M\" revs ",
     .place = {1680, 1320, 2415, 375}, .tab = 16, .twoLines = true, .tiedTo = "MinputText"},
    {.name = "Label4", .member = &W::Label4, .caption = "Q", .place = {240, 1920, 255, 375}, .tab = 8,
     .font = kLetter, .tiedTo = "QinputText"},
    {.name = "QinputText", .member = &W::QinputText, .caption = "1", .place = {600, 1920, 495, 285}, .tab = 5,
     .accessibleName = "Q, days after which the ground track is synchronized"},
    {.name = "UpDownQ", .member = &W::UpDownQ, .place = {1200, 1800, 240, 525}, .tab = 4,
     .tiedTo = "QinputText", .spin = {1, 1, 30, 1}, .accessibleName = "Step Q"},
    {.name = "Label7", .member = &W::Label7, .caption = "Ground track synchronized after this number of days",
     .place = {1680, 1920, 2535, 375}, .tab = 18, .twoLines = true, .tiedTo = "QinputText"},

    // The chosen inclination.
    {.name = "Label12", .member = &W::Label12, .caption = "i", .place = {240, 2520, 255, 255}, .tab = 23,
     .font = kItalicLetter, .group = Group::Inclination, .tiedTo = "InclText"},
    {.name = "InclText", .member = &W::InclText, .caption = "65", .place = {600, 2520, 375, 285}, .tab = 10,
     .alignRight = true, .group = Group::Inclination, .accessibleName = "Inclination, whole degrees"},
    {.name = "Label19", .member = &W::Label19, .caption = ".", .place = {1080, 2520, 135, 375}, .tab = 40,
     .font = kPoint, .group = Group::Inclination, .tiedTo = "Incl01Text", .accessibleName = "decimal point"},
    {.name = "Incl01Text", .member = &W::Incl01Text, .caption = "0", .place = {1200, 2520, 375, 285}, .tab = 39,
     .group = Group::Inclination, .accessibleName = "Inclination, tenths of a degree"},
    {.name = "UpDown10i", .member = &W::UpDown10i, .place = {1680, 2520, 240, 495}, .tab = 9,
     .group = Group::Inclination, .spin = {60, 0, 180, 10}, .accessibleName = "Step inclination by 10 degrees"},
    {.name = "UpDown1i", .member = &W::UpDown1i, .place = {2040, 2520, 240, 495}, .tab = 11,
     .group = Group::Inclination, .spin = {0, 0, 10, 1}, .accessibleName = "Step inclination by 1 degree"},
    {.name = "UpDown01i", .member = &W::UpDown01i, .place = {2400, 2520, 240, 495}, .tab = 12,
     .group = Group::Inclination, .spin = {0, 0, 10, 1}, .accessibleName = "Step inclination by 0.1 degree"},
    {.name = "Label8", .member = &W::Label8, .caption = "10", .place = {1680, 3120, 255, 255}, .tab = 19,
     .font = kStepCaption, .group = Group::Inclination, .tiedTo = "UpDown10i"},
    {.name = "Label9", .member = &W::Label9, .caption = "1", .place = {2040, 3120, 135, 255}, .tab = 20,
     .font = kStepCaption, .group = Group::Inclination, .tiedTo = "UpDown1i"},
    {.name = "Label10", .member = &W::Label10, .caption = "0.1", .place = {2400, 3120, 255, 255}, .tab = 21,
     .font = kStepCaption, .group = Group::Inclination, .tiedTo = "UpDown01i"},
    {.name = "Label11", .member = &W::Label11, .caption = "inclination, degrees", .place = {2760, 2520, 855, 495},
     .tab = 22, .twoLines = true, .group = Group::Inclination, .tiedTo = "InclText"},

    // The orbit type.
    {.name = "OrbType", .member = &W::OrbType, .caption = "Orbit type", .place = {360, 3600, 2055, 1335}, .tab = 13},
    {.name = "OptionIncl(0)", .member = {}, .optionIndex = OptionIndexOf(OrbitType::SunSynchronous),
     .caption = "Sun-synchronous",
     .place = {240, 360, 1575, 255}, .tab = 14,
     .tip = "Choose this option to compute the orbital elements for a sun-synchronous orbit with a repeating pattern"},
    {.name = "OptionIncl(1)", .member = {}, .optionIndex = OptionIndexOf(OrbitType::ChooseInclination),
     .caption = "Choose inclination",
     .place = {240, 720, 1695, 375}, .tab = 15,
     .tip = "By choosing this option you can enter an inclination value for which the repeating ground track "
            "pattern is sought",
     .selected = true},

    // The commands.
    {.name = "ExitCom", .member = &W::ExitCom, .caption = "Exit", .place = {360, 5520, 1215, 375}, .tab = 35},
    {.name = "ComputeCom", .member = &W::ComputeCom, .caption = "Compute orbital elements",
     .place = {4920, 960, 1575, 735}, .tab = 32},
    {.name = "DispCom", .member = &W::DispCom, .caption = "Display pattern", .place = {5400, 1920, 1095, 495},
     .tab = 36, .tip = "Click here to show a simplified rendering of the ground track pattern during Q days",
     .disabled = true},

    // The results.
    {.name = "Label17", .member = &W::Label17, .caption = CaptionOf(ResultField::RevCount),
     .place = {3960, 3240, 735, 255}, .tab = 34, .alignRight = true, .tiedTo = BoxOf(ResultField::RevCount)},
    {.name = BoxOf(ResultField::RevCount), .member = &W::NrOfRevs, .place = {4800, 3240, 1215, 285}, .tab = 33,
     .tip = "Number of revolutions between repeating ground tracks"},
    {.name = "Label13", .member = &W::Label13, .caption = CaptionOf(ResultField::SemiMajorAxis),
     .place = {3120, 3720, 1575, 255}, .tab = 25, .alignRight = true, .tiedTo = BoxOf(ResultField::SemiMajorAxis)},
    {.name = BoxOf(ResultField::SemiMajorAxis), .member = &W::AxelBox, .place = {4800, 3720, 1215, 285}, .tab = 24},
    {.name = "Label14", .member = &W::Label14, .caption = CaptionOf(ResultField::MeanAltitude),
     .place = {3240, 4200, 1455, 255}, .tab = 27, .alignRight = true, .tiedTo = BoxOf(ResultField::MeanAltitude)},
    {.name = BoxOf(ResultField::MeanAltitude), .member = &W::AvAltBox, .place = {4800, 4200, 1215, 285}, .tab = 26},
    {.name = "Label15", .member = &W::Label15, .caption = CaptionOf(ResultField::MeanMotion),
     .place = {2880, 4680, 1815, 255}, .tab = 29, .alignRight = true, .tiedTo = BoxOf(ResultField::MeanMotion)},
    {.name = BoxOf(ResultField::MeanMotion), .member = &W::MeanMotBox, .place = {4800, 4680, 1215, 285}, .tab = 28},
    {.name = "Label18", .member = &W::Label18, .caption = CaptionOf(ResultField::NodalPeriod),
     .place = {3240, 5160, 1455, 255}, .tab = 38, .alignRight = true, .tiedTo = BoxOf(ResultField::NodalPeriod)},
    {.name = BoxOf(ResultField::NodalPeriod), .member = &W::TNtext, .place = {4800, 5160, 1215, 285}, .tab = 37},
    {.name = "Label16", .member = &W::Label16, .caption = CaptionOf(ResultField::SunSyncInclination),
     .place = {2160, 5640, 2535, 255}, .tab = 31, .alignRight = true, .group = Group::SunSyncOutput,
     .tiedTo = BoxOf(ResultField::SunSyncInclination), .hidden = true},
    {.name = BoxOf(ResultField::SunSyncInclination), .member = &W::InclOutBox, .place = {4800, 5640, 1215, 285},
     .tab = 30, .group = Group::SunSyncOutput, .hidden = true},
};

constexpr const char* kToCompute = "arrow from the inputs to the compute button";
constexpr const char* kToResults = "arrow from the compute button to the results";

const LineRow kLines[] = {
    {"Line5", &W::Line5, 4200, 720, 3960, 720, kToCompute},
    {"Line4", &W::Line4, 4200, 2880, 4200, 720, kToCompute},
    {"Line6", &W::Line6, 4200, 2880, 3720, 2880, kToCompute},
    {"Line7", &W::Line7, 4200, 1320, 4920, 1320, kToCompute},
    {"Line8", &W::Line8, 4920, 1320, 4680, 1200, kToCompute},
    {"Line9", &W::Line9, 4920, 1320, 4680, 1440, kToCompute},
    {"Line1", &W::Line1, 5280, 1800, 5280, 3120, kToResults},
    {"Line2", &W::Line2, 5280, 3120, 5400, 2880, kToResults},
    {"Line3", &W::Line3, 5280, 3120, 5160, 2880, kToResults},
};

}  // namespace

std::span<const ControlRow> ControlTable() { return kControls; }
std::span<const LineRow> LineTable() { return kLines; }

}  // namespace design_window
