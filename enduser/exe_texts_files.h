// SPDX-License-Identifier: GPL-3.0-or-later
// The executable's carried texts from the translator's two files, as tarntool's `patch build
// --exe --original` and the builder window's "Include the executable's texts and language" take
// them.
#pragma once

#include <filesystem>

#include "enduser/exe_texts_resource.h"

namespace tarn {

// The texts of the translated executable that differ from the original's (a text either file
// cannot resolve is left out), the translated file's language IDs, and whether the player's
// executable may grow: when mayGrow is set, or when the translated file grew. Raises FileError
// (naming the file) as readExecutableTexts does.
CarriedExeTexts carriedExeTextsOf(const std::filesystem::path& original,
                                  const std::filesystem::path& translated, bool mayGrow);

}  // namespace tarn
