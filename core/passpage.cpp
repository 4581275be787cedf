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
#include "core/passsearch.h"
#include "core/safewrite.h"
#include "core/satstate.h"
#include "core/textpage.h"
#include "core/timeset.h"

namespace {
// Pass list lines between blank separator lines.
constexpr int kPassGroup = 10;

// True when the prime slot addresses a selected satellite.
bool primeSelected(const WinpData* in)
{
    return in->nsat > 0 && in->nsat <= kMaxSat && in->prime >= 0 && in->prime < in->nsat;
}


// Appends formatted text as the next page line, tagged as a pass line or not.
__attribute__((format(printf, 3, 4))) void putLine(WoutData* out, bool tagged, const char* format, ...)
{
    std::array<char, 2 * kLineBytes> line{};
    va_list args;
    va_start(args, format);
    std::vsnprintf(line.data(), line.size(), format, args);
    va_end(args);
    if (tagged)
        PutNxtLnT(out, line.data());
    else
        PutNxtLn(out, line.data());
}


// Header line of the event type of the pass list page.
void writeEventTitle(const WinpData* in, WoutData* out)
{
    if (in->iridmode == kIridiumMode)
        putLine(out, false, " >>> Iridium Flares");
    else if (in->iridmode != kTransitMode)
        putLine(out, false, in->knownsurf == 1 ? " >>> Flares. Yaw: %g  Pitch: %g" : " >>> Flares. R.A.: %g  Decl.: %g",
                in->flryaw, in->flrpitch);
    else if (in->occmode == kSunTarget || in->occmode == kMoonTarget)
        putLine(out, false, in->occmode == kSunTarget ? " >>> Sun Transit" : " >>> Moon Transit");
    else
        putLine(out, false, " >>> Occultation  R.A.: %g  Decl.: %g", in->flryaw, in->flrpitch);
}

// Header of the pass list page.
void writePageHeader(const WinpData* in, WoutData* out, bool relative)
{
    putLine(out, false, " Geographic Location: %s", in->locname);
    putLine(out, false, " Lat.: %g   Long.: %g   Height: %g", in->obslat, in->obslon, in->obshgt);
    PutSpace(out, 1);
    if (in->iridmode != kPlainPasses) writeEventTitle(in, out);
    putLine(out, false, " Satellite: %s", in->satname[in->prime]);
    if (relative) {
        putLine(out, false, " %s", in->satname[SecondSlot(in)]);
        putLine(out, false, " %s", kPassRule);
        putLine(out, false, "%s", VisibilityRemark(in));
    } else {
        putLine(out, false, " %s", kPassRule);
        putLine(out, false, " min.Sat.Elev.: %g   max.Sun Elev.: %g%s", in->minsatelev, in->maxsunelev,
                VisibilityRemark(in));
    }
    putLine(out, false, " Year: %4i  +++ Timezone: %g +++", in->year, in->timezone);
    PutSpace(out, 1);
    putLine(out, true, "%s",
            relative                         ? "       Start (Long.,Lat.)     End (Long.,Lat.)"
            : in->iridmode == kPlainPasses ? "    Start (Azim.,Elev.)    Maximum (Azim.,Elev.)  End (Azim.,Elev.)"
                                             : "     Event Time (Azim.,Elev.)   Distance");
}

// Writes the page to the save file, replacing it when savenew is set.
void savePage(WinpData* in, const WoutData* out)
{
    const bool written = WriteFile(in->savename, in->savenew != 0, [&](std::FILE* f) {
        std::fputs("\n\n\n", f);
        for (int k = 0; k < out->nlines; ++k)
            std::fprintf(f, "%.*s\n", static_cast<int>(strnlen(out->lines[k], kTagByte)), out->lines[k]);
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

void aospass(WinpData* in, WoutData* out, SatPosData* sp)
{
    in->npass = 0;
    out->nlines = 0;
    if (!primeSelected(in)) {
        PutSpace(out, 1);
        putLine(out, false, " *** No satellite has been selected ***");
        putLine(out, false, " Use the Input / Select Satellite menu");
        putLine(out, false, " (and don't forget to press the SELECT button)");
        PutSpace(out, 1);
        return;
    }
    if (DistanceMissing(in)) {
        putLine(out, false, " *** Need distance > 0 for occultations or flares ***");
        putLine(out, false, " *** except for Sun or Moon Transits ***");
        return;
    }
    const EventRun run(in);
    const bool relative = RelativeMode(in);
    in->prevrel = in->relmode;
    in->passslotinfo = in->satno[in->prime];
    in->passepoch = in->elepoch[in->prime];
    writePageHeader(in, out, relative);

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
        if (k % kPassGroup == 0) PutSpace(out, 1);
        putLine(out, true, "%s", lines[k].first.c_str());
        if (in->npass < kMaxPasses) in->passaos[in->npass++] = lines[k].second;
    }
    if (lines.empty()) {
        PutSpace(out, 1);
        putLine(out, false, " *** No suitable pass found within time interval ***");
        PutSpace(out, 1);
    }
    if (in->autosave) savePage(in, out);
}

