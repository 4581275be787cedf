#include "options.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "astro/timescales.h"
#include "core/config.h"
#include "core/defaults.h"
#include "core/elementreader.h"
#include "core/timeset.h"
#include "core/tlefile.h"
#include "foundation/textconv.h"
#include "output.h"

namespace {
// Ranges accepted for the site: degrees and metres.
constexpr double kMaxLatitude = 90.0;
constexpr double kMaxLongitude = 360.0;
constexpr double kMinHeight = -1000.0;
constexpr double kMaxHeight = 100000.0;
// Time zones, hours, as the configuration file keeps them.
constexpr double kMaxZone = 15.0;
// Search interval, days: up to the program's longest.
constexpr double kMinDays = 1e-4;
constexpr double kMaxDays = 14.0;
// Elevation limits, degrees.
constexpr double kMaxElevation = 90.0;
// Catalogue numbers.
constexpr long kMaxNorad = 999999999;
// Calendar years accepted in dates.
constexpr int kMinYear = 1900;
constexpr int kMaxYear = 2200;
// Shape of a date and time: d a digit, ? the separator (blank or 'T').
constexpr const char* kDateShape = "dddd-dd-dd?dd:dd:dd";
constexpr double kMsPerDay = 86400000.0;

// Value options common to the satellite commands.
const char* const kCommonValueOptions[] = {"--tle", "--site", "--start", "--tz", "--days", "--min-elev",
                                           "--max-sun", "--visible-only", "--sat", "--norad", "--designator"};

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Integer of the digits s[from, from + n).
int digitsValue(const char* s, int from, int n)
{
    int v = 0;
    for (int k = from; k < from + n; ++k) v = 10 * v + (s[k] - '0');
    return v;
}

// "LAT,LON,HEIGHT_M" into the site.
bool readSite(const char* command, const char* text, CommonOptions& o)
{
    std::string parts[3];
    const std::string s = text;
    size_t from = 0;
    for (int k = 0; k < 3; ++k) {
        const size_t comma = s.find(',', from);
        if ((k < 2) != (comma != std::string::npos)) {
            complain("%s: --site needs LAT,LON,HEIGHT_M", command);
            return false;
        }
        parts[k] = s.substr(from, comma - from);
        from = comma + 1;
    }
    Site site{};
    if (!readNumber(command, "--site latitude", parts[0].c_str(), -kMaxLatitude, kMaxLatitude, site.lat)
        || !readNumber(command, "--site longitude", parts[1].c_str(), -kMaxLongitude, kMaxLongitude, site.lon)
        || !readNumber(command, "--site height", parts[2].c_str(), kMinHeight, kMaxHeight, site.height))
        return false;
    o.site = site;
    return true;
}

// Stores the value of one option; false after a message when it is unusable.
bool applyOption(const char* command, const std::string& name, const char* value, CommonOptions& o)
{
    double x = 0.0;
    if (name == "--tle") {
        o.tle = value;
    } else if (name == "--site") {
        return readSite(command, value, o);
    } else if (name == "--start") {
        CivilTime c{};
        if (!parseDateTime(value, c) || c.second != std::floor(c.second)) {
            complain("%s: --start needs \"YYYY-MM-DD HH:MM:SS\"", command);
            return false;
        }
        o.start = c;
    } else if (name == "--tz") {
        return readNumber(command, "--tz", value, -kMaxZone, kMaxZone, o.tz);
    } else if (name == "--days") {
        if (!readNumber(command, "--days", value, kMinDays, kMaxDays, x)) return false;
        o.days = x;
    } else if (name == "--min-elev" || name == "--max-sun") {
        if (!readNumber(command, name.c_str(), value, -kMaxElevation, kMaxElevation, x)) return false;
        (name == "--min-elev" ? o.minElev : o.maxSun) = x;
    } else if (name == "--visible-only") {
        if (std::strcmp(value, "0") != 0 && std::strcmp(value, "1") != 0) {
            complain("%s: --visible-only needs 0 or 1", command);
            return false;
        }
        o.visibleOnly = value[0] - '0';
    } else if (name == "--sat" || name == "--norad" || name == "--designator") {
        const int kind = name == "--norad" ? kSearchByNumber : name == "--sat" ? kSearchByName : kSearchByDesignator;
        long number = 0;
        if (kind == kSearchByNumber && !readWhole(command, "--norad", value, 1, kMaxNorad, number)) return false;
        if (kind != kSearchByNumber && value[0] == '\0') {
            complain("%s: %s needs a value", command, name.c_str());
            return false;
        }
        if (o.sats.size() >= static_cast<size_t>(kMaxSat)) {
            complain("%s: at most %d satellites can be chosen", command, kMaxSat);
            return false;
        }
        o.sats.push_back({kind, value});
    } else {
        o.extra[name] = value;
    }
    return true;
}

// The site of the options, else that of orbika.cfg in the current directory when it reads.
void applySite(const CommonOptions& o, WinpData* in)
{
    if (o.site) {
        in->obslat = o.site->lat;
        in->obslon = o.site->lon;
        in->obshgt = o.site->height;
        return;
    }
    auto cfg = std::make_unique<WinpData>(*in);
    if (getcfg(cfg.get()) != kCfgRead) return;
    in->obslat = cfg->obslat;
    in->obslon = cfg->obslon;
    in->obshgt = cfg->obshgt;
    std::memcpy(in->locname, cfg->locname, sizeof in->locname);
}

// Start date and time of the zone of the options (now when none was given), and the MJD of it.
void applyTime(const CommonOptions& o, WinpData* in)
{
    in->systzflg = 0;
    in->timezone = o.tz;
    if (o.start) {
        in->year = o.start->year;
        in->month = o.start->month;
        in->day = o.start->day;
        in->hour = o.start->hour;
        in->minute = o.start->minute;
        in->second = static_cast<int>(o.start->second);
    } else {
        in->mjd = RT_MJD(in);
        setLocalDate(in);
    }
    setNewMjd(in);
}

// True when the file path read by f holds at least one element set; else false after a message
// saying what is wrong with it (missing, a directory, empty, no element sets).
bool holdsElementSets(ElementReader& f, const char* path)
{
    const std::string problem = ElementFileProblem(f, path);
    if (problem.empty()) return true;
    complain("%s", problem.c_str());
    return false;
}

// Selects the chosen satellites from the TLE file into slots 0, 1, ...
int selectSatellites(const CommonOptions& o, WinpData* in)
{
    in->nsat = 0;
    in->prime = 0;
    if (o.sats.empty()) return kExitOk;
    ElementReader f(in->tlefile);
    if (!holdsElementSets(f, in->tlefile)) return kExitUsage;
    std::vector<char> text(kTleTextBytes);
    for (const SatChoice& c : o.sats) {
        f.rewind();
        in->srchmode = c.kind;
        std::snprintf(in->srchname[kWorkSlot], sizeof in->srchname[kWorkSlot], "%s", c.key.c_str());
        if (c.kind == kSearchByNumber) in->satno[kWorkSlot] = std::atoi(c.key.c_str());
        if (tleread(in, f, text.data(), 0) == 0) {
            complain("no match found for %s", c.key.c_str());
            return kExitNoMatch;
        }
        ShiftElm(in, in->nsat++, kWorkSlot);
    }
    for (const std::string& text : f.problems()) complain("%s", text.c_str());
    return kExitOk;
}
}  // namespace

