// Fields of two-line element (TLE) lines: parsing of line 1 and line 2, the epoch as MJD, and
// storing a parsed element set into a slot of the settings record.
#pragma once

#include "core/records.h"

// Marker of the program's own state-vector entries in line 1, columns 40-58.
inline constexpr char kStateVectorMarker[] = "+++++STATEVCT1+++++";

// Characters of the TLE designator form YYNNNPPP (line 1, columns 10-17).
constexpr int kShortDesignatorChars = 8;

// Shortest element line: columns 1 to 63 must be present.
constexpr int kTleMinLength = 63;

// The fields of one element set, as written in the lines (angles in degrees).
struct TleFields {
    // Line 1.
    int satno;             // catalogue number, columns 3-7 (Alpha-5: a letter for the first two digits)
    char classification;   // classification, column 8 ('U' unclassified)
    char designator[kShortDesignatorChars + 1];  // international designator, columns 10-17 (YYNNNPPP)
    int epochyear;         // two-digit epoch year, columns 19-20
    double epochday;       // day of year with fraction (1.0 = January 1, 0h), columns 21-32
    double ndot;           // first derivative of the mean motion, columns 34-43
    double nddot;          // second derivative of the mean motion (packed), columns 45-52
    double bstar;          // B* drag term (packed), columns 54-61
    char ephtype;          // ephemeris type, column 63; '9' = not SGP4 mean elements
    int elsetno;           // element set number, columns 65-68
    bool statevector;      // "+++++STATEVCT1+++++" in columns 40-58: a state-vector entry
    int svrevolution;      // state-vector entries: revolution number, columns 34-38
    // Line 2.
    double incl;           // inclination, columns 9-16
    double node;           // right ascension of the ascending node, columns 18-25
    double ecc;            // eccentricity, columns 27-33 ("0." assumed) or written out in 26-33
    double argp;           // argument of perigee, columns 35-42
    double manom;          // mean anomaly, columns 44-51
    double mm;             // mean motion, rev/day, columns 53-63 (perigee distance if ecc >= 1)
    long revolution;       // revolution number at epoch, columns 64-68 (0 when absent)
};

// Parses an element line 1 (NUL-terminated; a CR or LF ends the line) into the line-1 fields of f.
// Returns false, leaving f unchanged, when the line does not start with '1' or is shorter than
// kTleMinLength. Number fields that are not numbers read as 0.
bool ParseTleLine1(const char* line, TleFields& f);
// The same for line 2, which must start with '2'.
bool ParseTleLine2(const char* line, TleFields& f);

// Catalogue number of the five characters of a TLE number field: digits, or Alpha-5 with the
// first two digits as a letter (A = 10 ... Z = 33, I and O skipped; "A0001" = 100001). -1 when
// the field is neither.
int TleCatalogueNumber(const char* field);
// Five-character number field of a catalogue number from 0 to kLastAlpha5Number, zero-padded
// (Alpha-5 from 100000 on), into out (6 bytes); false when the number does not fit a TLE.
bool TleNumberField(int satno, char* out);
// Largest catalogue number a TLE can hold (Alpha-5 "Z9999").
constexpr int kLastAlpha5Number = 339999;

// MJD of a TLE epoch: two-digit year (above 56: 19xx, else 20xx) and day of year with fraction.
double TleEpochMjd(int year2, double day);

// Stores a parsed TLE entry into a slot: catalogue number, epoch, elements, derivatives, B*,
// sgp4flg from the ephemeris type, numflg = 0, semi-major axis (km) and its change (km/day).
void StoreTle(WinpData* in, int slot, const TleFields& f);
// The fields of slot as StoreTle stored them (classification 'U'); for a state-vector slot the
// line-1 fields of its entry.
TleFields SlotTleFields(const WinpData* in, int slot);

// The eight-character TLE designator (YYNNNPPP) of the long form "1998-067A  " (characters 3, 4
// and 6 to 11) into out (9 bytes); missing characters become blanks.
void ShortDesignator(const char* longform, char* out);
