#include "core/config.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>

#include "core/safewrite.h"
#include "foundation/textconv.h"

namespace {
// Stored time zone meaning "take the zone from the system"; stored zones beyond +/-15 h become 0.
constexpr double kSystemZone = 16.0;
constexpr double kMaxZone = 15.0;
// Characters kept of a line: numbers, location name, file names and addresses, satellite names.
constexpr size_t kNumberChars = 79;
constexpr size_t kLocNameChars = 29;
constexpr size_t kFileNameChars = 103;
constexpr size_t kSatNameChars = 19;
// A satellite line holds the name, then a tab, '#' and the catalogue number (up to nine digits);
// files of older versions hold the name alone.
constexpr char kNumberMark[] = "\t#";
constexpr size_t kSatLineChars = 40;
// A stored update address is taken only when longer than this.
constexpr size_t kShortestUrl = 5;
// Grid and background codes run from 0 to 2; out-of-range values fall back to these.
constexpr int kMaxMapCode = 2;
constexpr int kGridFallback = 1;
constexpr int kBackgroundFallback = 0;
// Calculation interval, days.
constexpr double kMinDuration = 1.0;
constexpr double kMaxDuration = 14.0;
// Sky coordinate epochs before this year mean "of date" (0).
constexpr double kFirstEpoch = 1900.0;

// Reads the rest of the current line of f, keeping at most keep characters without the line end
// (CR LF or LF). Returns false when the file had no character left.
bool readLine(FILE* f, std::string& out, size_t keep)
{
    out.clear();
    bool any = false;
    for (int c; (c = std::getc(f)) != EOF;) {
        any = true;
        if (c == '\n') break;
        if (out.size() < keep) out.push_back(static_cast<char>(c));
    }
    if (!out.empty() && out.back() == '\r') out.pop_back();
    return any;
}

// Integer at the start of text (leading white space skipped, optional sign), as "%d" reads it.
bool parseInt(std::string_view text, int& v)
{
    size_t i = text.find_first_not_of(" \t\r\n\v\f");
    if (i == std::string_view::npos) return false;
    if (text[i] == '+') ++i;
    const char* b = text.data() + i;
    const char* e = text.data() + text.size();
    if (b < e && *b == '+') return false;
    return std::from_chars(b, e, v).ec == std::errc();
}

// Copies text into a fixed buffer, cut and NUL-terminated.
template <size_t N>
void setText(char (&buf)[N], const std::string& text)
{
    std::snprintf(buf, N, "%s", text.c_str());
}

// The line-by-line reader of the configuration file. Every call consumes one line; a value is
// stored only while every earlier line of the same group was read, so one bad line neither
// shifts the lines after it nor applies values from them.
class CfgReader {
public:
    explicit CfgReader(FILE* f) : f_(f) {}

    // Starts a group of lines that are read in order as long as the previous ones succeeded.
    void startGroup() { ok_ = true; }
    bool ok() const { return ok_; }

    // n numbers into v.
    void numbers(double* v, int n)
    {
        double read[4];
        record(Fscanf(f_, n, read) == 1, [&] { std::copy(read, read + n, v); });
    }
    void number(double& v) { numbers(&v, 1); }

    void integer(int& v)
    {
        std::string line;
        int read = 0;
        record(readLine(f_, line, kNumberChars) && parseInt(line, read), [&] { v = read; });
    }

    // A text line of at most keep characters; an empty line is read but not stored.
    template <size_t N>
    void text(char (&buf)[N], size_t keep)
    {
        std::string line;
        record(readLine(f_, line, keep), [&] {
            if (!line.empty()) setText(buf, line);
        });
    }

    // The next satellite name: white space (line ends included) skipped, at most 19 characters.
    // False when the file ends before a name starts.
    bool name(std::string& out)
    {
        int c;
        do {
            c = std::getc(f_);
        } while (c == ' ' || (c >= '\t' && c <= '\r'));
        if (c == EOF) return false;
        std::ungetc(c, f_);
        return readLine(f_, out, kSatLineChars);
    }

    // True when the file ended inside the last line read or the stream reported an error.
    bool endedOrFailed() const { return std::feof(f_) || std::ferror(f_); }

private:
    template <typename Store>
    void record(bool success, Store store)
    {
        if (ok_ && success) store();
        ok_ = ok_ && success;
    }