bool isNumberText(const char* s)
{
    if (*s == '+' || *s == '-') ++s;
    int digits = 0;
    for (; isDigit(*s); ++s) ++digits;
    if (*s == '.')
        for (++s; isDigit(*s); ++s) ++digits;
    if (digits == 0) return false;
    if (*s == 'e' || *s == 'E') {
        ++s;
        if (*s == '+' || *s == '-') ++s;
        if (!isDigit(*s)) return false;
        while (isDigit(*s)) ++s;
    }
    return *s == '\0';
}

bool readNumber(const char* command, const char* name, const char* text, double lo, double hi, double& x)
{
    const double v = isNumberText(text) ? Atof(text) : NAN;
    if (!(v >= lo && v <= hi)) {
        complain("%s: %s needs a number from %g to %g", command, name, lo, hi);
        return false;
    }
    x = v;
    return true;
}

bool readWhole(const char* command, const char* name, const char* text, long lo, long hi, long& x)
{
    const double v = isNumberText(text) ? Atof(text) : NAN;
    if (!(v >= lo && v <= hi) || v != std::floor(v)) {
        complain("%s: %s needs a whole number from %ld to %ld", command, name, lo, hi);
        return false;
    }
    x = static_cast<long>(v);
    return true;
}

bool parseDateTime(const char* text, CivilTime& c)
{
    const size_t shape = std::strlen(kDateShape);
    const size_t n = std::strlen(text);
    if (n < shape) return false;
    for (size_t k = 0; k < shape; ++k) {
        const char want = kDateShape[k], got = text[k];
        const bool ok = want == 'd' ? isDigit(got) : want == '?' ? got == ' ' || got == 'T' : got == want;
        if (!ok) return false;
    }
    if (n > shape && (text[shape] != '.' || n == shape + 1 || !std::all_of(text + shape + 1, text + n, isDigit)))
        return false;
    c.year = digitsValue(text, 0, 4);
    c.month = digitsValue(text, 5, 2);
    c.day = digitsValue(text, 8, 2);
    c.hour = digitsValue(text, 11, 2);
    c.minute = digitsValue(text, 14, 2);
    c.second = Atof(text + 17);
    if (c.year < kMinYear || c.year > kMaxYear || c.month < 1 || c.month > 12 || c.day < 1 || c.hour > 23
        || c.minute > 59 || c.second >= 60.0)
        return false;
    int day, month, year;
    double hour;
    caldat(mjd(c.day, c.month, c.year, 0.0), day, month, year, hour);
    return day == c.day && month == c.month && year == c.year;
}

