// Sorting more lines than should be held in memory: full batches are sorted and written to
// temporary files (runs), which are merged at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <queue>
#include <string>
#include <string_view>
#include <vector>

class LineSorter {
public:
    using Key = std::int64_t;

    // Sorts by key, lines of equal keys in the order they were added; holds about budget bytes
    // of lines in memory at most.
    explicit LineSorter(std::size_t budget = kDefaultBudget);

    // Adds one line (without its newline) under key. Returns false when a run cannot be written.
    bool add(Key key, std::string_view line);

    // Hands every line to emit(std::string_view) in sorted order; call it once, after the last add.
    // Returns false when a run cannot be written or read back.
    template <class Emit>
    bool merge(Emit emit)
    {
        if (!startMerge()) return false;
        for (std::string_view line; next(line);) emit(line);
        return ok_;
    }

    // Lines held in memory before a run is written: 32 MiB, a small part of the memory target.
    static constexpr std::size_t kDefaultBudget = std::size_t{32} << 20;

private:
    // A held line: its key and where its characters are in text_ (offsets grow as lines arrive).
    struct Held {
        Key key;
        std::uint32_t offset, length;
    };
    // The key of the line at the head of one run in the merge; earlier runs first among equal keys.
    struct Head {
        Key key;
        std::size_t run;
        bool operator>(const Head& o) const { return key != o.key ? key > o.key : run > o.run; }
    };
    // A run on disk and the part of it read ahead.
    struct Run {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> file;
        std::string ahead;
        std::size_t used = 0;  // bytes of ahead already taken
    };

    void sortBatch();
    bool writeRun();
    bool startMerge();
    bool next(std::string_view& line);
    void readHead(std::size_t run);
    bool fill(Run& run, std::size_t count);

    std::size_t budget_;
    std::string text_;
    std::vector<Held> held_;
    std::size_t nextHeld_ = 0;  // the next held line handed out, when all lines fit in memory
    std::vector<Run> runs_;
    std::priority_queue<Head, std::vector<Head>, std::greater<>> heads_;
    std::vector<std::string_view> headLines_;  // the head line of each run, in its read-ahead
    std::size_t advance_ = 0;  // the run whose head line went out last, read on at the next line
    bool ok_ = true;
};
