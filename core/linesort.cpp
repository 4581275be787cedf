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

// A run holds for each line its key, its length and its characters.
bool LineSorter::writeRun()
{
    sortBatch();
    File f(std::tmpfile(), &std::fclose);
    if (!f) return false;
    for (const Held& h : held_) {
        std::fwrite(&h.key, sizeof h.key, 1, f.get());
        std::fwrite(&h.length, sizeof h.length, 1, f.get());
        std::fwrite(text_.data() + h.offset, 1, h.length, f.get());
    }
    if (std::fflush(f.get()) != 0 || std::ferror(f.get())) return false;
    std::rewind(f.get());
    runs_.push_back(std::move(f));
    held_.clear();
    text_.clear();
    return true;
}

// Reads the next line of run into the merge; false at the run's end or on a short read.
bool LineSorter::readHead(std::size_t run)
{
    std::FILE* f = runs_[run].get();
    std::string& line = headLines_[run];
    Key key;
    std::uint32_t length;
    if (std::fread(&key, sizeof key, 1, f) != 1) return false;
    if (std::fread(&length, sizeof length, 1, f) != 1) return ok_ = false;
    line.resize(length);
    if (std::fread(line.data(), 1, length, f) != length) return ok_ = false;
    heads_.push({key, run});
    return true;
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