    FILE* f_;
    bool ok_ = true;
};

// Values of one configuration file, held until the whole file was read.
struct CfgValues {
    double zone = kSystemZone;  // a failed zone read means: system zone
    int txtbold, leftbtn, count;
};

// Reads every line of the file into w (a copy of the settings) and v.
// Returns true when lines 13 to 20 were read and the file goes on after line 20.
bool readLines(CfgReader& r, WinpData& w, CfgValues& v)
{
    r.number(v.zone);
    r.number(w.obslat);
    r.number(w.obslon);
    r.number(w.obshgt);
    r.text(w.locname, kLocNameChars);
    r.integer(w.fontsize);
    r.integer(w.grid);
    r.integer(w.mapbg);
    r.text(w.tlefile, kFileNameChars);
    r.integer(w.visonly);

    r.startGroup();
    r.number(w.maxsunelev);
    r.number(w.minsatelev);

    r.startGroup();
    r.number(w.epoch);
    r.integer(w.txtfontsz);
    r.integer(v.txtbold);
    r.integer(v.leftbtn);
    char urlBuf[sizeof w.updurl] = "";
    r.text(urlBuf, kFileNameChars);
    if (std::strlen(urlBuf) > kShortestUrl) setText(w.updurl, urlBuf);
    double weather[4] = {w.duration, w.f107, w.f107avg, w.kp};
    r.numbers(weather, 4);
    double craft[3] = {w.cd, w.cr, w.areamass};
    r.numbers(craft, 3);
    r.integer(v.count);
    w.duration = weather[0];
    w.f107 = weather[1];
    w.f107avg = weather[2];
    w.kp = weather[3];
    w.cd = craft[0];
    w.cr = craft[1];
    w.areamass = craft[2];
    return r.ok() && !r.endedOrFailed();
}

// Splits a satellite line into its name (kSatNameChars at most) and catalogue number (0 when
// the line has none, as in files of older versions).
int splitSatLine(std::string& line)
{
    const size_t mark = line.rfind(kNumberMark);
    int satno = 0;
    if (mark != std::string::npos) {
        const std::string digits = line.substr(mark + std::strlen(kNumberMark));
        if (!digits.empty() && digits.size() <= 9 && digits.find_first_not_of("0123456789") == std::string::npos) {
            satno = std::stoi(digits);
            line.erase(mark);
        }
    }
    line = line.substr(0, kSatNameChars);
    return satno;
}

// Reads up to count satellite lines into the search names and numbers of slots 0 ...; returns
// the number kept. A name that is empty as text (it starts with a NUL byte) is not kept: written
// back, it would be an empty line, which the next reading skips.
int readNames(CfgReader& r, WinpData& w, int count)
{
    std::string name;
    int kept = 0;
    for (int i = 0; i < count && r.name(name); ++i) {
        const int satno = splitSatLine(name);
        if (name.empty() || name.front() == '\0') continue;
        w.satno[kept] = satno;
        setText(w.srchname[kept++], name);
    }
    return kept;
}

// Applies the range rules to values as read.
void normalise(WinpData& w, const CfgValues& v)
{
    w.systzflg = v.zone == kSystemZone ? 1 : 0;
    w.timezone = (v.zone > kMaxZone || v.zone < -kMaxZone) ? 0.0 : v.zone;
    // Kept from one run to the next: the small map font, else the normal one.
    w.fontsize = w.fontsize == kSmallFont ? kSmallFont : kNormalFont;
    if (w.grid < 0 || w.grid > kMaxMapCode) w.grid = kGridFallback;
    if (w.mapbg < 0 || w.mapbg > kMaxMapCode) w.mapbg = kBackgroundFallback;
    w.txtbold = v.txtbold != 0;
    w.leftbtn = v.leftbtn == 1;
    w.duration = std::clamp(w.duration, kMinDuration, kMaxDuration);
    if (w.epoch < kFirstEpoch) w.epoch = 0.0;
}

// printf into a string of any length, decimal commas turned into points.
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string numberLine(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, args);
    va_end(args);
    std::string s(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    std::vsnprintf(s.data(), s.size() + 1, fmt, again);
    va_end(again);
    decdot(s.data());
    return s;
}

// A text field of a record up to its terminator or its first line end, so it stays one line.
template <size_t N>
std::string textLine(const char (&buf)[N])
{
    const std::string_view s(buf, N);
    return std::string(s.substr(0, s.find_first_of(std::string_view("\0\r\n", 3))));
}

// The lines of the file for the settings of in.
std::string configText(const WinpData* in)
{
    const int nsat = std::clamp(in->nsat, 0, kMaxSat);
    const std::string lines[] = {
        numberLine("%lf ", in->systzflg ? kSystemZone : in->timezone),
        numberLine("%lf ", in->obslat),
        numberLine("%lf ", in->obslon),
        numberLine("%lf ", in->obshgt),
        textLine(in->locname),
        numberLine("%d ", in->fontsize),
        numberLine("%d ", in->grid),
        numberLine("%d ", in->mapbg),
        textLine(in->tlefile),
        numberLine("%d ", in->visonly),
        numberLine("%lf ", in->maxsunelev),
        numberLine("%lf", in->minsatelev),
        numberLine("%lf", in->epoch),
        numberLine("%d", in->txtfontsz),
        numberLine("%d", in->txtbold ? 1 : 0),
        numberLine("%d ", in->leftbtn ? 1 : 0),
        textLine(in->updurl),
        numberLine("%g %7.1lf %7.1lf %7.1lf", std::clamp(in->duration, kMinDuration, kMaxDuration), in->f107,
                   in->f107avg, in->kp),
        numberLine("%13.5le %13.5le %13.5le", in->cd, in->cr, in->areamass),
        numberLine("%d ", nsat),
    };
    std::string text;
    for (const std::string& line : lines) text += line + '\n';
    for (int i = 0; i < nsat; ++i)
        text += textLine(in->satname[i]) + (in->satno[i] > 0 ? kNumberMark + std::to_string(in->satno[i]) : "") + '\n';
    return text;
}
}  // namespace

int getcfg(WinpData* in, const char* path)
{
    FILE* f = std::fopen(path, "rb");
    if (!f) return kCfgMissing;
    WinpData w = *in;
    CfgValues v{kSystemZone, w.txtbold ? 1 : 0, w.leftbtn ? 1 : 0, 0};
    CfgReader r(f);
    bool complete = readLines(r, w, v);
    if (complete) {
        const int count = (v.count < 0 || v.count > kMaxSat) ? 0 : v.count;
        w.nsat = readNames(r, w, count);
        complete = !std::ferror(f);
    }
    std::fclose(f);
    if (!complete) return kCfgReadFailed;
    normalise(w, v);
    *in = w;
    return kCfgRead;
}

bool putcfg(const WinpData* in, const char* path)
{
    const std::string text = configText(in);
    return ReplaceFile(path, [&](std::FILE* f) { std::fwrite(text.data(), 1, text.size(), f); });
}
