#include "core/ommscan.h"

#include <cctype>
#include <cstring>

namespace {

// Capitals of s without surrounding blanks and quotes.
std::string keyname(std::string s)
{
    const size_t b = s.find_first_not_of(" \t\"");
    const size_t e = s.find_last_not_of(" \t\"\r");
    s = b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// s without surrounding blanks.
std::string trim(const std::string& s)
{
    const size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return std::string();
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

// Appends c to s unless s holds kMaxOmmText characters already.
void keep(std::string& s, int c)
{
    if (s.size() < kMaxOmmText) s += static_cast<char>(c);
}

// Fields of a CSV line: comma-separated, a field in double quotes may hold commas and "" quotes.
std::vector<std::string> csvfields(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// The text of an XML element with the entities &amp; &lt; &gt; &quot; &apos; replaced.
std::string xmltext(const std::string& s)
{
    static const struct {
        const char* entity;
        char c;
    } entities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        bool replaced = false;
        for (const auto& e : entities) {
            if (s.compare(i, std::strlen(e.entity), e.entity) == 0) {
                out += e.c;
                i += std::strlen(e.entity) - 1;
                replaced = true;
                break;
            }
        }
        if (!replaced) out += s[i];
    }
    return trim(out);
}

// Reads the rest of a tag after its '<' into tag (cut to kMaxOmmText); a comment is read to its
// "-->". False when the stream ends inside the tag.
bool readtag(std::FILE* f, std::string& tag)
{
    tag.clear();
    int prev1 = 0, prev2 = 0;
    for (int c; (c = std::getc(f)) != EOF; prev2 = prev1, prev1 = c) {
        const bool comment = tag.compare(0, 3, "!--") == 0;
        if (c == '>' && (!comment || (tag.size() >= 5 && prev1 == '-' && prev2 == '-'))) return true;
        keep(tag, c);
    }
    return false;
}

// Local name of a tag's text: without '/', attributes and namespace prefix, in capitals.
std::string localname(const std::string& tag)
{
    const size_t b = tag[0] == '/' ? 1 : 0;
    std::string name = tag.substr(b, tag.find_first_of(" \t\r\n/", b) - b);
    const size_t colon = name.rfind(':');
    return keyname(colon == std::string::npos ? name : name.substr(colon + 1));
}

// Next character of f that is not white space; EOF at the end.
int skipspace(std::FILE* f)
{
    int c;
    while ((c = std::getc(f)) != EOF && std::isspace(c)) {}
    return c;
}

// Reads a JSON string after its opening quote into s (escapes resolved, non-ASCII \u as '?').
bool jsonstring(std::FILE* f, std::string& s)
{
    s.clear();
    for (int c; (c = std::getc(f)) != EOF;) {
        if (c == '"') return true;
        if (c != '\\') {
            keep(s, c);
            continue;
        }
        c = std::getc(f);
        static const char from[] = "bfnrt", to[] = "\b\f\n\r\t";
        if (c == 'u') {
            int code = 0;
            for (int k = 0; k < 4; ++k) {
                const int h = std::getc(f);
                if (!std::isxdigit(h)) return false;
                code = 16 * code + (std::isdigit(h) ? h - '0' : std::tolower(h) - 'a' + 10);
            }
            keep(s, code < 0x80 ? code : '?');
        } else if (c != EOF && c != '\0' && std::strchr(from, c)) {
            keep(s, to[std::strchr(from, c) - from]);
        } else if (c != EOF) {
            keep(s, c);
        }
    }
    return false;
}

// Skips a nested JSON object or array after its opening bracket.
bool jsonskip(std::FILE* f)
{
    int depth = 1;
    std::string ignored;
    for (int c; depth > 0 && (c = std::getc(f)) != EOF;) {
        if (c == '"' && !jsonstring(f, ignored)) return false;
        if (c == '{' || c == '[') ++depth;
        if (c == '}' || c == ']') --depth;
    }
    return depth == 0;
}

// Reads a JSON value into s: the text of a string or of a number, true, false or null; a nested
// object or array gives "".
bool jsonvalue(std::FILE* f, std::string& s)
{
    s.clear();
    int c = skipspace(f);
    if (c == '"') return jsonstring(f, s);
    if (c == '{' || c == '[') return jsonskip(f);
    for (; c != EOF && !std::isspace(c) && c != ',' && c != '}' && c != ']'; c = std::getc(f)) keep(s, c);
    if (c != EOF) std::ungetc(c, f);
    if (s == "null") s.clear();
    return true;
}

}  // namespace

std::vector<std::string> CsvHeader(const std::string& line)
{
    std::vector<std::string> names = csvfields(line);
    for (std::string& n : names) n = keyname(n);
    return names;
}

OmmRecord CsvRecord(const std::vector<std::string>& header, const std::string& line)
{
    const std::vector<std::string> fields = csvfields(line);
    OmmRecord rec;
    for (size_t k = 0; k < header.size() && k < fields.size(); ++k) rec.emplace_back(header[k], trim(fields[k]));
    return rec;
}

bool NextXmlRecord(std::FILE* f, OmmRecord& rec)
{
    rec.clear();
    bool inside = false;
    std::string text, tag, current;
    for (int c; (c = std::getc(f)) != EOF;) {
        if (c != '<') {
            keep(text, c);
            continue;
        }
        if (!readtag(f, tag)) return false;
        if (tag.empty() || tag[0] == '?' || tag[0] == '!') continue;
        const std::string name = localname(tag);
        const bool closing = tag[0] == '/';
        if (name == "OMM" && !closing) {
            inside = true;
            rec.clear();
        } else if (name == "OMM" && inside) {
            return true;
        } else if (!closing) {
            current = tag.back() == '/' ? std::string() : name;
        } else if (name == current) {
            rec.emplace_back(current, xmltext(text));
            current.clear();
        }
        text.clear();
    }
    return false;
}

bool NextJsonRecord(std::FILE* f, OmmRecord& rec)
{
    rec.clear();
    int c = skipspace(f);
    while (c == '[' || c == ',') c = skipspace(f);
    if (c != '{') return false;
    std::string key, text;
    for (;;) {
        c = skipspace(f);
        if (c == '}') return true;
        if (c == ',') continue;
        if (c != '"' || !jsonstring(f, key) || skipspace(f) != ':' || !jsonvalue(f, text)) return false;
        rec.emplace_back(keyname(key), text);
    }
}
