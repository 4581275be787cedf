// Commands whose dialogs and computations (Iridium flares, satellite matching, orbit editing,
// manoeuvres, launch, orbit determination) are not built yet: until they are, each shows the last
// text page.
#include "orbikaview.h"

void OrbikaView::vIridium() { showLastText(); }

void OrbikaView::vMatch() { showLastText(); }

void OrbikaView::vEditOrb() { showLastText(); }

void OrbikaView::vDeltaV() { showLastText(); }

void OrbikaView::vLaunch() { showLastText(); }

void OrbikaView::vRendz() { showLastText(); }

void OrbikaView::vOrbDet() { showLastText(); }
