#include "core/linesort.h"

#include <algorithm>
#include <queue>

namespace {
// Memory of one held line besides its characters (two strings and their pair), bytes.
constexpr std::size_t kLineOverhead = 96;

// Reads the next line of f into line without its newline; false at the end.
bool readLine(std::FILE* f, std::string& line)
{
    line.clear();
    for (int c; (c = std::fgetc(f)) != EOF;) {
        if (c == '\n') return true;
        line.push_back(static_cast<char>(c));
    }
    return !line.empty();
}

// The head line of one run in the merge, ordered by key and then by run (earlier runs first).
struct Head {
    std::string key;
    std::size_t run;
    std::string line;
    bool operator>(const Head& o) const { return key != o.key ? key > o.key : run > o.run; }
};
}  // namespace

LineSorter::LineSorter(Key key, std::size_t budget) : key_(std::move(key)), budget_(budget) {}

bool LineSorter::add(const std::string& line)
{
    batch_.emplace_back(key_(line), line);
    held_ += batch_.back().first.size() + line.size() + kLineOverhead;
    return held_ < budget_ || writeRun();
}

void LineSorter::sortBatch()
{
    std::stable_sort(batch_.begin(), batch_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

bool LineSorter::writeRun()
{
    sortBatch();
    File f(std::tmpfile(), &std::fclose);
    if (!f) return false;
    for (const auto& entry : batch_) {
        std::fwrite(entry.second.data(), 1, entry.second.size(), f.get());
        std::fputc('\n', f.get());
    }
    if (std::fflush(f.get()) != 0 || std::ferror(f.get())) return false;
    std::rewind(f.get());
    runs_.push_back(std::move(f));
    batch_.clear();
    batch_.shrink_to_fit();
    held_ = 0;
    return true;
}

bool LineSorter::merge(const std::function<void(const std::string&)>& emit)
{
    if (runs_.empty()) {
        sortBatch();
        for (const auto& entry : batch_) emit(entry.second);
        return true;
    }
    if (!batch_.empty() && !writeRun()) return false;
    std::priority_queue<Head, std::vector<Head>, std::greater<>> heads;
    std::string line;
    for (std::size_t r = 0; r < runs_.size(); ++r)
        if (readLine(runs_[r].get(), line)) heads.push({key_(line), r, line});
    while (!heads.empty()) {
        Head h = heads.top();
        heads.pop();
        emit(h.line);
        if (readLine(runs_[h.run].get(), line)) heads.push({key_(line), h.run, line});
    }
    for (const File& f : runs_)
        if (std::ferror(f.get())) return false;
    return true;
}
