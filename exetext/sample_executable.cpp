#include "exetext/sample_executable.h"

#include <stdexcept>

#include "exetext/exe_profile.h"
#include "exetext/string_table_writer.h"
#include "textcodes/code_table.h"

namespace tarn {

Bytes makeSampleExecutable(int profile, const std::vector<std::string>& rawTexts,
                           std::uint8_t primaryLangId, std::uint8_t secondaryLangId) {
    if (profile < 1 || profile > kProfileCount) {
        throw std::invalid_argument("the profile number must be 1 to 4");
    }
    if (rawTexts.size() != static_cast<std::size_t>(kTextCount)) {
        throw std::invalid_argument("a sample executable needs exactly 3453 texts");
    }
    const ExeProfile& p = profileByNumber(profile);
    std::vector<std::string> stored(rawTexts.size());
    for (std::size_t i = 0; i < rawTexts.size(); ++i) {
        stored[i] = expandPictures(rawTexts[i]);
    }
    stored[kPaddedText1 - 1].append(kTextPadding, '\0');
    stored[kPaddedText2 - 1].append(kTextPadding, '\0');
    std::vector<int> shares = findShareTargets(stored);
    followShareChains(shares);

    Bytes file(static_cast<std::size_t>(p.FileSize), 0);
    std::int64_t freeSpace = 0;
    if (!placeStrings(file, p, stored, shares, primaryLangId, secondaryLangId, freeSpace)) {
        throw std::invalid_argument("the texts do not fit into the executable's text areas");
    }
    return file;
}

namespace {

// Short pieces that between them hold every kind of code.
std::vector<std::string> codePieces() {
    std::vector<std::string> pieces = {
        "Line one" + rawText({5}) + "line two",
        rawText({10}) + "thin" + rawText({14}),
        "100% sure",
        "C:" + rawText({92}) + "Tarn",
        "CR" + rawText({13}) + "LF",
        rawText({1, 2, 31}),
        "Caf" + rawText({0xE9}) + " " + rawText({0xA3}) + "5 " + rawText({0x80, 0x81, 0xFF}),
        "Pic " + rawText({23, 255}),
        "Pic " + rawText({23, 1, 7}),
        "Pic " + rawText({23, 2, 0, 1}),
        "Pic " + rawText({23, 3, 0x56, 0x34, 0x12}),
        "Pic " + rawText({23, 4, 0, 0, 0, 1}),
        "Pic " + rawText({23, 4, 0xFF, 0xFF, 0xFF, 0xFF}) + " end",
    };
    for (int code = 123; code <= 141; ++code) {
        pieces.push_back("Value " + rawText({code}));
    }
    for (int code = 142; code <= 155; ++code) {
        pieces.push_back(rawText({code}) + "Colour" + rawText({14}));
    }
    return pieces;
}

}  // namespace

std::vector<std::string> sampleTexts() {
    const std::vector<std::string> pieces = codePieces();
    std::vector<std::string> texts(static_cast<std::size_t>(kTextCount));
    for (int n = 1; n <= kTextCount; ++n) {
        std::string& text = texts[static_cast<std::size_t>(n - 1)];
        if (n % 7 == 0) {
            text = pieces[static_cast<std::size_t>(n / 7) % pieces.size()];
        } else if (n % 50 == 1) {
            text = "Yes";  // repeated texts share one stored copy
        } else if (n % 50 == 2) {
            text = "Open the door";
        } else if (n % 50 == 3) {
            text = "door";  // the tail of another text
        } else {
            text = "Text " + std::to_string(n);
        }
    }
    texts[99] = "";  // text 100 is empty
    return texts;
}

}  // namespace tarn
