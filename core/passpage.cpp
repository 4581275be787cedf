#include "core/passpage.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "core/iridium.h"
#include "core/occtrans.h"
#include "core/passevents.h"
#include "core/passsearch.h"
#include "core/safewrite.h"
#include "core/satstate.h"
#include "core/statefault.h"
#include "core/textpage.h"
#include "core/timeset.h"
#include "foundation/textconv.h"

namespace {
// Pass list lines between blank separator lines.
constexpr int kPassGroup = 10;
// Page lines taken by the note on a truncated list: a blank line and the note.
constexpr size_t kTruncationLines = 2;

// True when the prime slot addresses a selected satellite.
bool primeSelected(const WinpData* in)
{
    return in->nsat > 0 && in->nsat <= kMaxSat && in->prime >= 0 && in->prime < in->nsat;
}


// Appends formatted text as the next page line, tagged as a pass line or not.
__attribute__((format(printf, 3, 4))) void putLine(PassPage& page, bool tagged, const char* format, ...)
{
    std::array<char, 2 * kLineBytes> line{};
    va_list args;
    va_start(args, format);
    std::vsnprintf(line.data(), line.size(), format, args);
    va_end(args);
    decdot(line.data());
    page.push_back({std::string(line.data(), strnlen(line.data(), kTagByte)), tagged});
}

// Appends a blank page line.
void blankLine(PassPage& page) { page.push_back({" ", false}); }

// Copies line into the next line of out.
void showLine(WoutData* out, const PageLine& line)
{
    std::array<char, kLineBytes> text{};
    line.text.copy(text.data(), kTagByte);
    if (line.tagged)
        PutNxtLnT(out, text.data());
    else
        PutNxtLn(out, text.data());
}


// Header line of the event type of the pass list page.
void writeEventTitle(const WinpData* in, PassPage& page)
{
    if (in->iridmode == kIridiumMode)
        putLine(page, false, " >>> Iridium Flares");
    else if (in->iridmode != kTransitMode)
        putLine(page, false, in->knownsurf == 1 ? " >>> Flares. Yaw: %g  Pitch: %g" : " >>> Flares. R.A.: %g  Decl.: %g",
                in->flryaw, in->flrpitch);
    else if (in->occmode == kSunTarget || in->occmode == kMoonTarget)
        putLine(page, false, in->occmode == kSunTarget ? " >>> Sun Transit" : " >>> Moon Transit");
    else
        putLine(page, false, " >>> Occultation  R.A.: %g  Decl.: %g", in->flryaw, in->flrpitch);
}

// Header of the pass list page.
void writePageHeader(const WinpData* in, PassPage& page, bool relative)
{
    putLine(page, false, " Geographic Location: %s", in->locname);
    putLine(page, false, " Lat.: %g   Long.: %g   Height: %g", in->obslat, in->obslon, in->obshgt);
    blankLine(page);
    if (in->iridmode != kPlainPasses) writeEventTitle(in, page);
    putLine(page, false, " Satellite: %s", in->satname[in->prime]);
    if (relative) {
        putLine(page, false, " %s", in->satname[SecondSlot(in)]);
        putLine(page, false, " %s", kPassRule);
        putLine(page, false, "%s", VisibilityRemark(in));
    } else {
        putLine(page, false, " %s", kPassRule);
        putLine(page, false, " min.Sat.Elev.: %g   max.Sun Elev.: %g%s", in->minsatelev, in->maxsunelev,
                VisibilityRemark(in));
    }
    putLine(page, false, " Year: %4i  +++ Timezone: %g +++", in->year, in->timezone);
    blankLine(page);
    putLine(page, true, "%s",
            relative                         ? "       Start (Long.,Lat.)     End (Long.,Lat.)"
            : in->iridmode == kPlainPasses ? "    Start (Azim.,Elev.)    Maximum (Azim.,Elev.)  End (Azim.,Elev.)"
                                             : "     Event Time (Azim.,Elev.)   Distance");
}

// Writes the page to the save file, replacing it when savenew is set.
void savePage(WinpData* in, const PassPage& page)
{
    const bool written = WriteFile(in->savename, in->savenew != 0, [&](std::FILE* f) {
        std::fputs("\n\n\n", f);
        for (const PageLine& line : page) std::fprintf(f, "%s\n", line.text.c_str());
    });
    if (written) in->savenew = 0;
}

}  // namespace

