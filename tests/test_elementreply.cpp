#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/elementreply.h"
#include "test_text.h"

namespace {

// What rejectReply says of body served as contentType.
std::string verdict(const std::string& body, const std::string& contentType)
{
    FILE* f = holding(body);
    const std::string what = rejectReply(f, static_cast<long long>(body.size()), contentType);
    std::fclose(f);
    return what;
}

// The content of a test data file.
std::string data(const std::string& name) { return readFile(std::string(ORBIKA_TEST_DATA) + "/omm/" + name); }

}  // namespace

TEST(ElementReply, GpDataIsAcceptedWebPagesAndEmptyQueriesAreNot)
{
    // GP data in every form is element data, whatever type the server names.
    const std::pair<const char*, const char*> gp[] = {{"visual.csv", "text/csv"},
                                                      {"visual.xml", "application/xml"},
                                                      {"visual.json", "application/json"},
                                                      {"visual_alpha5.txt", "text/plain"},
                                                      {"visual.csv", ""}};
    for (const auto& [name, type] : gp) {
        const std::string body = data(name);
        ASSERT_FALSE(body.empty()) << name;
        EXPECT_EQ(verdict(body, type), "") << name;
    }
    // A web page is refused even when the server calls it CSV; so are a query that found
    // nothing (a header line or an empty array) and an error object.
    const std::string page = "<!DOCTYPE html><html><body>Down for maintenance</body></html>";
    EXPECT_EQ(verdict(page, "text/csv"), "an HTML page, 61 bytes");
    const std::string header = data("visual.csv").substr(0, data("visual.csv").find('\n') + 1);
    EXPECT_EQ(verdict(header, "text/csv").rfind("text without a valid element set", 0), 0u);
    EXPECT_EQ(verdict("[]", "application/json"), "a JSON document, 2 bytes");
    EXPECT_EQ(verdict("{\"error\": \"GROUP not found\"}", "application/json").rfind("a JSON document", 0), 0u);
}
