// Element sets in the field form of the Orbit Mean-elements Message (GP data as CSV, XML or
// JSON): the named values of one element set turned into the fields of a TLE entry.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/tlefields.h"

// The named values of one element set in the order read ("NORAD_CAT_ID", "25544"), names in
// capitals without a namespace prefix.
using OmmRecord = std::vector<std::pair<std::string, std::string>>;

// Largest catalogue number of GP data (nine digits).
constexpr int kLastCatalogueNumber = 999999999;

// Fills name and f from the values of rec, with the units and derivative conventions of a TLE
// line (the MEAN_MOTION_DOT and _DDOT values are the TLE fields as written). Missing optional
// values (ELEMENT_SET_NO, REV_AT_EPOCH, CLASSIFICATION_TYPE, EPHEMERIS_TYPE, OBJECT_ID) take the
// TLE defaults. Returns "" on success, else why the element set cannot be used.
std::string OmmToFields(const OmmRecord& rec, std::string& name, TleFields& f);

// Splits an ISO 8601 UTC epoch ("2026-02-22T01:30:13.971744", also "2026-053T01:30:13" and a
// trailing 'Z') into its year and day of year with fraction (1.0 = January 1, 0h). False when
// the text is not such a date.
bool IsoEpochDay(const std::string& text, int& year, double& day);
