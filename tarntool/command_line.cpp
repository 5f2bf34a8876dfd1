#include "tarntool/command_line.h"

#include <unistd.h>

#include <charconv>
#include <filesystem>

#include "common/file_io.h"

namespace tarn::tool {

CommandLine::CommandLine(const Args& args, std::size_t first,
                         const std::set<std::string>& valueOptions,
                         const std::set<std::string>& switches) {
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            positional_.push_back(arg);
        } else if (switches.count(arg)) {
            switches_.insert(arg);
        } else if (valueOptions.count(arg)) {
            if (i + 1 == args.size()) {
                throw UsageError(arg + " needs a value");
            }
            values_[arg] = args[++i];
        } else {
            throw UsageError("unknown option " + arg);
        }
    }
}

std::optional<std::string> CommandLine::value(const std::string& option) const {
    const auto it = values_.find(option);
    if (it == values_.end()) {
        return std::nullopt;
    }
    return it->second;
}

unsigned parseNumber(const std::string& text, unsigned first, unsigned last,
                     const std::string& what) {
    unsigned n = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, n);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || n < first || n > last) {
        throw UsageError(what + " must be a number from " + std::to_string(first) + " to " +
                         std::to_string(last) + ", not \"" + text + "\"");
    }
    return n;
}

bool canCreateIn(const std::string& path) {
    const std::filesystem::path parent =
        std::filesystem::path(path).has_parent_path() ? std::filesystem::path(path).parent_path()
                                                      : ".";
    return directoryExists(parent) && ::access(parent.c_str(), W_OK) == 0;
}

std::string toHex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        hex.push_back(digits[b >> 4]);
        hex.push_back(digits[b & 15]);
    }
    return hex;
}

std::string fromHex(const std::string& hex) {
    auto nibble = [&](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        throw UsageError("\"" + hex + "\" is not hex");
    };
    if (hex.size() % 2 != 0) {
        throw UsageError("\"" + hex + "\" is not hex: odd number of digits");
    }
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        bytes.push_back(static_cast<char>(nibble(hex[i]) * 16 + nibble(hex[i + 1])));
    }
    return bytes;
}

}  // namespace tarn::tool
