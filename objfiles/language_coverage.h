// SPDX-License-Identifier: GPL-3.0-or-later
// Which text groups hold a language: the groups still lacking the translation's language, and
// the same files with that language added to each of them (an empty text, as a new entry has).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "objfiles/object_text_model.h"

namespace tarn {

// A group with texts none of which is in the language. A table without entries has nothing to
// translate and lacks nothing.
bool lacksLanguageId(const ObjectTextGroup& group, std::uint8_t id);

struct LanguageAdded {
    std::vector<ObjectFile> files;  // the files given, every group holding the ID
    std::size_t groups = 0;      // how many groups it was added to
};

// The ID appended, with an empty text, to every group of the files that lacks it.
LanguageAdded withLanguageIdEverywhere(std::vector<ObjectFile> files, std::uint8_t id);

}  // namespace tarn
