#include "core/elementreader.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "core/elementcheck.h"
#include "core/ommscan.h"
#include "foundation/textconv.h"

namespace {

// Longest line kept; the rest of a longer line is read and dropped.
constexpr size_t kMaxLineChars = 1024;
// Shortest line taken as an element line: '1' or '2' and at least 60 characters.
constexpr size_t kDataLineMin = 60;
// The UTF-8 byte-order mark.
constexpr unsigned char kBom[] = {0xEF, 0xBB, 0xBF};
// Names of which one must appear in the header line of a CSV file.
constexpr const char* kCsvKeys[] = {"NORAD_CAT_ID", "OBJECT_NAME", "MEAN_MOTION"};

// True for an element line of the given digit: at least 60 characters, or a blank after the
// digit (a cut line, reported as malformed).
bool isdataline(const std::string& line, char digit)
{
    return line.size() >= 2 && line[0] == digit && (line.size() >= kDataLineMin || line[1] == ' ');
}

bool isblank(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

// Reads the numbers of a state-vector line into v (n of them); false when fewer are there.
bool numbers(const std::string& line, int n, double* v)
{
    size_t pos = 0;
    for (int k = 0; k < n; ++k) {
        const size_t b = line.find_first_not_of(" \t", pos);
        if (b == std::string::npos) return false;
        pos = line.find_first_of(" \t", b);
        v[k] = Atof(line.substr(b, pos - b).c_str());
    }
    return true;
}

// The entry as named in messages: "NAME (12345)", or "NORAD# 12345" without a name.
std::string label(const ElementEntry& e)
{
    std::string name = e.name.substr(0, e.name.find_last_not_of(' ') + 1);
    return (name.empty() ? "NORAD# " : name + " (") + std::to_string(e.fields.satno) + (name.empty() ? "" : ")");
}

}  // namespace

ElementReader::ElementReader(std::FILE* f) : f_(f)
{
    if (f_) detect();
}

ElementReader::ElementReader(const char* path)
{
    struct stat st {};
    if (stat(path, &st) != 0) {
        error_ = std::strerror(errno);
    } else if (S_ISDIR(st.st_mode)) {
        error_ = "is a directory";
    } else if (!S_ISREG(st.st_mode)) {
        error_ = "is not a regular file";
    } else if (!(f_ = std::fopen(path, "rb"))) {
        error_ = std::strerror(errno);
    } else {
        owned_ = true;
        detect();
    }
}

ElementReader::~ElementReader()
{
    if (owned_) std::fclose(f_);
}

void ElementReader::rewind()
{
    if (f_) detect();
}

// Finds the form of the data after an optional byte-order mark and positions f_ at its start.
void ElementReader::detect()
{
    std::clearerr(f_);
    std::fseek(f_, 0, SEEK_SET);
    unsigned char head[sizeof kBom] = {};
    const bool bom = std::fread(head, 1, sizeof head, f_) == sizeof head && std::memcmp(head, kBom, sizeof kBom) == 0;
    start_ = bom ? static_cast<long>(sizeof kBom) : 0;
    lineno_ = entryno_ = problemCount_ = 0;
    title_.clear();
    haspending_ = false;
    header_.clear();
    back_.clear();
    problems_.clear();

    std::fseek(f_, start_, SEEK_SET);
    int c;
    while ((c = std::getc(f_)) != EOF && std::isspace(c)) {}
    format_ = c == '<' ? ElementFormat::Xml : c == '[' || c == '{' ? ElementFormat::Json : ElementFormat::Tle;
    std::fseek(f_, start_, SEEK_SET);
    if (format_ != ElementFormat::Tle) return;

    std::string line;
    while (getline(line) && isblank(line)) {}
    for (const char* key : kCsvKeys) {
        if (line.find(',') != std::string::npos && line.find(key) != std::string::npos) {
            format_ = ElementFormat::Csv;
            header_ = CsvHeader(line);
            return;
        }
    }
    std::fseek(f_, start_, SEEK_SET);
    lineno_ = 0;
}

// Reads one line (CR, LF or CR LF ends it) into line, keeping at most kMaxLineChars characters.
bool ElementReader::getline(std::string& line)
{
    line.clear();
    if (haspending_) {
        haspending_ = false;
        line = pending_;
        return true;
    }
    int c = std::getc(f_);
    if (c == EOF) return false;
    ++lineno_;
    for (; c != EOF && c != '\n' && c != '\r'; c = std::getc(f_))
        if (line.size() < kMaxLineChars) line += static_cast<char>(c);
    if (c == '\r' && (c = std::getc(f_)) != '\n' && c != EOF) std::ungetc(c, f_);
    return true;
}

void ElementReader::note(const std::string& what)
{
    if (problems_.size() < kMaxProblems) problems_.push_back(what);
    ++problemCount_;
}

bool ElementReader::next(ElementEntry& e)
{
    if (!back_.empty()) {
        e = back_.back();
        back_.pop_back();
        return true;
    }
    if (!f_) return false;
    while (format_ == ElementFormat::Tle ? nextTle(e) : nextOmm(e))
        if (acceptable(e)) return true;
    return false;
}

void ElementReader::putBack(const ElementEntry& e)
{
    back_.push_back(e);
}

// True when e is usable; notes why when it is not, and a bad checksum (refused when strict).
bool ElementReader::acceptable(ElementEntry& e)
{
    const std::string why = ImplausibleElements(e.fields);
    if (!why.empty()) {
        note(label(e) + ": " + why + ", entry skipped");
        return false;
    }
    for (const std::string* line : {&e.line1, &e.line2}) {
        if (TleChecksumOk(*line)) continue;
        note(label(e) + ": bad checksum in line " + (*line)[0] + (strict_ ? ", entry skipped" : ""));
        return !strict_;
    }
    return true;
}

// The next TLE entry: a line 1, then line 2 or the three lines of a state vector; the last title
// line before line 1 names it. Malformed entries are noted and passed over.
bool ElementReader::nextTle(ElementEntry& e)
{
    std::string line;
    while (getline(line)) {
        if (isblank(line)) continue;
        if (isdataline(line, '2')) {
            note("line " + std::to_string(lineno_) + ": TLE line 2 without line 1, skipped");
            continue;
        }
        if (!isdataline(line, '1')) {
            title_ = line;
            continue;
        }
        const long at = lineno_;
        e = ElementEntry();
        e.name = title_;
        title_.clear();
        if (!ParseTleLine1(line.c_str(), e.fields)) {
            note("line " + std::to_string(at) + ": malformed TLE line 1, entry skipped");
            continue;
        }
        if (e.fields.statevector) {
            if (readStateVector(e)) return true;
            note("line " + std::to_string(at) + ": incomplete state vector, entry skipped");
            continue;
        }
        e.line1 = line;
        std::string line2;
        if (getline(line2) && ParseTleLine2(line2.c_str(), e.fields)) {
            e.line2 = line2;
            return true;
        }
        note("line " + std::to_string(at) + ": TLE line 1 without line 2, entry skipped");
        pending_ = line2;
        haspending_ = !line2.empty();
    }
    return false;
}

// The three number lines of a state-vector entry.
bool ElementReader::readStateVector(ElementEntry& e)
{
    std::string line;
    return getline(line) && numbers(line, 4, e.pos) && getline(line) && numbers(line, 4, e.vel) &&
           getline(line) && numbers(line, 6, e.sc);
}

// The next element set of GP data; sets that cannot be used are noted and passed over.
bool ElementReader::nextOmm(ElementEntry& e)
{
    OmmRecord rec;
    for (;;) {
        if (format_ == ElementFormat::Csv) {
            std::string line;
            do {
                if (!getline(line)) return false;
            } while (isblank(line));
            rec = CsvRecord(header_, line);
        } else if (!(format_ == ElementFormat::Xml ? NextXmlRecord(f_, rec) : NextJsonRecord(f_, rec))) {
            return false;
        }
        ++entryno_;
        e = ElementEntry();
        const std::string why = OmmToFields(rec, e.name, e.fields);
        if (why.empty()) return true;
        const std::string where = format_ == ElementFormat::Csv ? "line " + std::to_string(lineno_)
                                                                : "element set " + std::to_string(entryno_);
        note(where + (e.name.empty() ? "" : " (" + e.name + ")") + ": " + why + ", skipped");
    }
}

std::string ElementFileProblem(ElementReader& r, const char* path)
{
    if (!r.isOpen()) return std::string(path) + ": " + r.error();
    ElementEntry e;
    const bool any = r.next(e);
    const std::string first = r.problems().empty() ? std::string() : " (" + r.problems().front() + ")";
    r.rewind();
    return any ? std::string() : std::string(path) + ": no element sets found" + first;
}

std::string ElementFileWarnings(const char* path, size_t shown)
{
    ElementReader r(path);
    ElementEntry e;
    while (r.next(e)) {
    }
    if (r.problemCount() == 0) return std::string();
    std::string text = std::string(path) + ":";
    const size_t listed = std::min(shown, r.problems().size());
    for (size_t k = 0; k < listed; ++k) text += "\n" + r.problems()[k];
    if (r.problemCount() > static_cast<long>(listed))
        text += "\n... and " + std::to_string(r.problemCount() - static_cast<long>(listed)) + " more";
    return text;
}
