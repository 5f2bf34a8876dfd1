// SPDX-License-Identifier: GPL-3.0-or-later
// The full sample: the sizes and codes of a real game's texts, and how the writer's placement
// fills each build's text areas with them.
#include "exetext/sample_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>

#include "exetext/exe_profile.h"
#include "exetext/sample_executable.h"
#include "exetext/save_plan.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"
#include "textcodes/code_table.h"

namespace tarn {
namespace {

const std::vector<std::string>& sample() {
    static const std::vector<std::string> texts = sampleTexts();
    return texts;
}

// The stored texts and their final containers, as the writer works them out.
struct Planned {
    std::vector<std::string> stored;
    std::vector<int> shares;
};

const Planned& planned() {
    static const Planned plan = [] {
        Planned p{storedTexts(sample(), Notation::Raw).texts, {}};
        p.shares = findShareTargets(p.stored);
        followShareChains(p.shares);
        return p;
    }();
    return plan;
}

// The bytes the placement puts into each text area of the profile, terminators included.
std::array<std::int64_t, kTextAreaCount> bytesPerArea(int profile, bool& fits) {
    const TextAreaTable& areas = profileByNumber(profile).textAreas;
    const PlacementPlan plan = planPlacement(areas, planned().stored, planned().shares);
    fits = plan.fits();
    std::array<std::int64_t, kTextAreaCount> used{};
    for (std::size_t n = 0; n < plan.position.size(); ++n) {
        for (std::size_t k = 0; k < areas.size(); ++k) {
            if (plan.position[n] >= areas[k].first && plan.position[n] <= areas[k].last) {
                used[k] += static_cast<std::int64_t>(planned().stored[n].size()) + 1;
            }
        }
    }
    return used;
}

std::int64_t areaSize(const TextArea& area) {
    return area.last - area.first + 1;
}

TEST(SampleTexts, HaveTheSizesOfAGamesTexts) {
    ASSERT_EQ(sample().size(), static_cast<std::size_t>(kTextCount));
    EXPECT_EQ(sampleTexts(), sample());                  // the same on every call
    EXPECT_EQ(sample()[0], repetitiveSampleTexts()[0]);  // the welcome sentence
    EXPECT_EQ(sample()[99], "");
    EXPECT_GE(std::set<std::string>(sample().begin(), sample().end()).size(), 3400u);

    std::vector<std::int64_t> lengths;
    std::int64_t sum = 0;
    for (const std::string& text : sample()) {
        lengths.push_back(static_cast<std::int64_t>(expandPictures(text).size()) + 1);
        sum += lengths.back();
    }
    std::sort(lengths.begin(), lengths.end());
    const std::int64_t median = lengths[lengths.size() / 2];
    EXPECT_GE(median, 10);
    EXPECT_LE(median, 12);
    const std::int64_t meanTimes100 = sum * 100 / kTextCount;
    EXPECT_GE(meanTimes100, 1600);
    EXPECT_LE(meanTimes100, 1900);
    EXPECT_GE(lengths.back(), 400);
}

TEST(SampleTexts, SharedTailsSaveTwoToFivePercent) {
    std::int64_t stored = 0;
    std::int64_t unshared = 0;
    for (std::size_t n = 0; n < planned().stored.size(); ++n) {
        const auto size = static_cast<std::int64_t>(planned().stored[n].size()) + 1;
        stored += size;
        unshared += planned().shares[n] == 0 ? size : 0;
    }
    const std::int64_t saved = stored - unshared;
    EXPECT_GE(saved * 100, stored * 2);
    EXPECT_LE(saved * 100, stored * 5);
}

// Walks a raw text: pictures and the data of %S and %c are skipped, every other byte must be
// a letter of the game's character set or one of its codes.
TEST(SampleTexts, CodesCarryTheirDataAndOtherBytesAreLettersOrCodes) {
    const std::string accented = "\xE9\xC9\xA3";
    int withData = 0;
    for (std::size_t n = 0; n < sample().size(); ++n) {
        const std::string& text = sample()[n];
        for (std::size_t i = 0; i < text.size();) {
            const auto byte = static_cast<std::uint8_t>(text[i]);
            if (byte == kPictureCode) {
                std::uint32_t number = 0;
                i = readPicture(text, i, number);
                continue;
            }
            ++i;
            if (byte == 131 || byte == 132) {
                const std::size_t count = byte == 131 ? 2 : 4;
                ASSERT_LE(i + count, text.size()) << "text " << n + 1;
                for (std::size_t k = 0; k < count; ++k, ++i) {
                    const auto data = static_cast<std::uint8_t>(text[i]);
                    EXPECT_NE(data, 0) << "text " << n + 1;
                    EXPECT_NE(data, kPictureCode) << "text " << n + 1;
                }
                ++withData;
                continue;
            }
            const bool letter = (byte >= 32 && byte < kFirstValueCode) ||
                                accented.find(static_cast<char>(byte)) != std::string::npos;
            const bool code = findTextCode(byte) != nullptr || byte == 13;
            EXPECT_TRUE(letter || code) << "text " << n + 1 << " byte " << int{byte};
        }
    }
    EXPECT_GE(withData, 10);
}

TEST(SampleTexts, FillEveryTextAreaOfLayoutsAAndB) {
    for (const int profile : {1, 2, 3}) {
        bool fits = false;
        const auto used = bytesPerArea(profile, fits);
        EXPECT_TRUE(fits) << "profile " << profile;
        const TextAreaTable& areas = profileByNumber(profile).textAreas;
        for (std::size_t k = 0; k < areas.size(); ++k) {
            EXPECT_GE(used[k] * 100, areaSize(areas[k]) * 98)
                << "profile " << profile << " area " << k + 1;
        }
    }
}

TEST(SampleTexts, FillAboutNinetyPercentOfLayoutC) {
    bool fits = false;
    const auto used = bytesPerArea(4, fits);
    EXPECT_TRUE(fits);
    std::int64_t total = 0;
    std::int64_t size = 0;
    for (std::size_t k = 0; k < used.size(); ++k) {
        total += used[k];
        size += areaSize(profileByNumber(4).textAreas[k]);
    }
    EXPECT_GE(total * 100, size * 85);
    EXPECT_LE(total * 100, size * 95);
}

TEST(SampleTexts, ReadBackFromTheExecutableOfEveryProfile) {
    for (int p = 1; p <= kProfileCount; ++p) {
        const Bytes file = makeSampleExecutable(p, sample());
        std::vector<std::string> column;
        std::vector<int> notFound;
        EXPECT_TRUE(readStringTable(file, column, profileByNumber(p).pointerBlocks,
                                    profileByNumber(p).textAreas, Notation::Raw, notFound));
        EXPECT_EQ(column, sample()) << "profile " << p;
    }
}

}  // namespace
}  // namespace tarn
