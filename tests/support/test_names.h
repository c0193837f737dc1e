#pragma once
// Names for the cases of parameterised tests, made from what each case says
// about itself, so a case keeps its name from build to build and `ctest -R`
// and failure reports can name it. Google Test takes letters, digits and '_'.

#include <cctype>
#include <string>
#include <string_view>

namespace test_names {

namespace detail {

inline bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
inline bool IsAlnum(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

}  // namespace detail

// A description in words, in CamelCase: "N + M/Q is 0, sun-synchronous"
// gives NPlusMOverQIs0SunSynchronous. Signs and operators are spelt out;
// a hyphen joins words unless it is the sign of a number.
inline std::string FromDescription(std::string_view description)
{
    std::string name;
    bool wordStart = true;
    for (std::size_t i = 0; i < description.size(); ++i) {
        const char c = description[i];
        const bool digitFollows = i + 1 < description.size() && detail::IsDigit(description[i + 1]);
        const bool afterWord = i > 0 && detail::IsAlnum(description[i - 1]);
        const char* spelt = nullptr;
        if (c == '+')
            spelt = "Plus";
        else if (c == '*')
            spelt = "Times";
        else if (c == '/')
            spelt = "Over";
        else if (c == '-' && digitFollows && !afterWord)
            spelt = "Minus";
        else if (c == '.' && digitFollows && afterWord)
            spelt = "Point";
        if (spelt != nullptr) {
            name += spelt;
            wordStart = true;
        } else if (detail::IsAlnum(c)) {
            name += wordStart ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
            wordStart = false;
        } else {
            wordStart = true;
        }
    }
    return name;
}

// A text as it was typed, every character kept: "-5" gives Minus5, " 180"
// Blank180, "6.5E1" 6Point5E1, "&H41" AmpH41, and the empty text Empty.
inline std::string FromText(std::string_view text)
{
    if (text.empty())
        return "Empty";
    std::string name;
    for (const char c : text) {
        switch (c) {
        case ' ': name += "Blank"; break;
        case '-': name += "Minus"; break;
        case '+': name += "Plus"; break;
        case '.': name += "Point"; break;
        case '&': name += "Amp"; break;
        default: name += detail::IsAlnum(c) ? std::string(1, c) : std::string("X");
        }
    }
    return name;
}

}  // namespace test_names
