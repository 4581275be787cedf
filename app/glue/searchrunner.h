// Long catalogue searches from the desktop: run on a worker thread while a progress dialog shows
// the number of entries searched and offers Cancel.
#pragma once

#include <QString>
#include <functional>

#include "core/searchprogress.h"

class QWidget;

// Runs search(progress) on a worker thread; the GUI thread only shows the count in a modal
// progress dialog until the search returns. Cancel asks the search to stop. Returns what search
// returned. The search must not touch the records the GUI uses.
int RunSearch(QWidget* parent, const QString& title, const std::function<int(SearchProgress&)>& search);

// Worker threads of a desktop search: one per core.
int SearchThreads();
