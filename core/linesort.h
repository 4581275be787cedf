// Sorting more lines than should be held in memory: full batches are sorted and written to
// temporary files (runs), which are merged at the end.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class LineSorter {
public:
    using Key = std::function<std::string(const std::string& line)>;

    // Sorts by key, lines of equal keys in the order they were added; holds about budget bytes
    // of lines in memory at most.
    explicit LineSorter(Key key, std::size_t budget = kDefaultBudget);

    // Adds one line (without its newline). Returns false when a run cannot be written.
    bool add(const std::string& line);

    // Hands every line to emit in sorted order. Returns false when a run cannot be read back.
    bool merge(const std::function<void(const std::string&)>& emit);

    // Lines held in memory before a run is written: 32 MiB, a small part of the memory target.
    static constexpr std::size_t kDefaultBudget = std::size_t{32} << 20;

private:
    using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;
    void sortBatch();
    bool writeRun();

    Key key_;
    std::size_t budget_;
    std::size_t held_ = 0;
    std::vector<std::pair<std::string, std::string>> batch_;  // key, line
    std::vector<File> runs_;
};
