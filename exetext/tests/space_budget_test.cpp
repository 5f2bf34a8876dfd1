// SPDX-License-Identifier: GPL-3.0-or-later
// The space budget against the real save and against a plain reading of the placement rule.
#include "exetext/space_budget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_writer.h"
#include "exetext/tests/read_back.h"

namespace tarn {
namespace {

std::int64_t areaSize(const TextArea& area) {
    return area.last - area.first + 1;
}

// Sharing and placement in text order as plainly stated: the lowest unshared container, chains
// followed, then every unshared text into the first area (in order) with room after the texts
// already there. Answers each text's file position, -1 for a shared one and -2 for one left out.
std::vector<std::int64_t> plainPositions(const TextAreaTable& areas,
                                         std::vector<std::string> stored) {
    stored[kPaddedText1 - 1].append(kTextPadding, '\0');
    stored[kPaddedText2 - 1].append(kTextPadding, '\0');
    const std::size_t n = stored.size();
    std::vector<int> share(n, 0);
    for (std::size_t p = 0; p < n; ++p) {
        const std::string& tp = stored[p];
        for (std::size_t i = 0; i < n; ++i) {
            if (i == p || i + 1 == kPaddedText1 || i + 1 == kPaddedText2 || share[i] != 0) {
                continue;
            }
            const std::string& ti = stored[i];
            if (ti.size() >= tp.size() && ti.compare(ti.size() - tp.size(), tp.size(), tp) == 0) {
                share[p] = static_cast<int>(i + 1);
                break;
            }
        }
    }
    std::vector<std::int64_t> position(n, -2);
    for (std::size_t t = 0; t < n; ++t) {
        position[t] = share[t] == 0 ? -2 : -1;
    }
    for (const TextArea& area : areas) {
        std::int64_t next = area.first;
        for (std::size_t t = 0; t < n; ++t) {
            const auto size = static_cast<std::int64_t>(stored[t].size()) + 1;
            if (position[t] == -2 && next + size <= area.last + 1) {
                position[t] = next;
                next += size;
            }
        }
    }
    return position;
}

class SpaceBudgetTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path path = dir.path() / "trans.exe";

    void makeGame(int profile) {
        writeFileAtomically(path, makeSampleExecutable(profile, sampleTexts()));
    }

