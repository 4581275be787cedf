// Shared parts of the dialog tests: access to named widgets and settings with the bundled
// TLE file open for the selection glue.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "core/defaults.h"
#include "core/records.h"
#include "core/tlefile.h"
#include "gui_helpers.h"

// The child widget of type W named name; a missing widget fails the test through an exception.
template <typename W>
W* child(const QWidget& parent, const QString& name)
{
    W* w = parent.findChild<W*>(name);
    if (!w)
        throw std::runtime_error("no widget " + name.toStdString());
    return w;
}

// Settings at their defaults with the bundled visual TLE file open and nothing selected.
class VisualTleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDefaults(indata);
        std::snprintf(indata->tlefile, sizeof indata->tlefile, "%s",
                      ORBIKA_DATA_DIR "/tle/visual.txt");
        reader = std::make_unique<ElementReader>(indata->tlefile);
        ASSERT_TRUE(reader->isOpen());
        satfle = reader.get();
        vsResetSatList();
    }
    void TearDown() override { satfle = nullptr; }
    std::unique_ptr<ElementReader> reader;

    // Selects the first entry whose name starts with name; the file stays open for the dialogs.
    void select(const char* name)
    {
        selectByGlue(name);
        satfle = reader.get();
    }
};