const char* VisibilityRemark(const WinpData* in)
{
    if (!in->visonly) return "";
    return in->moonvis ? "   Moonshine passes only" : "   visible passes only";
}

std::string PassCells(const WinpData* in, const PassEvent& p, bool relative)
{
    const double zone = in->timezone / 24.0;
    std::string cells;
    char cell[kAosTextBytes];
    for (int k = 0; k < 3; ++k) {
        if (k == 1 && relative) continue;
        aosstr(p.tm[k] + zone, p.az[k], p.el[k], cell, k != 0);
        cells += cell;
    }
    return cells;
}

PassPage PassPageLines(WinpData* in, SatPosData* sp)
{
    in->npass = 0;
    PassPage page;
    if (!primeSelected(in)) {
        blankLine(page);
        putLine(page, false, " *** No satellite has been selected ***");
        putLine(page, false, " Use the Input / Select Satellite menu");
        putLine(page, false, " (and don't forget to press the SELECT button)");
        blankLine(page);
        return page;
    }
    if (DistanceMissing(in)) {
        putLine(page, false, " *** Need distance > 0 for occultations or flares ***");
        putLine(page, false, " *** except for Sun or Moon Transits ***");
        return page;
    }
    const EventRun run(in);
    const bool relative = RelativeMode(in);
    in->prevrel = in->relmode;
    in->passslotinfo = in->satno[in->prime];
    in->passepoch = in->elepoch[in->prime];
    writePageHeader(in, page, relative);

    // The listed lines with the start instants of their passes.
    std::vector<std::pair<std::string, double>> lines;
    const double t0 = ListStartMjd(in), t1 = t0 + in->duration;
    if (in->iridmode != kPlainPasses) {
        for (const EventHit& e : FindEvents(in, in->prime, t0, t1, run.defaulted(), sp))
            lines.emplace_back(EventPageText(in, e), e.start);
    } else {
        for (const PassEvent& p : FindPasses(in, in->prime, t0, t1, sp))
            lines.emplace_back("." + PassCells(in, p, relative), p.tm[0]);
    }
    for (size_t k = 0; k < lines.size(); ++k) {
        if (k % kPassGroup == 0) blankLine(page);
        putLine(page, true, "%s", lines[k].first.c_str());
        if (in->npass < kMaxPasses) in->passaos[in->npass++] = lines[k].second;
    }
    if (lines.empty()) {
        // A satellite that has no state at the end of the interval says why it has no pass.
        GetSatPos(t1, in, sp, in->prime, 0);
        const StateFault fault = SlotFault(in, sp, in->prime);
        blankLine(page);
        if (fault != StateFault::kNone)
            putLine(page, false, " *** No pass: %s ***", FaultText(fault));
        else
            putLine(page, false, " *** No suitable pass found within time interval ***");
        blankLine(page);
    }
    return page;
}

void aospass(WinpData* in, WoutData* out, SatPosData* sp)
{
    const PassPage page = PassPageLines(in, sp);
    out->nlines = 0;
    const size_t shown = page.size() <= kPageLines ? page.size() : kPageLines - kTruncationLines;
    for (size_t k = 0; k < shown; ++k) showLine(out, page[k]);
    if (shown < page.size()) {
        showLine(out, {" ", false});
        char note[kLineBytes];
        std::snprintf(note, sizeof note, " *** List truncated after %zu lines ***", shown);
        showLine(out, {note, false});
    }
    if (in->autosave && primeSelected(in) && !DistanceMissing(in)) savePage(in, page);
}

