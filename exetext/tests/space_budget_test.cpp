// The space budget against the real save and against a plain reading of the placement rule.
#include "exetext/space_budget.h"

#include <gtest/gtest.h>

#include <random>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_writer.h"

namespace tarn {
namespace {

std::int64_t areaSize(const TextArea& area) {
    return area.last - area.first + 1;
}

// Sharing and placement as plainly stated: the lowest unshared container, chains followed,
// then every unshared text into the first area (in order) with room after the texts already
// there. Answers the texts left out.
std::vector<int> plainUnplaced(const TextAreaTable& areas, std::vector<std::string> stored) {
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
    std::vector<int> unplaced;
    // Area by area, in text order: the writer's passes.
    std::vector<bool> placed(n, false);
    for (std::size_t area = 0; area < areas.size(); ++area) {
        std::int64_t free = areaSize(areas[area]);
        for (std::size_t t = 0; t < n; ++t) {
            const auto size = static_cast<std::int64_t>(stored[t].size()) + 1;
            if (share[t] == 0 && !placed[t] && size <= free) {
                placed[t] = true;
                free -= size;
            }
        }
    }
    for (std::size_t t = 0; t < n; ++t) {
        if (share[t] == 0 && !placed[t]) {
            unplaced.push_back(static_cast<int>(t + 1));
        }
    }
    return unplaced;
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
        const SpaceBudget budget = spaceBudget(profileByNumber(profile).textAreas, texts, false);
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

TEST_F(SpaceBudgetTest, AgreesWithTheSaveOnRandomTexts) {
    std::mt19937 rng(14);
    const std::string alphabet = "abcdefghijklmnopqrst";
    int over = 0;
    for (int trial = 0; trial < 8; ++trial) {
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
        const SpaceBudget budget = expectSameAsSave(profile, texts);
        EXPECT_EQ(budget.unplaced, plainUnplaced(profileByNumber(profile).textAreas, texts))
            << "trial " << trial;
        over += budget.fits() ? 0 : 1;
    }
    // The lengths straddle the space, so both outcomes were compared.
    EXPECT_GT(over, 0);
    EXPECT_LT(over, 8);
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

        texts[kPaddedText2 - 1] = "x";  // one byte more than area 1 holds
        const SpaceBudget over = expectSameAsSave(profile, texts);
        EXPECT_EQ(over.unplaced, std::vector<int>{kPaddedText2});
        EXPECT_EQ(over.shortfall, 1 + kTextPadding + 1);
        EXPECT_EQ(spaceBudgetText(over), "over by 33 bytes: 1 texts do not fit");
        // The status bar speaks to a person: singular forms.
        EXPECT_EQ(spaceBudgetStatus(over), "Over by 33 bytes: 1 text does not fit");
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
    // Malformed C-style: stored as the 8 bytes of -Error!-, which still fit into area 1.
    texts[5] = "x%" + std::string(100, 'z');
    texts[kPaddedText2 - 1] = "\\p00000001";  // 23 and four number bytes, 31 spare, terminator
    const SpaceBudget budget = spaceBudget(areas, texts, true);
    EXPECT_EQ(budget.unplaced, std::vector<int>{kPaddedText2});
    EXPECT_EQ(budget.shortfall, 5 + kTextPadding + 1);
}

TEST_F(SpaceBudgetTest, FreeSpaceCountsOnlyTheLastAreaUsedAndThoseAfterIt) {
    makeGame(2);
    const TextAreaTable& areas = profileByNumber(2).textAreas;
    std::vector<std::string> texts(kTextCount);
    texts[0].assign(static_cast<std::size_t>(areaSize(areas[0]) / 2), 'a');
    texts[1].assign(static_cast<std::size_t>(areaSize(areas[0]) / 2 + 10), 'b');  // to area 2
    const SpaceBudget budget = expectSameAsSave(2, texts);
    EXPECT_EQ(budget.freeSpace, areaSize(areas[1]) - static_cast<std::int64_t>(texts[1].size()) -
                                    1 + areaSize(areas[2]) + areaSize(areas[3]));
}

}  // namespace
}  // namespace tarn
