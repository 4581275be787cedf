// Test helpers for text: whole files, their lines, the lines of a page and temporary files.
#pragma once

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/records.h"

// Bytes of the file at path (empty when it cannot be read).
inline std::string readFile(const std::string& path)
{
    std::stringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

// Lines of text without their newlines.
inline std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream s(text);
    for (std::string line; std::getline(s, line);) lines.push_back(line);
    return lines;
}

// The lines of a page without their tag bytes.
inline std::vector<std::string> pageLines(const WoutData* out)
{
    std::vector<std::string> lines;
    for (int k = 0; k < out->nlines; ++k) lines.emplace_back(out->lines[k], strnlen(out->lines[k], kTagByte));
    return lines;
}

// A temporary file holding content, positioned at its start and deleted when closed.
inline FILE* holding(const std::string& content)
{
    FILE* f = std::tmpfile();
    std::fwrite(content.data(), 1, content.size(), f);
    std::rewind(f);
    return f;
}
