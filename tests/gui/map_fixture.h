// Fixture of the map tests: a view in a temporary program directory with the settings at their
// defaults, the bundled visual TLE file, the outline world map on white and a fixed instant.
#pragma once

#include <gtest/gtest.h>

#include <QImage>

#include <cstdio>
#include <memory>

#include "core/defaults.h"
#include "core/records.h"
#include "gui_helpers.h"
#include "orbikaview.h"

class MapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view = std::make_unique<OrbikaView>(nullptr);
        SetDefaults(indata);
        std::snprintf(indata->tlefile, sizeof indata->tlefile, "%s", ORBIKA_DATA_DIR "/tle/visual.txt");
        indata->mapwidth = 860;
        indata->mapheight = 501;
        indata->mapimgok = true;
        indata->maptype = 0;
        indata->mapbg = 0;
        indata->grid = 0;
        indata->daynight = 0;
        indata->cenlon = 0;
        indata->skymap = 0;
        setStartAndSite();
    }

    // Selects the first entry of the visual TLE file whose name starts with name.
    static void select(const char* name) { selectByGlue(name); }

    QImage canvas() const { return view->canvasImage().toImage(); }
    QImage display() const { return view->displayImage().toImage(); }

    ProgramDir dir;
    std::unique_ptr<OrbikaView> view;
};