    // The budget and the save agree on the outcome and the free space.
    SpaceBudget expectSameAsSave(int profile, const std::vector<std::string>& texts) {
        const SpaceBudget budget =
            spaceBudget(profileByNumber(profile).textAreas, texts, Notation::Raw);
        const Bytes before = readWholeFile(path);
        const SaveResult saved = saveStrings(path, texts, {});
        EXPECT_EQ(budget.fits(), saved.saved);
        if (saved.saved) {
            EXPECT_EQ(budget.freeSpace, saved.freeSpace);
            EXPECT_EQ(budget.shortfall, 0);
        } else {
            EXPECT_EQ(readWholeFile(path), before);
        }
        return budget;
    }
};

// Random translations around the size of the areas: where they fit in text order, the save
// keeps the game's own placement (every pointer where the plain reading puts it); where they do
// not, the texts are placed again and more of them fit. The budget agrees with the save.
TEST_F(SpaceBudgetTest, AgreesWithTheSaveAndKeepsTheOrderWhereItFits) {
    std::mt19937 rng(14);
    const std::string alphabet = "abcdefghijklmnopqrst";
    int inOrder = 0;
    int over = 0;
    for (int trial = 0; trial < 16; ++trial) {
        const int profile = 1 + trial % kProfileCount;
        makeGame(profile);
        const unsigned maxLength = 30 + rng() % 12;
        std::vector<std::string> texts(kTextCount);
        for (std::string& t : texts) {
            const unsigned length = rng() % (maxLength + 1);
            for (unsigned i = 0; i < length; ++i) {
                t += alphabet[rng() % alphabet.size()];
            }
        }
        SCOPED_TRACE(trial);
        const SpaceBudget budget = expectSameAsSave(profile, texts);
        const ExeProfile& p = profileByNumber(profile);
        const std::vector<std::int64_t> plain = plainPositions(p.textAreas, texts);
        if (std::find(plain.begin(), plain.end(), -2) == plain.end()) {
            ++inOrder;
            ASSERT_TRUE(budget.fits());
            const Bytes file = readWholeFile(path);
            for (std::size_t t = 0; t < plain.size(); ++t) {
                if (plain[t] >= 0) {
                    const std::uint32_t pointer = pointerOf(file, p, static_cast<int>(t + 1));
                    ASSERT_EQ(addressToPosition(p.textAreas, pointer), plain[t]) << t + 1;
                }
            }
        } else {
            ++over;
            if (budget.fits()) {
                EXPECT_EQ(readBack(readWholeFile(path), profile), texts);
            }
        }
    }
    // The lengths straddle the space: both outcomes were compared.
    EXPECT_GT(inOrder, 0);
    EXPECT_GT(over, 0);
}

// In text order, the short text 1 and then text 4 go into area 1 and leave no area that holds
// text 2; placed again, longest first into the tightest area, every text fills an area exactly.
TEST_F(SpaceBudgetTest, TextsThatFailInTextOrderArePlacedAgain) {
    makeGame(1);
    const TextAreaTable& areas = profileByNumber(1).textAreas;
    const auto filling = [&areas](std::size_t area, std::int64_t less, char c) {
        return std::string(static_cast<std::size_t>(areaSize(areas[area]) - 1 - less), c);
    };
    std::vector<std::string> texts(kTextCount);
    texts[0] = filling(2, 0, 'a');
    texts[1] = filling(0, 0, 'b');
    texts[2] = filling(1, 0, 'c');
    texts[3] = filling(3, 2 * (kTextPadding + 1), 'd');
    const std::vector<std::int64_t> inTextOrder = plainPositions(areas, texts);
    ASSERT_EQ(std::count(inTextOrder.begin(), inTextOrder.end(), -2), 1);
    const SpaceBudget budget = expectSameAsSave(1, texts);
    ASSERT_TRUE(budget.fits());
    EXPECT_EQ(budget.freeSpace, 0);
    EXPECT_EQ(readBack(readWholeFile(path), 1), texts);
}

// Texts 1 to 4 fill areas 2, 3 and 4 exactly and area 1 up to the room of texts 3166 and
// 3169 (31 spare bytes and a terminator each, as they never share); all other texts are
// empty and share into text 1.
std::vector<std::string> exactFit(const TextAreaTable& areas) {
    std::vector<std::string> texts(kTextCount);
    const std::int64_t paddedRoom = 2 * (kTextPadding + 1);
    texts[0].assign(static_cast<std::size_t>(areaSize(areas[0]) - paddedRoom - 1), 'a');
    texts[1].assign(static_cast<std::size_t>(areaSize(areas[1]) - 1), 'b');
    texts[2].assign(static_cast<std::size_t>(areaSize(areas[2]) - 1), 'c');
    texts[3].assign(static_cast<std::size_t>(areaSize(areas[3]) - 1), 'd');
    return texts;
}

TEST_F(SpaceBudgetTest, ExactFitAndOneByteOver) {
    for (int profile = 1; profile <= kProfileCount; ++profile) {
        makeGame(profile);
        const TextAreaTable& areas = profileByNumber(profile).textAreas;
        std::vector<std::string> texts = exactFit(areas);
        const SpaceBudget full = expectSameAsSave(profile, texts);
        EXPECT_TRUE(full.fits());
        EXPECT_EQ(full.freeSpace, 0);
        EXPECT_EQ(spaceBudgetText(full), "0 bytes free");

        // One byte more than the areas hold: placed again, longest first, text 3166 is left
        // one byte short of the room that is left.
        texts[kPaddedText2 - 1] = "x";
        const SpaceBudget over = expectSameAsSave(profile, texts);
        EXPECT_EQ(over.unplaced, std::vector<int>{kPaddedText1});
        EXPECT_EQ(over.shortfall, 1);
        EXPECT_FALSE(over.atLeast);
        EXPECT_EQ(spaceBudgetText(over), "over by 1 bytes: 1 texts do not fit");
        // The status bar speaks to a person: singular forms.
        EXPECT_EQ(spaceBudgetStatus(over), "Over by 1 byte: 1 text does not fit");
        EXPECT_EQ(spaceBudgetStatus(full), "0 bytes free");
    }
}

TEST(SpaceBudgetStatus, OneByteAndOneTextAreSingular) {
    SpaceBudget budget;
    budget.freeSpace = 1;
    EXPECT_EQ(spaceBudgetStatus(budget), "1 byte free");
    budget.shortfall = 1;
    budget.unplaced = {7, 9};
    EXPECT_EQ(spaceBudgetStatus(budget), "Over by 1 byte: 2 texts do not fit");
    EXPECT_EQ(spaceBudgetText(budget), "over by 1 bytes: 2 texts do not fit");  // scripts' words
}

TEST_F(SpaceBudgetTest, ShortfallCountsPicturesPaddingAndTerminators) {
    const TextAreaTable& areas = profileByNumber(1).textAreas;
    std::vector<std::string> texts = exactFit(areas);
    // Malformed C-style: stored as the 8 bytes of -Error!- and a terminator.
    texts[5] = "x%" + std::string(100, 'z');
    texts[kPaddedText2 - 1] = "\\p00000001";  // 23 and four number bytes
    const SpaceBudget budget = spaceBudget(areas, texts, Notation::CStyle);
    EXPECT_EQ(budget.unplaced, std::vector<int>{kPaddedText1});
    EXPECT_EQ(budget.shortfall, 8 + 1 + 5);
}

TEST_F(SpaceBudgetTest, FreeSpaceCountsEveryUnusedByte) {
    makeGame(2);
    const TextAreaTable& areas = profileByNumber(2).textAreas;
    std::vector<std::string> texts(kTextCount);
    texts[0].assign(static_cast<std::size_t>(areaSize(areas[0]) / 2), 'a');
    texts[1].assign(static_cast<std::size_t>(areaSize(areas[0]) / 3), 'b');
    const SpaceBudget budget = expectSameAsSave(2, texts);
    std::int64_t all = 0;
    for (const TextArea& area : areas) {
        all += areaSize(area);
    }
    const auto used = static_cast<std::int64_t>(texts[0].size() + texts[1].size()) + 2 +
                      2 * (kTextPadding + 1);
    EXPECT_EQ(budget.freeSpace, all - used);
    EXPECT_EQ(budget.longestFitting, areaSize(areas[1]) - 1);  // area 2 stays empty
}

// The figures a translator reads, by formula: what is over is what the texts left out need
// beyond the unused bytes, "at least" where those lie in several runs; a text no area could hold
// is named; growing, nothing is over.
TEST(SpaceBudgetFigures, SayWhatATranslatorCanDo) {
    const TextAreaTable& areas = profileByNumber(1).textAreas;  // largest area: 25,483 bytes
    const std::vector<std::string> base = repetitiveSampleTexts();
    const std::int64_t free = spaceBudget(areas, base, Notation::Raw).freeSpace;
    std::vector<std::string> exact = exactFit(areas);
    exact[3].resize(exact[3].size() - 22);  // 22 bytes free, all in area 4
    struct Case {
        const char* what;
        std::vector<std::string> texts;
        bool grow;
        std::string status;
        std::vector<std::string> details;
    };
    const auto with = [](std::vector<std::string> texts, std::size_t index, std::string text) {
        texts[index] = std::move(text);
        return texts;
    };
    const std::string huge(100000, 'x');
    const std::string longest = "The longest text that would still fit: ";
    const Case cases[] = {
        {"a text longer than any area", with(base, 99, huge), false,
         "Over by at least " + std::to_string(100001 - free) + " bytes: 1 text does not fit",
         {"Text 100 is 74,518 bytes longer than the largest text area (25,483 bytes)",
          longest + "25,482 bytes"}},
        {"one byte longer than the largest area", with(base, 99, std::string(25483, 'y')), false,
         "Over by at least 1 byte: 1 text does not fit",
         {"Text 100 is 1 byte longer than the largest text area (25,483 bytes)",
          longest + "25,482 bytes"}},
        {"21 bytes into 22 free", with(exact, 99, std::string(20, 'z')), false, "1 byte free",
         {longest + "0 bytes"}},
        {"growing", with(base, 99, huge), true,
         std::to_string(free) + " bytes free, 1 text (100001 bytes) in an added section",
         {longest + "25,482 bytes"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SpaceBudget budget = spaceBudget(areas, c.texts, Notation::Raw, c.grow);
        EXPECT_EQ(spaceBudgetStatus(budget), c.status);
        EXPECT_EQ(spaceBudgetDetails(budget), c.details);
    }
}

}  // namespace
}  // namespace tarn
