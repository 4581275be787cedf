// The measured picture points handed to the orbit determination dialog.
#pragma once

// R.A. (h.mmss) and Dec. (d.mmss) of the last two points measured on the picture, older first;
// false (values unchanged) when two points have not been measured yet.
bool vsGetPict(double& ra1, double& dec1, double& ra2, double& dec2);
