#include "core/regularfile.h"

#include <sys/stat.h>

std::FILE* OpenRegularFile(const char* name)
{
    struct stat st;
    if (stat(name, &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    return std::fopen(name, "r");
}
