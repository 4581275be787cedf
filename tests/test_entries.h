// Test helper: every entry of an element file, in file order, as a search for "*" returns them.
#pragma once

#include <string>

#include "core/selection.h"
#include "core/tlefile.h"

// Calls visit(last) with each entry of r read into the work slot of in; visit returns false to stop.
template <class Visit>
void forEachEntry(WinpData* in, ElementReader& r, Visit visit, int low = 0, int recent = 0)
{
    std::string key = "*";
    int n = 0;
    for (vsFindSat(in, r, key, n, 0, low, recent); n; vsReComp(in, r, key = "*", n, 0, 1, low, recent))
        if (!visit(n != 2) || n != 2) return;
}
