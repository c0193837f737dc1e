#include "design_window/layout_check.h"

#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

namespace design_window {

namespace {

[[noreturn]] void Fault(std::string_view row, const std::string& what)
{
    throw std::logic_error("Design window layout table, row \"" + std::string(row) + "\": " + what);
}

const ControlRow* Find(std::span<const ControlRow> controls, std::string_view name)
{
    for (const ControlRow& row : controls) {
        if (name == row.name)
            return &row;
    }
    return nullptr;
}

}  // namespace

void CheckLayoutTable(std::span<const ControlRow> controls, std::span<const LineRow> lines)
{
    std::set<std::string_view> names;
    std::set<int> tabs;
    int nextOption = 0;
    bool frameMade = false;
    for (const ControlRow& row : controls) {
        if (!names.insert(row.name).second)
            Fault(row.name, "the name is used twice");
        if (!tabs.insert(row.tab).second)
            Fault(row.name, "tab index " + std::to_string(row.tab) + " is used twice");
        const bool isOption = std::holds_alternative<std::monostate>(row.member);
        if (isOption != (row.optionIndex >= 0))
            Fault(row.name, "an option button, and only an option button, has an option index");
        // An option button's index is its place in the array, so the rows
        // must come in index order.
        if (isOption && row.optionIndex != nextOption++)
            Fault(row.name, "option index " + std::to_string(row.optionIndex) + " out of order");
        // The option buttons are placed in the frame, which must exist by then.
        if (isOption && !frameMade)
            Fault(row.name, "an option button comes before its frame");
        frameMade = frameMade || std::holds_alternative<QGroupBox* OrbitDesVorn::*>(row.member);
    }
    for (const LineRow& line : lines) {
        if (!names.insert(line.name).second)
            Fault(line.name, "the name is used twice");
    }
    for (const ControlRow& row : controls) {
        if (row.tiedTo == nullptr)
            continue;
        const ControlRow* tied = Find(controls, row.tiedTo);
        if (tied == nullptr)
            Fault(row.name, "tied to \"" + std::string(row.tiedTo) + "\", which the table does not have");
        const bool isSpin = std::holds_alternative<platform::SpinControl* OrbitDesVorn::*>(row.member);
        const bool isLabel = std::holds_alternative<QLabel* OrbitDesVorn::*>(row.member);
        if (!isSpin && !isLabel)
            Fault(row.name, "only labels and spin controls are tied to a control");
        if (isSpin && !std::holds_alternative<platform::TextBox* OrbitDesVorn::*>(tied->member))
            Fault(row.name, "a spin control's buddy must be a text box, not \"" + std::string(tied->name) + "\"");
    }
}

}  // namespace design_window
