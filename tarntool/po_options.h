// SPDX-License-Identifier: GPL-3.0-or-later
// What the PO commands of the exe and obj families share: the --language and --code-page
// options, the header of the files they write, and their reports on standard error.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "exchange/po_file.h"
#include "exchange/po_import.h"
#include "tarntool/arguments.h"

namespace tarn::tool {

struct PoTextOptions {
    std::optional<std::string> language;  // "de", "pt_BR"
    CodePageOptions codePage;             // --code-page, --table
    bool allowTypedCodes = false;         // imports only
};

void addLanguageOption(CLI::App& command, PoTextOptions& options);

// The code page of the options. Raises UsageError for an unknown code page or a language code
// that could break the header.
CodePage checkPoTextOptions(const PoTextOptions& options);

PoHeaderFields poHeaderFor(const PoTextOptions& options);

// Whether an import refuses characters on game codes (--allow-typed-codes).
TypedCodes typedCodesOf(const PoTextOptions& options);

// The messages of a PO file; its warnings go to standard error, its problems are appended to
// problems.
std::vector<PoEntry> readPoMessages(const std::string& path, std::vector<std::string>& problems);

// Unknown msgctxt warnings on standard error ("FILE.po: unknown msgctxt ...").
void reportWarnings(const std::string& poPath, const PoImportReport& report);

void printLines(std::ostream& out, const std::vector<std::string>& lines,
                const std::string& prefix = "");

}  // namespace tarn::tool
