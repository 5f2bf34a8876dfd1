// Command-line parsing shared by the obj, patch and sample-game commands: positional
// arguments, options with a value (-o OUT, --id N) and switches (--normal-rle).
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tarntool/commands.h"

namespace tarn::tool {

// Bad use of a command: reported on standard error, exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CommandLine {
public:
    // Parses args from index first; raises UsageError for unknown options or missing values.
    CommandLine(const Args& args, std::size_t first, const std::set<std::string>& valueOptions,
                const std::set<std::string>& switches);

    const std::vector<std::string>& positional() const { return positional_; }
    std::optional<std::string> value(const std::string& option) const;
    bool has(const std::string& option) const { return switches_.count(option) != 0; }

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
    std::set<std::string> switches_;
};

// A decimal number from first to last; raises UsageError naming what it is.
unsigned parseNumber(const std::string& text, unsigned first, unsigned last,
                     const std::string& what);

// A file can be created in the folder of path (checked before anything is written).
bool canCreateIn(const std::string& path);

// Lower-case hex digits of bytes, and back (raises UsageError for malformed hex).
std::string toHex(const std::string& bytes);
std::string fromHex(const std::string& hex);

}  // namespace tarn::tool
