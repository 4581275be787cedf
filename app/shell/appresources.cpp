#include "appresources.h"

#include <QtGlobal>

void initOrbikaResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(orbika);
        return true;
    }();
    (void)registered;
}
