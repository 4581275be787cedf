#include "core/elementreply.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

#include "core/defaults.h"
#include "core/elementreader.h"
#include "core/tlefile.h"

namespace {

// Bytes of the body's start looked at to tell what it is.
constexpr size_t kSniffBytes = 512;

// text in lower case.
std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// True when the element reader finds at least one valid entry of any name in f.
bool hasEntry(std::FILE* f)
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get());
    in->lowflt = in->recentflt = 0;
    in->srchmode = kSearchByName;
    std::snprintf(in->srchname[kWorkSlot], sizeof in->srchname[kWorkSlot], "*");
    char text[kTleTextBytes];
    std::rewind(f);
    ElementReader reader(f);
    return tleread(in.get(), reader, text, 0) > 0;
}

// What a body starting with head is, for a reply that holds no elements: "an HTML page" ...
std::string kindOf(const std::string& head, const std::string& contentType)
{
    const std::string type = lower(contentType);
    const std::string start = lower(head.substr(std::min(head.find_first_not_of(" \t\r\n"), head.size())));
    if (type.find("html") != std::string::npos || start.rfind("<!doctype html", 0) == 0 ||
        start.rfind("<html", 0) == 0)
        return "an HTML page";
    if (type.find("json") != std::string::npos || start.rfind("{", 0) == 0 || start.rfind("[", 0) == 0)
        return "a JSON document";
    if (type.find("xml") != std::string::npos || start.rfind("<", 0) == 0) return "an XML document";
    const bool binary = std::any_of(head.begin(), head.end(), [](unsigned char c) {
        return c < ' ' && c != '\n' && c != '\r' && c != '\t';
    });
    return binary ? "binary data" : "text without a valid element set";
}

}  // namespace

std::string groupedBytes(long long size)
{
    std::string digits = std::to_string(size);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0 && std::isdigit(static_cast<unsigned char>(digits[i - 1])); i -= 3)
        digits.insert(i, " ");
    return digits;
}

std::string rejectReply(std::FILE* f, long long size, const std::string& contentType)
{
    if (size <= 0) return "an empty body";
    if (hasEntry(f)) return {};
    std::rewind(f);
    std::string head(kSniffBytes, '\0');
    head.resize(std::fread(head.data(), 1, head.size(), f));
    return kindOf(head, contentType) + ", " + groupedBytes(size) + (size == 1 ? " byte" : " bytes");
}
