// The satellite selection as the selection dialogs see it: QString wrappers over the core's
// selection functions, working on the process-wide settings record and the open TLE file satfle.
#pragma once

#include <QString>

// Rewinds satfle and searches it from the start; n receives the search result (0 none, 1 found,
// 2 more follow) and key the description or no-match text.
void vsFindSat(QString& key, int& n, int kind, int low, int recent);
// Searches satfle from its current position (more = 1 continues a name search after result 2).
void vsReComp(QString& key, int& n, int kind, int more, int low, int recent);
// Takes the entry found last into the selection list.
void vsSatSel();
// The last search key, key kind, NORAD number, selection count and the two filters.
void vsLastSat(QString& key, int& kind, int& n, int& nsat, int& low, int& recent);
// Sets the filters for decaying low satellites and recent launches.
void vsLowRecent(int low, int recent);
// Empties the selection list.
void vsResetSatList();
// Name of selected satellite i (counting from 1).
QString vsSatName(int i);
// The TLE file name and the list of selected satellites, as shown by the selection dialog.
QString vsSatList();
