// SPDX-License-Identifier: GPL-3.0-or-later
// What the PO commands of every window share: their captions, their file dialog, the header of
// the files they write and the box that reports an export or an import.
#pragma once

#include <QString>
#include <filesystem>
#include <string>

#include "app/widgets/file_prompt.h"
#include "exchange/document_po.h"
#include "exchange/po_header.h"

namespace tarn {

QString exportPoCaption();  // "Export translation (PO)"
QString importPoCaption();  // "Import translation (PO)"

// The file dialog of an export (a file to write, proposedName the name it starts with) or an
// import, under the given objectName.
FilePrompt poFilePrompt(bool exporting, const QString& objectName,
                        const QString& proposedName = {});

// The header of a PO file TarnEdit writes, dated now, with the translation's language code;
// without one the Language is left for the tool to ask.
PoHeaderFields tarnEditPoHeader(const std::string& language = {});

// The box that reports an export or an import: information, or an error listing the problems.
void showPoReport(const std::string& text, const QString& caption, bool failed);

// The file name of the character table file ("" for none), as PO headers name it.
std::string characterTableName(const std::string& tableFile);

// The translation's notes at notesPath (none for an empty path or a missing file) and the
// characters of the page. Raises FileError for a notes file that cannot be read.
PoCompanions readPoCompanions(const std::filesystem::path& notesPath, const CodePage& codePage,
                              const std::string& tableName);

// After an import refused for its messages' problems alone (skipProblemsQuestion has a
// question): shows the problems and asks whether to import the good entries and skip the
// others. Answers yes.
bool askToSkipProblems(const PoImportReport& report, const QString& caption);

}  // namespace tarn
