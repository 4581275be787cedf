// Settings shared by the view and map tests: the start instant and site, and selecting a
// satellite of the current TLE file through the selection glue.
#pragma once

#include <gtest/gtest.h>

#include <QString>

#include <cstdio>

#include "app/glue/selectionglue.h"
#include "core/records.h"
#include "core/timeset.h"
#include "core/tlefile.h"

// Sets the start to 22 February 2026, 0h UT (a day after the bundled elements' epoch), at Munich.
inline void setStartAndSite()
{
    indata->year = 2026;
    indata->month = 2;
    indata->day = 22;
    indata->hour = indata->minute = indata->second = 0;
    indata->systzflg = 0;
    indata->timezone = 0;
    indata->obslat = 48.15;
    indata->obslon = 11.58;
    indata->obshgt = 520;
    setNewMjd(indata);
}

// Selects the first entry found for key in the current TLE file through the selection glue.
inline void selectByGlue(const char* key)
{
    ElementReader reader(indata->tlefile);
    ASSERT_TRUE(reader.isOpen());
    satfle = &reader;
    QString k = key;
    int n = 0;
    vsFindSat(k, n, 0, 0, 0);
    satfle = nullptr;
    ASSERT_NE(0, n) << key;
    vsSatSel();
}
