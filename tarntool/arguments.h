// Argument values shared by the commands: optional options, bounded numbers, hex bytes.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace tarn::tool {

// An option with one value (shown as valueName in the help) that may be left out.
CLI::Option* addOptional(CLI::App& command, const std::string& name, const std::string& valueName,
                         std::optional<std::string>& value, const std::string& description);

// A decimal number from first to last; raises UsageError naming what it is.
unsigned parseNumber(const std::string& text, unsigned first, unsigned last,
                     const std::string& what);

// Lower-case hex digits of bytes, and back (raises UsageError for malformed hex).
std::string toHex(const std::string& bytes);
std::string fromHex(const std::string& hex);

}  // namespace tarn::tool
