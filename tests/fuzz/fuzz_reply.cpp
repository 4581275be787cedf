// The online update's acceptance check over arbitrary HTTP replies: a header block, a blank line
// and the body. The check either accepts a non-empty body or describes what came back.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <strings.h>

#include "core/elementreply.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// The value of the Content-Type line of headers, empty when there is none.
std::string contentType(const std::string& headers)
{
    const std::string name = "content-type:";
    for (size_t start = 0; start < headers.size();) {
        size_t end = headers.find('\n', start);
        if (end == std::string::npos) end = headers.size();
        if (end - start > name.size() && strncasecmp(headers.c_str() + start, name.c_str(), name.size()) == 0)
            return headers.substr(start + name.size(), end - start - name.size());
        start = end + 1;
    }
    return {};
}

bool endsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string reply(reinterpret_cast<const char*>(data), size);
    const size_t blank = reply.find("\r\n\r\n");
    const size_t bodyAt = blank == std::string::npos ? 0 : blank + 4;
    const std::string headers = reply.substr(0, blank == std::string::npos ? 0 : blank);
    FILE* body = bytesStream(data + bodyAt, size - bodyAt);
    if (!body) return 0;
    const long long bodySize = static_cast<long long>(size - bodyAt);
    const std::string what = rejectReply(body, bodySize, contentType(headers));
    std::fclose(body);
    // An accepted body is never empty; a refused one is described with its size.
    if (what.empty() ? bodySize == 0 : !(what == "an empty body" || endsWith(what, " bytes") || endsWith(what, " byte")))
        std::abort();
    return 0;
}
