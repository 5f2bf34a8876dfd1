// SPDX-License-Identifier: GPL-3.0-or-later
// The object files' texts as PO messages, between two language IDs.
//
//   #: ObjData/Creature.dat:1      the file in the game folder and the group counted from 0, as
//                                  obj set and obj check count groups
//   msgctxt "obj/Creature.dat/2"   file name as the folder lists it, 1-based group number
//   msgid "text with the source ID"
//   msgstr "text with the target ID"   empty when the group has none
//
// One message per group that has a text with the source ID (the first such entry), files in
// folder order, groups in table order. Line breaks at the ends as for the executable's texts.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <functional>

#include "exchange/po_file.h"
#include "exchange/po_import.h"
#include "exchange/po_text.h"
#include "objfiles/object_text_model.h"
#include "objfiles/object_texts_document.h"

namespace tarn {

std::string objectContext(const std::string& fileName, std::size_t groupNumber);

// "ObjData/Creature.dat": the file a message's reference names.
std::string objectReferenceFile(const std::string& fileName);

struct ObjectContext {
    std::string fileName;
    std::size_t groupNumber = 0;  // 1-based
};
// "obj/NAME/G" with G a decimal number from 1, without leading zeros.
std::optional<ObjectContext> parseObjectContext(std::string_view context);

// Whether context names a group of one of files.
std::function<bool(const std::string& context)> namesObjectGroup(const std::vector<ObjectFile>& files);

// Files whose names are not UTF-8 cannot be named in a msgctxt: each adds "NAME: ..." to
// problems and gets no messages.
std::vector<PoEntry> objectTextsToPo(const std::vector<ObjectFile>& files, std::uint8_t sourceId,
                                  std::uint8_t targetId, const CodePage& codePage,
                                  std::vector<Problem>& problems);

// Applies a PO file's messages to files: every message with a translation that is not fuzzy
// sets the text with the target ID in its group, or appends one, and marks the file Modified.
// files is changed only when the report has no problems, unless those messages are to be skipped.
PoImportReport applyObjectPo(std::vector<ObjectFile>& files, const std::vector<PoEntry>& entries,
                          std::uint8_t targetId, const CodePage& codePage,
                          TypedCodes typedCodes = TypedCodes::Refused,
                          PoProblems problems = PoProblems::RefuseFile);

// applyObjectPo over the document's files, as one step of its history named after the texts it
// changes; null (and the document untouched) when the report has problems that refuse the file.
std::unique_ptr<ObjectTextsEdit> objectPoStep(ObjectTextsDocument& document,
                                           const std::vector<PoEntry>& entries,
                                           std::uint8_t targetId, const CodePage& codePage,
                                           PoImportReport& report,
                                           TypedCodes typedCodes = TypedCodes::Refused,
                                           PoProblems problems = PoProblems::RefuseFile);

}  // namespace tarn
