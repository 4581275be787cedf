// Scanners of GP data in OMM form: the next element set of a CSV, XML or JSON stream as its
// named values, read character by character with every kept text bounded, so that a stream of
// any length is read in bounded memory.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "core/ommfields.h"

// Longest value or name kept; longer ones are cut.
constexpr size_t kMaxOmmText = 256;

// Column names of a CSV header line (capitals, blanks and quotes removed).
std::vector<std::string> CsvHeader(const std::string& line);
// The values of one CSV data line under the names of header; quoted fields may hold commas.
OmmRecord CsvRecord(const std::vector<std::string>& header, const std::string& line);

// Reads the next <omm> element (any namespace prefix; other elements are passed over) of an XML
// stream into rec. False at the end of the stream.
bool NextXmlRecord(std::FILE* f, OmmRecord& rec);

// Reads the next object of a JSON array of objects, or a lone object, into rec (strings and
// numbers as their text; nested values are skipped). False at the end of the array or stream,
// and at text that is not JSON.
bool NextJsonRecord(std::FILE* f, OmmRecord& rec);
