// Sorting through runs on disk must give what a stable sort in memory gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/linesort.h"

TEST(LineSorter, RunsOnDiskMergeToTheStableOrder)
{
    // Keys of few distinct values, so the order of equal keys is tested as well, close together
    // (sorted by counting) and far apart; some lines are empty or hold NUL bytes.
    std::mt19937 rng(7);
    std::vector<std::pair<LineSorter::Key, std::string>> lines;
    for (int k = 0; k < 5000; ++k) {
        const LineSorter::Key key = (static_cast<LineSorter::Key>(rng() % 40) - 20) * (k < 2500 ? 1 : 1000000007);
        lines.emplace_back(key, k % 97 == 0 ? std::string(k % 3, '\0') : "line " + std::to_string(k));
    }
    std::vector<std::pair<LineSorter::Key, std::string>> expected = lines;
    std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    for (const std::size_t budget : {std::size_t{4096}, LineSorter::kDefaultBudget}) {  // many runs, one batch
        LineSorter sorter(budget);
        for (const auto& [key, line] : lines) ASSERT_TRUE(sorter.add(key, line));
        std::vector<std::string> sorted;
        ASSERT_TRUE(sorter.merge([&](std::string_view line) { sorted.emplace_back(line); }));
        ASSERT_EQ(sorted.size(), expected.size());
        for (size_t k = 0; k < sorted.size(); ++k) ASSERT_EQ(sorted[k], expected[k].second) << budget << ' ' << k;
    }
}
