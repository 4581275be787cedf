#include "core/ommwrite.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <cmath>
#include <cstdio>

#include "astro/timescales.h"
#include "foundation/units.h"

namespace {

// Columns as the GP-data services write them.
constexpr const char* kColumns[] = {
    "OBJECT_NAME",    "OBJECT_ID",         "EPOCH",           "MEAN_MOTION",
    "ECCENTRICITY",   "INCLINATION",       "RA_OF_ASC_NODE",  "ARG_OF_PERICENTER",
    "MEAN_ANOMALY",   "EPHEMERIS_TYPE",    "CLASSIFICATION_TYPE", "NORAD_CAT_ID",
    "ELEMENT_SET_NO", "REV_AT_EPOCH",      "BSTAR",           "MEAN_MOTION_DOT",
    "MEAN_MOTION_DDOT"};
constexpr double kMicrosecondsPerDay = time_units::kSecondsPerDay * 1.0e6;
constexpr long long kMicrosecondsPerSecond = 1000000;
constexpr long long kWholeSecondsPerHour = static_cast<long long>(time_units::kSecondsPerHour);
constexpr long long kWholeSecondsPerMinute = static_cast<long long>(time_units::kSecondsPerMinute);
constexpr double kMaxDays = 1.0e6;

// Shortest text that reads back to x (locale-independent); "0" for values that are not finite.
std::string number(double x)
{
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, std::isfinite(x) ? x : 0.0).ptr;
    return std::string(buf, end);
}

// Text with trailing blanks removed, quoted when it holds a comma or a quote.
std::string csvtext(const std::string& s)
{
    const std::string t = s.substr(0, s.find_last_not_of(' ') + 1);
    if (t.find_first_of(",\"") == std::string::npos) return t;
    std::string q = "\"";
    for (char c : t) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + '"';
}

// The values separated by commas.
template <class List>
std::string joined(const List& values)
{
    std::string line;
    for (const auto& v : values) {
        if (&v != &*std::begin(values)) line += ',';
        line += v;
    }
    return line;
}

}  // namespace

std::string OmmCsvHeader() { return joined(kColumns); }

std::string IsoEpochText(int year2, double day)
{
    // Keep the day count in the range of an int for nonsense input.
    const double days = std::isfinite(day) ? std::clamp(day, -kMaxDays, kMaxDays) : 1.0;
    double whole = std::floor(days);
    long long us = std::llround((days - whole) * kMicrosecondsPerDay);
    if (us >= static_cast<long long>(kMicrosecondsPerDay)) {  // rounded up to the next midnight
        us = 0;
        whole += 1.0;
    }
    int d = 0, month = 0, year = 0;
    double hour = 0.0;
    caldat(TleEpochMjd(year2, 1.0) + whole - 1.0, d, month, year, hour);
    const long long seconds = us / kMicrosecondsPerSecond;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04i-%02i-%02iT%02lli:%02lli:%02lli.%06lli", year, month, d,
                  seconds / kWholeSecondsPerHour, seconds / kWholeSecondsPerMinute % kWholeSecondsPerMinute,
                  seconds % kWholeSecondsPerMinute, us % kMicrosecondsPerSecond);
    return buf;
}

std::string OmmCsvLine(const std::string& name, const std::string& objectId, const TleFields& f)
{
    const std::string values[] = {csvtext(name),
                                  csvtext(objectId),
                                  IsoEpochText(f.epochyear, f.epochday),
                                  number(f.mm),
                                  number(f.ecc),
                                  number(f.incl),
                                  number(f.node),
                                  number(f.argp),
                                  number(f.manom),
                                  std::string(1, f.ephtype == '9' ? '9' : '0'),
                                  "U",
                                  std::to_string(f.satno),
                                  std::to_string(f.elsetno),
                                  std::to_string(f.revolution),
                                  number(f.bstar),
                                  number(f.ndot),
                                  number(f.nddot)};
    return joined(values);
}
