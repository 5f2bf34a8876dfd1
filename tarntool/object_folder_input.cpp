// SPDX-License-Identifier: GPL-3.0-or-later
#include "tarntool/object_folder_input.h"

#include <iostream>
#include <string>
#include <vector>

#include "common/utf8_path.h"
#include "tarntool/command_error.h"

namespace tarn::tool {

void reportUnfinishedSave(const ObjectTextsDocument& document) {
    if (const auto& save = document.unfinishedSave()) {
        const std::filesystem::path folder = document.folder().empty() ? "." : document.folder();
        for (const std::string& line : unfinishedSaveLines(*save, pathToUtf8(folder))) {
            std::cerr << "tarntool: " << line << "\n";
        }
    }
}

void loadEveryObjectFile(ObjectTextsDocument& document, const std::filesystem::path& objData) {
    const std::vector<Problem> problems = document.loadFolder(objData);
    reportUnfinishedSave(document);
    if (problems.empty()) {
        return;
    }
    for (const Problem& problem : problems) {
        std::cerr << "tarntool: " << describe(problem) << "\n";
    }
    throw unreadableInput("");  // reported above
}

}  // namespace tarn::tool
