// Argument values shared by the commands: optional options, bounded numbers, code pages, hex
// bytes.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "common/code_page.h"

namespace tarn::tool {

// An option with one value (shown as valueName in the help) that may be left out.
CLI::Option* addOptional(CLI::App& command, const std::string& name, const std::string& valueName,
                         std::optional<std::string>& value, const std::string& description);

// A decimal number from first to last; raises UsageError naming what it is.
unsigned parseNumber(const std::string& text, unsigned first, unsigned last,
                     const std::string& what);

// --code-page N on a command that reads or writes texts as characters.
void addCodePageOption(CLI::App& command, std::optional<std::string>& value);
// The code page of --code-page, 1252 without it. Raises UsageError ("unknown code page N;
// supported: 874, 1250, ...") for a number that is not supported.
CodePage parseCodePage(const std::optional<std::string>& value);

// Raises UsageError ("cannot write PATH") unless a file can be created in the folder of path
// (checked before anything is written).
void requireWritableFolder(const std::string& path);

// Lower-case hex digits of bytes, and back (raises UsageError for malformed hex).
std::string toHex(const std::string& bytes);
std::string fromHex(const std::string& hex);

}  // namespace tarn::tool
