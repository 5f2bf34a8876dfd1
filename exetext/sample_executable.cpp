// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/sample_executable.h"

#include <stdexcept>

#include "exetext/exe_profile.h"
#include "exetext/stand_in_image.h"
#include "exetext/string_table_writer.h"

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

    Bytes file = standInAvailable() ? standInImage(p) : Bytes(static_cast<std::size_t>(p.fileSize), 0);
    std::int64_t freeSpace = 0;
    if (!placeStrings(file, p, stored, shares, primaryLangId, secondaryLangId, freeSpace)) {
        throw std::invalid_argument("the texts do not fit into the executable's text areas");
    }
    return file;
}

}  // namespace tarn
