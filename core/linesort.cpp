#include "core/linesort.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {
// Keys that span fewer values than this many per held line are sorted by counting.
constexpr std::uint64_t kCountingSpan = 4;
// Bytes of a run written or read ahead at once.
constexpr std::size_t kRunChunk = std::size_t{1} << 16;
}  // namespace

LineSorter::LineSorter(std::size_t budget) : budget_(budget) {}

bool LineSorter::add(Key key, std::string_view line)
{
    if (text_.capacity() < budget_) text_.reserve(budget_);  // address space only, no copies while it fills
    held_.push_back({key, static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(line.size())});
    text_.append(line);
    return text_.size() + held_.size() * sizeof(Held) < budget_ || writeRun();
}

// A counting sort keeps lines of equal keys in the order they came in; for keys spread too widely
// for it, ordering equal keys by offset (which grows with arrival) does the same.
void LineSorter::sortBatch()
{
    if (held_.empty()) return;
    const auto [lowest, highest] = std::minmax_element(held_.begin(), held_.end(),
                                                       [](const Held& a, const Held& b) { return a.key < b.key; });
    const Key low = lowest->key;
    const std::uint64_t span = static_cast<std::uint64_t>(highest->key) - static_cast<std::uint64_t>(low);
    if (span >= kCountingSpan * held_.size()) {
        std::sort(held_.begin(), held_.end(),
                  [](const Held& a, const Held& b) { return a.key != b.key ? a.key < b.key : a.offset < b.offset; });
        return;
    }
    // starts[k]: the place in the sorted batch of the next line of key low + k.
    std::vector<std::uint32_t> starts(span + 2, 0);
    for (const Held& h : held_) ++starts[static_cast<std::uint64_t>(h.key - low) + 1];
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    std::vector<Held> sorted(held_.size());
    for (const Held& h : held_) sorted[starts[static_cast<std::uint64_t>(h.key - low)]++] = h;
    held_.swap(sorted);
}

// A run holds for each line its key, its length and its characters.
bool LineSorter::writeRun()
{
    sortBatch();
    Run run{{std::tmpfile(), &std::fclose}, {}, 0};
    std::FILE* f = run.file.get();
    if (!f) return false;
    std::string chunk;
    for (const Held& h : held_) {
        chunk.append(reinterpret_cast<const char*>(&h.key), sizeof h.key);
        chunk.append(reinterpret_cast<const char*>(&h.length), sizeof h.length);
        chunk.append(text_, h.offset, h.length);
        if (chunk.size() >= kRunChunk || &h == &held_.back()) {
            std::fwrite(chunk.data(), 1, chunk.size(), f);
            chunk.clear();
        }
    }
    if (std::fflush(f) != 0 || std::ferror(f)) return false;
    std::rewind(f);
    runs_.push_back(std::move(run));
    held_.clear();
    text_.clear();
    return true;
}

// True when count bytes of run are read ahead and not yet taken; reads more as needed.
bool LineSorter::fill(Run& run, std::size_t count)
{
    while (run.ahead.size() - run.used < count) {
        run.ahead.erase(0, run.used);
        run.used = 0;
        const std::size_t held = run.ahead.size(), wanted = std::max(count, kRunChunk);
        run.ahead.resize(held + wanted);
        const std::size_t got = std::fread(run.ahead.data() + held, 1, wanted, run.file.get());
        run.ahead.resize(held + got);
        if (got == 0) return false;
    }
    return true;
}

// Puts the next line of run into the merge, if it has one; a line cut short fails the merge. The
// line stays in the run's read-ahead until the run is read again.
void LineSorter::readHead(std::size_t run)
{
    Run& r = runs_[run];
    Key key;
    std::uint32_t length;
    constexpr std::size_t kPrefix = sizeof key + sizeof length;
    if (!fill(r, kPrefix)) {
        ok_ = ok_ && !std::ferror(r.file.get());
        return;
    }
    std::memcpy(&key, r.ahead.data() + r.used, sizeof key);
    std::memcpy(&length, r.ahead.data() + r.used + sizeof key, sizeof length);
    if (!fill(r, kPrefix + length)) {
        ok_ = false;
        return;
    }
    headLines_[run] = std::string_view(r.ahead).substr(r.used + kPrefix, length);
    r.used += kPrefix + length;
    heads_.push({key, run});
}

bool LineSorter::startMerge()
{
    if (runs_.empty()) {
        sortBatch();
        return true;
    }
    if (!held_.empty() && !writeRun()) return ok_ = false;
    text_.shrink_to_fit();
    held_.shrink_to_fit();
    headLines_.resize(runs_.size());
    advance_ = runs_.size();
    for (std::size_t r = 0; r < runs_.size(); ++r) readHead(r);
    return ok_;
}

bool LineSorter::next(std::string_view& line)
{
    if (runs_.empty()) {
        if (nextHeld_ == held_.size()) return false;
        const Held& h = held_[nextHeld_++];
        line = std::string_view(text_).substr(h.offset, h.length);
        return true;
    }
    if (advance_ < runs_.size()) readHead(advance_);
    advance_ = runs_.size();
    if (heads_.empty() || !ok_) return false;
    const std::size_t run = heads_.top().run;
    heads_.pop();
    line = headLines_[run];
    advance_ = run;
    return true;
}
