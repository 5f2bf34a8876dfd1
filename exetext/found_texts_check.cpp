// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/found_texts_check.h"

#include <string>

#include "common/errors.h"
#include "common/utf8_path.h"
#include "exetext/string_table_reader.h"

namespace tarn {

FoundTexts countFoundTexts(ByteSource& file, const ExeLayout& layout) {
    FoundTexts count;
    for (const std::uint32_t pointer : readPointers(file, layout.build().pointerBlocks)) {
        ++count.total;
        if (addressToPosition(layout.textAreas, pointer)) {
            ++count.found;
        }
    }
    return count;
}

void refuseUnrecognisedExecutable(const std::filesystem::path& path, ByteSource& file,
                                  const ExeLayout& layout) {
    FoundTexts count;
    try {
        count = countFoundTexts(file, layout);
    } catch (const StreamReadError& e) {
        throw FileError(pathToUtf8(path) + ": " + e.what());
    }
    if (100 * static_cast<long long>(count.found) >=
        static_cast<long long>(kLeastFoundPercent) * count.total) {
        return;
    }
    throw FileError(pathToUtf8(path) + ": " + std::to_string(count.total - count.found) + " of " +
                    std::to_string(count.total) + " texts cannot be found, so this is not a build " +
                    std::to_string(layout.profile) + " (" +
                    std::string(layout.build().variantName) + ") executable; nothing written");
}

}  // namespace tarn