double civilMjd(const CivilTime& c, double tz)
{
    return mjd(c.day, c.month, c.year, c.hour + c.minute / 60.0 + c.second / 3600.0 - tz);
}

std::string isoTime(double t)
{
    if (!std::isfinite(t)) return "invalid";
    double day = std::floor(t);
    long long ms = std::llround((t - day) * kMsPerDay);
    if (ms >= static_cast<long long>(kMsPerDay)) {
        day += 1.0;
        ms -= static_cast<long long>(kMsPerDay);
    }
    int d, month, year;
    double hour;
    caldat(day, d, month, year, hour);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02lld:%02lld:%02lld.%03lldZ", year, month, d, ms / 3600000,
                  ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
    return buf;
}

std::string jsonString(const std::string& s)
{
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

bool parseCommon(const char* command, int argc, char** argv, const std::vector<std::string>& extras,
                 CommonOptions& o)
{
    for (int k = 0; k < argc; ++k) {
        const std::string a = argv[k];
        if (a == "--json") {
            o.json = true;
            continue;
        }
        if (a == "--wgs84") {
            o.wgs84 = true;
            continue;
        }
        if (a == "--strict") {
            o.strict = true;
            continue;
        }
        const bool common = std::any_of(std::begin(kCommonValueOptions), std::end(kCommonValueOptions),
                                        [&](const char* name) { return a == name; });
        if (!common && std::find(extras.begin(), extras.end(), a) == extras.end()) {
            complain("%s: unknown option '%s'", command, argv[k]);
            return false;
        }
        if (k + 1 >= argc) {
            complain("%s: %s needs a value", command, argv[k]);
            return false;
        }
        if (!applyOption(command, a, argv[++k], o)) return false;
    }
    return true;
}

int prepareSettings(const char* command, const CommonOptions& o, bool needSatellite, WinpData* in)
{
    if (needSatellite && o.sats.empty()) {
        complain("%s: choose a satellite with --sat NAME, --norad N or --designator YYYY-NNNP", command);
        return kExitUsage;
    }
    SetDefaults(in);
    if (!o.tle.empty()) {
        if (o.tle.size() >= sizeof in->tlefile) {
            complain("%s: TLE file name too long: %s", command, o.tle.c_str());
            return kExitUsage;
        }
        std::snprintf(in->tlefile, sizeof in->tlefile, "%s", o.tle.c_str());
    }
    struct stat info {};
    if (stat(in->tlefile, &info) == 0 && S_ISDIR(info.st_mode)) {
        complain("%s: TLE file %s is a directory", command, in->tlefile);
        return kExitUsage;
    }
    applySite(o, in);
    in->gravflg = o.wgs84 ? 1 : 0;
    in->strictsum = o.strict;
    if (o.days) in->duration = *o.days;
    if (o.minElev) in->minsatelev = *o.minElev;
    if (o.maxSun) in->maxsunelev = *o.maxSun;
    if (o.visibleOnly) in->visonly = *o.visibleOnly;
    applyTime(o, in);
    return selectSatellites(o, in);
}

int checkTleFile(const WinpData* in)
{
    ElementReader f(in->tlefile);
    return holdsElementSets(f, in->tlefile) ? kExitOk : kExitUsage;
}

std::vector<char*> takeFlags(int argc, char** argv, const std::vector<std::string>& flags,
                             std::vector<bool>& given)
{
    given.assign(flags.size(), false);
    std::vector<char*> rest;
    for (int k = 0; k < argc; ++k) {
        size_t f = 0;
        while (f < flags.size() && flags[f] != argv[k]) ++f;
        if (f < flags.size())
            given[f] = true;
        else
            rest.push_back(argv[k]);
    }
    return rest;
}

void emitPage(const WoutData* out)
{
    for (int k = 0; k < out->nlines; ++k)
        emit("%.*s\n", static_cast<int>(strnlen(out->lines[k], kTagByte)), out->lines[k]);
}

void emitPage(const PassPage& page)
{
    for (const PageLine& line : page) emit("%s\n", line.text.c_str());
}

bool requiredOption(const char* command, const CommonOptions& o, const char* name, std::string& value)
{
    const auto it = o.extra.find(name);
    if (it == o.extra.end()) {
        complain("%s: %s is required", command, name);
        return false;
    }
    value = it->second;
    return true;
}

bool outputIsInput(const char* command, const WinpData* in)
{
    struct stat out, tle;
    if (stat(in->savename, &out) != 0 || stat(in->tlefile, &tle) != 0) return false;
    if (out.st_dev != tle.st_dev || out.st_ino != tle.st_ino) return false;
    complain("%s: --out %s is the TLE file %s; choose another output file", command, in->savename, in->tlefile);
    return true;
}
