// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/exe_texts_files.h"

#include <algorithm>

#include "exetext/executable_texts.h"

namespace tarn {

CarriedExeTexts carriedExeTextsOf(const std::filesystem::path& original,
                                  const std::filesystem::path& translated, bool mayGrow) {
    ExecutableTexts from;
    readExecutableTexts(original, from);
    ExecutableTexts to;
    readExecutableTexts(translated, to);
    std::vector<int> notFound = from.notFound;
    notFound.insert(notFound.end(), to.notFound.begin(), to.notFound.end());
    std::sort(notFound.begin(), notFound.end());
    CarriedExeTexts carried = differingExeTexts(from.texts, to.texts, notFound);
    carried.primaryLangId = to.languageIds.primary;
    carried.secondaryLangId = to.languageIds.secondary;
    carried.mayGrow = mayGrow || to.addedTexts > 0;
    return carried;
}

}  // namespace tarn
