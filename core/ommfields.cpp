#include "core/ommfields.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "astro/timescales.h"
#include "foundation/textconv.h"
#include "foundation/units.h"

namespace {

using time_units::kSecondsPerDay;
// First and last year that the two-digit year of a TLE epoch can express.
constexpr int kFirstTleYear = 1957;
constexpr int kLastTleYear = 2056;
// Characters of the designator form YYNNNPPP: year, launch number, piece (up to three letters).
constexpr int kLaunchDigits = 3;
constexpr int kPieceChars = 3;

// The value named key in rec; nullptr when absent.
const std::string* value(const OmmRecord& rec, const char* key)
{
    for (const auto& [name, text] : rec)
        if (name == key) return &text;
    return nullptr;
}

// True for the text of a decimal number (".1845686", "-.22483E-4", "15", "1e-5").
bool isnumber(const std::string& s)
{
    size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    int digits = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) ++digits;
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) ++digits;
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        if (++i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (i >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i]))) return false;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
    }
    return i == s.size();
}

// Reads the number named key into x; a missing value gives fallback when optional, else false.
bool readnumber(const OmmRecord& rec, const char* key, double& x, bool optional = false,
                double fallback = 0.0)
{
    const std::string* s = value(rec, key);
    if (!s || s->empty()) {
        x = fallback;
        return optional;
    }
    if (!isnumber(*s)) return false;
    x = Atof(s->c_str());
    return true;
}

// Designator of OBJECT_ID "1998-067A" in the TLE form "98067A  "; blank when it has not that form.
void tledesignator(const std::string& id, char* out)
{
    std::snprintf(out, sizeof(TleFields::designator), "%8s", "");
    const size_t dash = id.find('-');
    if (dash != 4 || id.size() < dash + 1 + kLaunchDigits + 1) return;
    const std::string piece = id.substr(dash + 1 + kLaunchDigits, kPieceChars);
    std::snprintf(out, sizeof(TleFields::designator), "%.2s%.3s%-3s", id.c_str() + 2,
                  id.c_str() + dash + 1, piece.c_str());
}

// Reads n digits of s from position at into x; false when they are not all digits.
bool digits(const std::string& s, size_t at, size_t n, int& x)
{
    if (s.size() < at + n) return false;
    x = 0;
    for (size_t i = at; i < at + n; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
        x = 10 * x + (s[i] - '0');
    }
    return true;
}

// Day of year (1 = January 1) of a calendar date; 0 when the date does not exist.
int dayofyear(int year, int month, int day)
{
    if (month < 1 || month > 12 || day < 1 || day > 31) return 0;
    const double jan1 = mjd(1, 1, year, 0.0);
    const double date = mjd(day, month, year, 0.0);
    const double next = month == 12 ? mjd(1, 1, year + 1, 0.0) : mjd(1, month + 1, year, 0.0);
    return date < next ? static_cast<int>(date - jan1) + 1 : 0;
}

}  // namespace

bool IsoEpochDay(const std::string& text, int& year, double& day)
{
    std::string s = text;
    if (!s.empty() && (s.back() == 'Z' || s.back() == 'z')) s.pop_back();
    int month = 0, mday = 0, doy = 0, hour = 0, minute = 0;
    if (!digits(s, 0, 4, year) || s.size() < 5 || s[4] != '-') return false;
    size_t t = 8;  // position of the 'T' after "YYYY-DDD"
    if (s.size() > 7 && s[7] == '-') {
        if (!digits(s, 5, 2, month) || !digits(s, 8, 2, mday)) return false;
        doy = dayofyear(year, month, mday);
        t = 10;
    } else if (!digits(s, 5, 3, doy) || doy < 1 || doy > 366) {
        return false;
    }
    if (doy == 0) return false;
    double seconds = 0.0;
    if (s.size() > t) {
        const std::string sec = s.substr(std::min(s.size(), t + 7));
        if ((s[t] != 'T' && s[t] != ' ') || !digits(s, t + 1, 2, hour) || s.size() < t + 6 ||
            s[t + 3] != ':' || !digits(s, t + 4, 2, minute) ||
            (s.size() > t + 6 && (s[t + 6] != ':' || !isnumber(sec) || sec[0] == '-' || sec[0] == '+')))
            return false;
        seconds = sec.empty() ? 0.0 : Atof(sec.c_str());
        if (hour > 23 || minute > 59 || !(seconds < 61.0)) return false;
    }
    day = doy + (hour * 3600.0 + minute * 60.0 + seconds) / kSecondsPerDay;
    return true;
}

std::string OmmToFields(const OmmRecord& rec, std::string& name, TleFields& f)
{
    TleFields p{};
    const std::string* object = value(rec, "OBJECT_NAME");
    name = object ? *object : std::string();
    double satno = 0.0, ephtype = 0.0, elsetno = 0.0, revolution = 0.0;
    if (!readnumber(rec, "NORAD_CAT_ID", satno) || satno != std::floor(satno) || satno < 0.0 ||
        satno > kLastCatalogueNumber)
        return "no usable NORAD_CAT_ID";
    p.satno = static_cast<int>(satno);
    const std::string* epoch = value(rec, "EPOCH");
    int year = 0;
    if (!epoch || !IsoEpochDay(*epoch, year, p.epochday)) return "no usable EPOCH";
    if (year < kFirstTleYear || year > kLastTleYear) return "EPOCH " + *epoch + " out of range";
    p.epochyear = year % 100;

    const struct {
        const char* key;
        double* x;
    } elements[] = {{"MEAN_MOTION", &p.mm},         {"ECCENTRICITY", &p.ecc},
                    {"INCLINATION", &p.incl},       {"RA_OF_ASC_NODE", &p.node},
                    {"ARG_OF_PERICENTER", &p.argp}, {"MEAN_ANOMALY", &p.manom},
                    {"BSTAR", &p.bstar},            {"MEAN_MOTION_DOT", &p.ndot},
                    {"MEAN_MOTION_DDOT", &p.nddot}};
    for (const auto& e : elements)
        if (!readnumber(rec, e.key, *e.x)) return std::string("no usable ") + e.key;
    if (!readnumber(rec, "EPHEMERIS_TYPE", ephtype, true) ||
        !readnumber(rec, "ELEMENT_SET_NO", elsetno, true) ||
        !readnumber(rec, "REV_AT_EPOCH", revolution, true))
        return "a TLE parameter is not a number";
    p.ephtype = ephtype >= 0.0 && ephtype <= 9.0 ? static_cast<char>('0' + static_cast<int>(ephtype)) : '0';
    p.elsetno = static_cast<int>(std::fabs(elsetno) < 1e9 ? elsetno : 0.0);
    p.revolution = static_cast<long>(std::fabs(revolution) < 1e9 ? revolution : 0.0);
    const std::string* cls = value(rec, "CLASSIFICATION_TYPE");
    p.classification = cls && !cls->empty() ? (*cls)[0] : 'U';
    const std::string* id = value(rec, "OBJECT_ID");
    tledesignator(id ? *id : std::string(), p.designator);
    f = p;
    return "";
}
