// Version requirements: the grammar, its refusals and matching by packed version.
#include <gtest/gtest.h>

#include "package/version_requirement.h"

namespace tarvik {
namespace {

uint32_t v(int a, int b, int c, int d) { return uint32_t(a) << 24 | uint32_t(b) << 16 | uint32_t(c) << 8 | uint32_t(d); }

bool matches(const char* text, uint32_t version) {
    VersionRequirement req;
    EXPECT_TRUE(parse_version_requirement(text, &req)) << text;
    return version_matches(req, version);
}

TEST(VersionRequirement, PrefixFormsCompareOnlyTheWrittenComponents) {
    EXPECT_TRUE(matches("1.2", v(1, 2, 0, 0)));
    EXPECT_TRUE(matches("1.2", v(1, 2, 255, 255)));
    EXPECT_FALSE(matches("1.2", v(1, 3, 0, 0)));
    EXPECT_TRUE(matches("1", v(1, 200, 3, 4)));
    EXPECT_FALSE(matches("1", v(2, 0, 0, 0)));
    EXPECT_TRUE(matches("=1.2.3.4", v(1, 2, 3, 4)));
    EXPECT_FALSE(matches("=1.2.3.4", v(1, 2, 3, 5)));
    EXPECT_TRUE(matches("  1.2.3", v(1, 2, 3, 9))) << "leading white space is skipped";
}

TEST(VersionRequirement, OrderingFormsAndRanges) {
    EXPECT_TRUE(matches(">=1.2", v(1, 2, 0, 0)));
    EXPECT_TRUE(matches(">=1.2", v(3, 0, 0, 0)));
    EXPECT_FALSE(matches(">=1.2", v(1, 1, 255, 255)));
    EXPECT_TRUE(matches("<2", v(1, 255, 255, 255)));
    EXPECT_FALSE(matches("<2", v(2, 0, 0, 0)));
    EXPECT_TRUE(matches(">=1.0 <2.0", v(1, 9, 0, 0)));
    EXPECT_FALSE(matches(">=1.0 <2.0", v(2, 0, 0, 0)));
    EXPECT_FALSE(matches(">=1.0 <2.0", v(0, 9, 0, 0)));
    VersionRequirement req;
    ASSERT_TRUE(parse_version_requirement(">=1.0\t<2", &req));
    EXPECT_EQ(req.op, VREQ_RANGE);
    ASSERT_TRUE(parse_version_requirement(">=1.0<2", &req));
    EXPECT_EQ(req.op, VREQ_AT_LEAST) << "the range needs white space before '<'";
    ASSERT_TRUE(parse_version_requirement("1.2.3.4.5x", &req)) << "text after the last component is not examined";
    EXPECT_EQ(req.a, v(1, 2, 3, 4));
    EXPECT_EQ(req.parts, 4);
}

TEST(VersionRequirement, InvalidTextsAreRefused) {
    VersionRequirement req;
    for (const char* bad : {"", "   ", "==1", ">1", ">", "256", "1.256", "a.1", "1.x", ">=1 <", ">=1 <x", ">=1 <300",
                            "1.", "-1"}) {
        EXPECT_FALSE(parse_version_requirement(bad, &req)) << "'" << bad << "'";
    }
    EXPECT_FALSE(parse_version_requirement(nullptr, &req));
}

}  // namespace
}  // namespace tarvik
