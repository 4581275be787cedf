#include "core/linesort.h"

#include <algorithm>

LineSorter::LineSorter(std::size_t budget) : budget_(budget) {}

bool LineSorter::add(Key key, std::string_view line)
{
    if (text_.capacity() < budget_) text_.reserve(budget_);  // address space only, no copies while it fills
    held_.push_back({key, static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(line.size())});
    text_.append(line);
    return text_.size() + held_.size() * sizeof(Held) < budget_ || writeRun();
}

// Offsets grow with arrival, so ordering equal keys by offset keeps the order the lines came in.
void LineSorter::sortBatch()
{
    std::sort(held_.begin(), held_.end(),
              [](const Held& a, const Held& b) { return a.key != b.key ? a.key < b.key : a.offset < b.offset; });
}

namespace {
// Bytes of a run written or read ahead at once.
constexpr std::size_t kRunChunk = std::size_t{1} << 16;
}  // namespace

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

// Copies the next count bytes of run to out. Returns false when the run has fewer.
bool LineSorter::take(Run& run, char* out, std::size_t count)
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
    std::copy_n(run.ahead.data() + run.used, count, out);
    run.used += count;
    return true;
}

// Puts the next line of run into the merge, if it has one; a line cut short fails the merge.
void LineSorter::readHead(std::size_t run)
{
    Run& r = runs_[run];
    std::string& line = headLines_[run];
    Key key;
    std::uint32_t length;
    if (!take(r, reinterpret_cast<char*>(&key), sizeof key)) {
        ok_ = ok_ && !std::ferror(r.file.get());
        return;
    }
    if (!take(r, reinterpret_cast<char*>(&length), sizeof length)) {
        ok_ = false;
        return;
    }
    line.resize(length);
    if (take(r, line.data(), length))
        heads_.push({key, run});
    else
        ok_ = false;
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
    if (heads_.empty() || !ok_) return false;
    const std::size_t run = heads_.top().run;
    heads_.pop();
    current_.swap(headLines_[run]);
    readHead(run);
    line = current_;
    return true;
}
