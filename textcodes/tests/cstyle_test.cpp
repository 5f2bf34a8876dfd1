#include "textcodes/cstyle.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(CStyleToRaw, PercentSigns) {
    std::string out;
    ASSERT_TRUE(CStyleToRaw("100%%", out));
    EXPECT_EQ(out, "100%");
}

}  // namespace
}  // namespace tarn
