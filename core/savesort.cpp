#include "core/savesort.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "core/safewrite.h"
#include "foundation/textconv.h"

namespace {
// Save-file data lines between blank lines.
constexpr int kSortGroup = 5;
// Save-file sort key: a month letter followed by the first kKeyChars characters of the line;
// the letters of January to December, "X" for any other line.
constexpr int kKeyChars = 16;
constexpr const char* kMonthLetters = "ABCDEFGHIJKM";
constexpr char kOtherMonth = 'X';
// First characters of the save-file lines that are copied ahead of the sorted pass lines.
constexpr const char* kHeaderStarts = "mGY= ";

// Sort key of a save-file data line: month letter and the line's first kKeyChars characters.
std::string sortKey(const std::string& line)
{
    char letter = kOtherMonth;
    for (int m = 1; m <= 12; ++m) {
        char name[4];
        GetMonth(m, name);
        if (line.compare(0, 3, name) == 0) letter = kMonthLetters[m - 1];
    }
    return letter + line.substr(0, kKeyChars);
}

}  // namespace

bool SortAos(const WinpData* in)
{
    std::ifstream save(in->savename, std::ios::binary);
    if (!save) return false;
    std::vector<std::string> header;
    std::vector<std::pair<std::string, std::string>> data;  // sort key, line
    std::string line;
    while (std::getline(save, line)) {
        if (!line.empty() && line[0] != '\0' && std::strchr(kHeaderStarts, line[0]))
            header.push_back(line);
        else if (line.size() > static_cast<size_t>(kKeyChars))
            data.emplace_back(sortKey(line), line);
    }
    save.close();
    std::stable_sort(data.begin(), data.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    return ReplaceFile(in->savename, [&](std::FILE* f) {
        for (const std::string& h : header) std::fprintf(f, "%s\n", h.c_str());
        for (size_t k = 0; k < data.size(); ++k) {
            if (k % kSortGroup == 0) std::fputs("\n", f);
            std::fprintf(f, "%s\n", data[k].second.c_str());
        }
    });
}
