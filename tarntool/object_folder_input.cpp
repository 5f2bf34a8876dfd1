// SPDX-License-Identifier: GPL-3.0-or-later
#include "tarntool/object_folder_input.h"

#include <iostream>
#include <string>
#include <vector>

#include "tarntool/command_error.h"

namespace tarn::tool {

void loadEveryObjectFile(ObjectTextsDocument& document, const std::filesystem::path& objData) {
    const std::vector<std::string> problems = document.loadFolder(objData);
    if (problems.empty()) {
        return;
    }
    for (const std::string& problem : problems) {
        std::cerr << "tarntool: " << problem << "\n";
    }
    throw unreadableInput("");  // reported above
}

}  // namespace tarn::tool
