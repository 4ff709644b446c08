#include <gtest/gtest.h>

#include "handover/handover_request.h"

namespace {
using Args = std::vector<std::string>;

TEST(HandoverRequest, TextAndInstanceFromArgumentsOrClipboard) {
    struct Case {
        Args arguments;
        const char* clipboard;
        const char* text;
        int instance;
    };
    const Case cases[] = {
        {{}, "C:\\clip", "C:\\clip", 0},
        {{}, "", "", 0},
        {{}, "\"C:\\clip dir\"", "C:\\clip dir", 0},
        {{"C:\\arg"}, "C:\\clip", "C:\\arg", 0},
        {{"\"C:\\a", "2"}, "", "C:\\a", 2},
        {{"C:\\a\"", "7x"}, "", "C:\\a", 7},
        {{"\"\"\"x\"\"\""}, "", "\"\"x\"\"", 0},
        {{"\""}, "", "", 0},
        {{"C:\\a", "x2"}, "", "C:\\a", 0},
        {{"C:\\a", " 3"}, "", "C:\\a", 3},
        {{"C:\\a", "-1"}, "", "C:\\a", -1},
        {{"C:\\a", "99999999999999"}, "", "C:\\a", 2147483647},
        {{"C:\\\x95\x5C\"", "1", "ignored"}, "", "C:\\\x95\x5C", 1},
    };
    for (const Case& c : cases) {
        HandoverRequest r = handoverRequest(c.arguments, c.clipboard);
        EXPECT_EQ(r.text, c.text) << c.clipboard;
        EXPECT_EQ(r.instance, c.instance) << r.text;
    }
}
}  // namespace
