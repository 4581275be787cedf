// Apparent pole of the prime satellite's orbit as seen from the site.
#pragma once

#include "core/records.h"

// Appends to buf the azimuth, elevation, R.A. and Dec. of the orbit pole above the horizon
// at in->pdmaxt (two lines); appends nothing in relative mode with two or more satellites,
// with occmode or flares set, or when the pole is undefined.
void GetPoleTxt(WinpData* in, char* buf);
