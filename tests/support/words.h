#pragma once
// A line of printed table split into its blank-separated words, for tests
// that read what the command line and the explorer print.

#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}
