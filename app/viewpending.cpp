// Commands whose dialogs and computations (Iridium flares) are not built yet: until they are,
// each shows the last text page.
#include "orbikaview.h"

void OrbikaView::vIridium() { showLastText(); }
