// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a game's ObjData folder as a command's input.
#pragma once

#include <filesystem>

#include "objfiles/object_texts_document.h"

namespace tarn::tool {

// Loads every object file of objData into document. Every file that cannot be read is named on
// standard error, and then the command is refused as unreadable input (status 2): a command
// never goes on with part of the game's texts.
void loadEveryObjectFile(ObjectTextsDocument& document, const std::filesystem::path& objData);

// Says on standard error which files a save into the document's folder wrote and which not
// before it was cut off, and how to finish it; nothing when no save was cut off.
void reportUnfinishedSave(const ObjectTextsDocument& document);

}  // namespace tarn::tool
