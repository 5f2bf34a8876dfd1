#include "exetext/exe_profile.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(ExeProfiles, SizesIdentifyTheFourBuilds) {
    EXPECT_EQ(FindProfile(6802895), 1);
    EXPECT_EQ(FindProfile(6746112), 2);
    EXPECT_EQ(FindProfile(17006592), 3);
    EXPECT_EQ(FindProfile(6868431), 4);
    EXPECT_EQ(FindProfile(6868432), -1);
    EXPECT_EQ(FindProfile(6746111), -1);
}

}  // namespace
}  // namespace tarn
