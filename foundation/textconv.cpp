#include "foundation/textconv.h"

void decdot(char* s)
{
    for (; *s && *s != '('; ++s)
        if (*s == ',') *s = '.';
}

void decdot0(char* s)
{
    for (; *s; ++s)
        if (*s == ',') *s = '.';
}
