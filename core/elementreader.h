// Reading element sets from a file in any of its forms, entry by entry: TLE files (title lines
// optional, the program's state-vector entries included) and GP data in OMM form (CSV, XML,
// JSON). The form is found from the content; a byte-order mark and CR, LF or CR LF line ends are
// accepted. Lines and values are read with a length limit, so any file is read in bounded memory.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "core/ommfields.h"
#include "core/tlefields.h"

enum class ElementFormat { Tle, Csv, Xml, Json };

// One element set as read.
struct ElementEntry {
    std::string name;          // title line or OBJECT_NAME; "" when there is none
    TleFields fields{};        // the element set in the fields of TLE lines
    std::string line1, line2;  // the element lines of a TLE entry ("" for OMM and state vectors)
    double pos[4] = {};        // state-vector entries: position (m), velocity (m/s) and the
    double vel[4] = {};        // spacecraft values F10.7, its mean, Kp, Cd, Cr, area/mass
    double sc[6] = {};
};

class ElementReader {
public:
    // Reads the stream f from its start; f stays the caller's.
    explicit ElementReader(std::FILE* f);
    // Reads the file at path. When it cannot be read, isOpen() is false and error() says why
    // ("is a directory", "not a regular file", the system's reason).
    explicit ElementReader(const char* path);
    ~ElementReader();
    ElementReader(const ElementReader&) = delete;
    ElementReader& operator=(const ElementReader&) = delete;

    bool isOpen() const { return f_ != nullptr; }
    const std::string& error() const { return error_; }
    ElementFormat format() const { return format_; }

    // The next usable entry into e; false at the end. Unusable entries are skipped and noted in
    // problems(); so are entries with a bad TLE checksum, which are still returned unless strict.
    bool next(ElementEntry& e);
    // Returns e again from the next call of next().
    void putBack(const ElementEntry& e);
    // Forgets the entries put back.
    void dropPutBack() { back_.clear(); }
    // Starts again at the first entry; the problems noted are cleared.
    void rewind();
    // With strict, entries with a bad TLE checksum are skipped.
    void setStrict(bool strict) { strict_ = strict; }

    // Texts of the problems noted since the start ("ISS (ZARYA) (25544): bad checksum in line 1"),
    // the first kMaxProblems of them, and their total number.
    const std::vector<std::string>& problems() const { return problems_; }
    long problemCount() const { return problemCount_; }
    static constexpr size_t kMaxProblems = 100;

private:
    bool getline(std::string& line);
    bool nextTle(ElementEntry& e);
    bool nextOmm(ElementEntry& e);
    bool readStateVector(ElementEntry& e);
    bool acceptable(ElementEntry& e);
    void note(const std::string& what);
    void detect();

    std::FILE* f_ = nullptr;
    bool owned_ = false;
    std::string error_;
    ElementFormat format_ = ElementFormat::Tle;
    long start_ = 0;                   // offset of the data after a byte-order mark
    long lineno_ = 0;                  // lines read (TLE and CSV)
    long entryno_ = 0;                 // element sets met (OMM)
    std::string title_, pending_;      // last title; a line read ahead
    bool haspending_ = false;
    std::vector<std::string> header_;  // CSV column names
    std::vector<ElementEntry> back_;   // entries put back
    bool strict_ = false;
    std::vector<std::string> problems_;
    long problemCount_ = 0;
};

// Checks that r, reading the file path, holds at least one element set (r starts again after).
// Returns "" when it does, else the message "path: why" ("no element sets found", "is a directory").
std::string ElementFileProblem(ElementReader& r, const char* path);

// Reads the whole file path and lists the problems of its entries for one message: "FILE:" and
// the first `shown` problems, one a line, then "... and N more" when there were more. Returns ""
// when the file reads without problems (or cannot be read: ElementFileProblem says why).
std::string ElementFileWarnings(const char* path, size_t shown);
