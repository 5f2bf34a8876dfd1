// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/temporary_files.h"

#include "common/this_process.h"
#include "common/utf8_path.h"

namespace tarn {

namespace {

constexpr std::string_view kMarker = ".tmp-";
constexpr std::size_t kUniqueLength = 6;
// Room left for the marker, a process id and the unique part within a 255-byte name.
constexpr std::size_t kMaxTargetPart = 200;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isUniqueCharacter(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

std::string temporaryNameFor(std::string_view targetName, unsigned long pid,
                             std::string_view unique) {
    if (targetName.size() > kMaxTargetPart) {
        std::size_t cut = kMaxTargetPart;
        // Never split a UTF-8 sequence: step back over continuation bytes.
        while (cut > 0 && (static_cast<unsigned char>(targetName[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        targetName = targetName.substr(0, cut);
    }
    std::string name = ".";
    name += targetName;
    name += kMarker;
    name += std::to_string(pid);
    name += '-';
    name += unique;
    return name;
}

std::optional<unsigned long> temporaryNameOwner(std::string_view name) {
    if (name.size() < 1 + kMarker.size() + 2 + kUniqueLength || name.front() != '.') {
        return std::nullopt;
    }
    const std::string_view unique = name.substr(name.size() - kUniqueLength);
    for (const char c : unique) {
        if (!isUniqueCharacter(c)) {
            return std::nullopt;
        }
    }
    std::string_view rest = name.substr(0, name.size() - kUniqueLength);
    if (rest.back() != '-') {
        return std::nullopt;
    }
    rest.remove_suffix(1);
    const std::size_t digitsStart = rest.find_last_not_of("0123456789") + 1;
    const std::string_view digits = rest.substr(digitsStart);
    rest = rest.substr(0, digitsStart);
    if (digits.empty() || digits.size() > 10 || digits.front() == '0' ||
        rest.size() <= kMarker.size() || rest.substr(rest.size() - kMarker.size()) != kMarker) {
        return std::nullopt;
    }
    unsigned long pid = 0;
    for (const char c : digits) {
        pid = pid * 10 + static_cast<unsigned long>(c - '0');
    }
    return pid;
}

// On Windows a temporary file still open by its writer cannot be removed either.
void removeAbandonedTemporaries(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string name = pathToUtf8(it->path().filename());
        const auto owner = temporaryNameOwner(name);
        if (owner && !processRuns(*owner)) {
            std::error_code ignored;
            if (it->is_regular_file(ignored)) {
                std::filesystem::remove(it->path(), ignored);
            }
        }
    }
}

}  // namespace tarn
