// The view and map tests' start instant and site, and selecting a satellite of the current TLE
// file through the selection glue.
#pragma once

#include <gtest/gtest.h>

#include <QString>

#include <cstdio>

#include "app/glue/selectionglue.h"
#include "core/records.h"
#include "core/timeset.h"
#include "core/tlefile.h"
#include "../test_site.h"

// Sets the start and site of the headless tests (site A, 22 February 2026 0h UT) and its MJD.
inline void setStartAndSite()
{
    SetSiteA(indata);
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
