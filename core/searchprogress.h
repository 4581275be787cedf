// Progress of a long catalogue search, shared by the searching threads and whoever watches it.
#pragma once

#include <atomic>

struct SearchProgress {
    std::atomic<long> done{0};         // entries of the TLE file searched so far
    std::atomic<bool> cancel{false};   // set to stop the search; it then writes nothing

    // True when the search is asked to stop.
    bool stopped() const { return cancel.load(std::memory_order_relaxed); }
    // Counts one more entry searched.
    void count() { done.fetch_add(1, std::memory_order_relaxed); }
};
