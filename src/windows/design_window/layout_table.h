#pragma once
// The design window as data: one row per control with its name, kind,
// caption, place in twips, tab index, font and start state, and one row per
// line of the two arrows.

#include "design_window/orbit_des_vorn.h"

#include <span>
#include <variant>

namespace design_window {

// Which member of the window a row creates; the member's type is the kind of
// control. Option buttons belong to the array OptionIncl and have no member.
using ControlMember = std::variant<std::monostate,
                                   QLabel* OrbitDesVorn::*,
                                   platform::TextBox* OrbitDesVorn::*,
                                   platform::SpinControl* OrbitDesVorn::*,
                                   platform::CommandButton* OrbitDesVorn::*,
                                   QGroupBox* OrbitDesVorn::*>;

struct Twips {
    int left, top, width, height;
};

// A font of its own; a zero size means the window's default font.
struct FontChoice {
    double points = 0;
    bool bold = false;
    bool italic = false;
};

struct SpinSettings {
    int value = 0, minimum = 0, maximum = 0, step = 1;
};

enum class Group { None, Inclination, SunSyncOutput };

struct ControlRow {
    const char* name;
    ControlMember member;
    int optionIndex = -1;            // option buttons: index in OptionIncl
    const char* caption = "";        // caption, or a text box's initial text
    Twips place{};                   // option buttons: relative to the frame
    int tab = 0;                     // tab index
    FontChoice font{};
    bool alignRight = false;
    bool twoLines = false;           // a caption that wraps at word boundaries
    Group group = Group::None;
    const char* tiedTo = nullptr;    // a label's box, a spin control's buddy
    SpinSettings spin{};
    const char* tip = nullptr;
    const char* accessibleName = nullptr;  // when the caption or label does not name it
    bool hidden = false;             // start state
    bool disabled = false;
    bool selected = false;
};

struct LineRow {
    const char* name;
    platform::LineControl* OrbitDesVorn::*member;
    int x1, y1, x2, y2;  // twips, from the first point to the second
    const char* accessibleName;
};

// The window's client area in twips, and its caption.
inline constexpr int kClientWidthTwips = 7020;
inline constexpr int kClientHeightTwips = 6435;
inline constexpr const char* kWindowCaption = "Design Repeating Pattern Orbit";
inline constexpr int kLinePenPixels = 2;

std::span<const ControlRow> ControlTable();
std::span<const LineRow> LineTable();

}  // namespace design_window
