// The pass details as the pass dialog sees them: the line source over the clicked pass and the
// writing of the details to the result save file.
#pragma once

#include <QString>

// Puts into text the next detail line of the clicked pass at instant t (t = 0 starts the pass and
// adds the header) and advances t; returns 1 while the pass goes on, 0 when it is over. With pole
// set, text gets the closing lines instead (the orbit pole at the pass maximum) and 1 is returned.
int vsGetPassDTxt(double& t, QString& text, bool pole);
// Appends the clicked pass to the save file: kind 1 the details, kind 2 the ground track
// (time, latitude, longitude); shows "Saved on File " and the name when it was written.
void vsSavePassDt(int kind);
