#include "app/glue/fileglue.h"

#include "core/records.h"
#include "core/selection.h"

QString vsFileName(char* name)
{
    vsFileName(indata, name);
    return QString::fromLatin1(name);
}
