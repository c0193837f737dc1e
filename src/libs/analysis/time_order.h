#pragma once
// Putting looks in order of time when they arrive nearly in it: the worst
// revisit keeps its looks sorted from one longitude to the next, where each
// has moved on by a little. Any type with a `timeS` member will do.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace orbit::analysis {

// Insertion sort gives up after this many moves per element and leaves the
// rest to std::sort: the looks arrive nearly in order, but not always.
inline constexpr std::size_t kInsertionMovesPerLook = 8;

template <typename Look>
bool ByTime(const Look& a, const Look& b)
{
    return a.timeS < b.timeS;
}

// Sorted by time: by insertion while that stays cheap, else by std::sort.
// Either way the same times in the same order, ties aside, which leaves
// every wait between successive looks as it is.
template <typename Look>
void SortNearlyInOrder(std::vector<Look>& looks, std::size_t movesPerLook = kInsertionMovesPerLook)
{
    std::size_t movesLeft = movesPerLook * looks.size();
    for (std::size_t i = 1; i < looks.size(); ++i) {
        if (!(looks[i].timeS < looks[i - 1].timeS))
            continue;
        const Look look = looks[i];
        std::size_t j = i;
        for (; j > 0 && look.timeS < looks[j - 1].timeS; --j) {
            if (movesLeft == 0) {
                looks[j] = look;
                std::sort(looks.begin(), looks.end(), ByTime<Look>);
                return;
            }
            --movesLeft;
            looks[j] = looks[j - 1];
        }
        looks[j] = look;
    }
}

}  // namespace orbit::analysis
