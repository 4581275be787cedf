// Sorting through runs on disk must give what a stable sort in memory gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/linesort.h"

TEST(LineSorter, RunsOnDiskMergeToTheStableOrder)
{
    // Keys of few distinct values, so the order of equal keys is tested as well.
    std::mt19937 rng(7);
    std::vector<std::string> lines;
    for (int k = 0; k < 5000; ++k) lines.push_back(std::to_string(rng() % 40) + " line " + std::to_string(k));
    const auto key = [](const std::string& line) { return line.substr(0, line.find(' ')); };
    std::vector<std::string> expected = lines;
    std::stable_sort(expected.begin(), expected.end(),
                     [&](const std::string& a, const std::string& b) { return key(a) < key(b); });

    for (const std::size_t budget : {std::size_t{4096}, LineSorter::kDefaultBudget}) {  // many runs, one batch
        LineSorter sorter(key, budget);
        for (const std::string& line : lines) ASSERT_TRUE(sorter.add(line));
        std::vector<std::string> sorted;
        ASSERT_TRUE(sorter.merge([&](const std::string& line) { sorted.push_back(line); }));
        EXPECT_EQ(sorted, expected) << budget;
    }
}
