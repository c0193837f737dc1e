// Looks put in order of time: by insertion when they are nearly in order,
// by std::sort when insertion would cost too much, the same order either way.

#include "analysis/time_order.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace orbit::analysis {
namespace {

struct TimedLook {
    double timeS;
    int id;
};

std::vector<TimedLook> Looks(const std::vector<double>& times)
{
    std::vector<TimedLook> looks;
    for (const double t : times)
        looks.push_back({t, static_cast<int>(looks.size())});
    return looks;
}

std::vector<double> Shuffled(std::size_t count, unsigned seed)
{
    std::vector<double> times;
    for (std::size_t i = 0; i < count; ++i)
        times.push_back(static_cast<double>(i % 97));  // with ties
    std::shuffle(times.begin(), times.end(), std::mt19937(seed));
    return times;
}

struct OrderCase {
    std::string name;
    std::vector<double> times;
    std::size_t movesPerLook;
};

TEST(SortNearlyInOrder, GivesTheTimesInOrderAndKeepsEveryLook)
{
    std::vector<double> lastFirst(500);
    for (std::size_t i = 0; i < lastFirst.size(); ++i)
        lastFirst[i] = static_cast<double>(i + 1);
    lastFirst.back() = 0;  // one look to carry all the way back
    std::vector<double> reversed(300);
    for (std::size_t i = 0; i < reversed.size(); ++i)
        reversed[i] = -static_cast<double>(i);
    const OrderCase cases[] = {
        {"Empty", {}, kInsertionMovesPerLook},
        {"One", {3}, kInsertionMovesPerLook},
        {"InOrder", {1, 2, 2, 5, 9}, kInsertionMovesPerLook},
        {"NeighboursSwapped", {1, 3, 2, 5, 4, 6}, kInsertionMovesPerLook},
        {"OneFarBackWithinBudget", lastFirst, kInsertionMovesPerLook},
        {"OneFarBackPastBudget", lastFirst, 0},
        {"ReversedHandsOver", reversed, kInsertionMovesPerLook},
        {"ShuffledWithTies", Shuffled(1000, 7), kInsertionMovesPerLook},
        {"ShuffledNoBudget", Shuffled(1000, 8), 0},
        {"ShuffledAnyBudget", Shuffled(200, 9), 1000},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<TimedLook> looks = Looks(c.times);
        SortNearlyInOrder(looks, c.movesPerLook);
        std::vector<double> expected = c.times;
        std::sort(expected.begin(), expected.end());
        ASSERT_EQ(looks.size(), expected.size());
        std::vector<int> ids;
        for (std::size_t i = 0; i < looks.size(); ++i) {
            EXPECT_EQ(looks[i].timeS, expected[i]) << i;
            EXPECT_EQ(looks[i].timeS, c.times[static_cast<std::size_t>(looks[i].id)]) << i;
            ids.push_back(looks[i].id);
        }
        std::sort(ids.begin(), ids.end());
        for (std::size_t i = 0; i < ids.size(); ++i)
            EXPECT_EQ(ids[i], static_cast<int>(i));  // each look once
    }
}

}  // namespace
}  // namespace orbit::analysis
