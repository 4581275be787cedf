#include "core/tlesave.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/ommwrite.h"
#include "core/safewrite.h"
#include "core/selection.h"
#include "foundation/textconv.h"

namespace {

// Characters of the title line as written.
constexpr int kTitleChars = 40;
// Capacity of a file name of the settings record.
constexpr int kFileNameBytes = sizeof(WinpData::tlesave);

// Title line: the name with line-end characters blanked, padded to 40 characters.
std::string title(const char* name)
{
    char text[kTitleChars + 1];
    std::snprintf(text, sizeof text, "%-40.20s", name);
    std::replace_if(text, text + kTitleChars, [](char ch) { return ch == '\r' || ch == '\n'; }, ' ');
    return text;
}

// One of the three further lines of a state-vector entry: the text formatted from three or six
// values, and the line digit in column 69.
std::string stateline(char digit, const char* fmt, const double* x)
{
    char buf[256];
    std::snprintf(buf, sizeof buf, fmt, x[0], x[1], x[2], x[3], x[4], x[5]);
    decdot(buf);
    std::string line(buf);
    line.resize(kTleLineChars, ' ');
    line.back() = digit;
    return line;
}

// Lines 2 to 4 of the state-vector entry of slot: position, velocity, spacecraft values.
void statevector(const WinpData* in, int slot, std::vector<std::string>& lines)
{
    const char* vecfmt = "%20.12le %20.12le %20.12le";
    const double pos[6] = {in->svpos[0][slot], in->svpos[1][slot], in->svpos[2][slot]};
    const double vel[6] = {in->svvel[0][slot], in->svvel[1][slot], in->svvel[2][slot]};
    const double sc[6] = {in->scf107[slot], in->scf107avg[slot], in->sckp[slot],
                          in->sccd[slot],   in->sccr[slot],      in->scam[slot]};
    lines.push_back(stateline('2', vecfmt, pos));
    lines.push_back(stateline('3', vecfmt, vel));
    lines.push_back(stateline('4', "%7.1lf %7.1lf %7.1lf %13.5le %13.5le %13.5le", sc));
}

// The CSV line of slot.
std::string csvline(const WinpData* in, int slot)
{
    const std::string id(in->intldsn[slot], strnlen(in->intldsn[slot], sizeof in->intldsn[slot]));
    return OmmCsvLine(in->satname[slot], id.substr(0, id.find(' ')), SlotTleFields(in, slot));
}

// The lines written for slots into a file of the given form; a result other than kTleSaved
// when one of them cannot be written so.
int entrylines(const WinpData* in, const std::vector<int>& slots, bool csv, std::vector<std::string>& lines)
{
    for (int slot : slots) {
        if (csv && in->numflg[slot]) return kTleStateVectorCsv;
        if (csv)
            lines.push_back(csvline(in, slot));
        else if (!TleEntryLines(in, slot, lines))
            return kTleNumberTooLarge;
    }
    return kTleSaved;
}

// True when path is missing or empty.
bool isempty(const char* path)
{
    std::error_code ec;
    return !std::filesystem::exists(path, ec) || std::filesystem::file_size(path, ec) == 0;
}

}  // namespace

bool IsCsvName(const std::string& path)
{
    const std::string ext = std::filesystem::path(path).extension().string();
    return ext.size() == 4 && ext[0] == '.' && std::tolower(static_cast<unsigned char>(ext[1])) == 'c' &&
           std::tolower(static_cast<unsigned char>(ext[2])) == 's' &&
           std::tolower(static_cast<unsigned char>(ext[3])) == 'v';
}

std::string CsvSaveName(const std::string& path)
{
    return std::filesystem::path(path).replace_extension(".csv").string();
}

bool TleEntryLines(const WinpData* in, int slot, std::vector<std::string>& lines)
{
    const TleFields f = SlotTleFields(in, slot);
    std::string line1, line2;
    if (!FormatTleLine1(f, line1) || !FormatTleLine2(f, line2)) return false;
    lines.push_back(title(in->satname[slot]));
    lines.push_back(line1);
    if (f.statevector)
        statevector(in, slot, lines);
    else
        lines.push_back(line2);
    return true;
}

int WriteElementFile(const WinpData* in, const std::vector<int>& slots, const char* path, bool replace)
{
    const bool csv = IsCsvName(path);
    std::vector<std::string> lines;
    if (csv && (replace || isempty(path))) lines.push_back(OmmCsvHeader());
    const int result = entrylines(in, slots, csv, lines);
    if (result != kTleSaved) return result;
    const bool written = WriteFile(path, replace, [&](FILE* f) {
        for (const std::string& line : lines) {
            std::fputs(line.c_str(), f);
            std::fputc('\n', f);
        }
    });
    return written ? kTleSaved : kTleFileError;
}

int SaveTle(WinpData* in)
{
    const int nsat = std::min(in->nsat, kMaxSat);
    if (nsat <= 0) return kTleNoSatellite;
    char name[kFileNameBytes];
    std::snprintf(name, sizeof name, "%s", in->tlesave);
    vsFileName(in, name);
    std::vector<int> slots;
    for (int slot = 0; slot < nsat; ++slot) slots.push_back(slot);
    const int result = WriteElementFile(in, slots, name, in->tlesvnmset != 0);
    if (result == kTleSaved) in->tlesvnmset = 0;
    return result;
}
