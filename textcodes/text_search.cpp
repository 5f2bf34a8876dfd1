// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/text_search.h"

#include <algorithm>
#include <array>


namespace tarn {
namespace {

// Compares bytes either exactly or after folding both to upper case in the code page.
class ByteEquality {
public:
    ByteEquality(bool caseSensitive, const CodePage& codePage)
        : fold_(caseSensitive ? nullptr : &codePage.upperTable()) {}

    bool operator()(char a, char b) const {
        auto ua = static_cast<unsigned char>(a);
        auto ub = static_cast<unsigned char>(b);
        return fold_ == nullptr ? ua == ub : (*fold_)[ua] == (*fold_)[ub];
    }

private:
    const std::array<unsigned char, 256>* fold_;
};

bool equalAt(std::string_view hay, std::size_t at, std::string_view needle,
             const ByteEquality& eq) {
    return hay.size() - at >= needle.size() &&
           std::equal(needle.begin(), needle.end(), hay.begin() + at, eq);
}

// 0-based index of the first occurrence, or npos.
std::size_t findSubstring(std::string_view hay, std::string_view needle, const ByteEquality& eq) {
    auto it = std::search(hay.begin(), hay.end(), needle.begin(), needle.end(), eq);
    return it == hay.end() ? std::string_view::npos : static_cast<std::size_t>(it - hay.begin());
}

// 0-based index of the first occurrence that starts and ends at word boundaries, or npos.
std::size_t findWholeWord(std::string_view hay, std::string_view needle, const ByteEquality& eq) {
    for (std::size_t i = 0; i < hay.size(); ++i) {
        if (i > 0 && !isWordDelimiter(static_cast<unsigned char>(hay[i - 1]))) {
            continue;
        }
        if (!equalAt(hay, i, needle, eq)) {
            continue;
        }
        std::size_t end = i + needle.size();
        if (end >= hay.size() || isWordDelimiter(static_cast<unsigned char>(hay[end]))) {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace

bool isWordDelimiter(unsigned char byte) {
    return WordDelimiters.find(static_cast<char>(byte)) != std::string_view::npos;
}

bool textMatches(std::string_view searchText, std::string_view cellText,
                 const SearchOptions& options) {
    if (searchText.empty()) {
        return false;
    }
    ByteEquality eq(options.caseSensitive, options.codePage);
    std::size_t at = options.wholeWords ? findWholeWord(cellText, searchText, eq)
                                        : findSubstring(cellText, searchText, eq);
    return at != std::string_view::npos;
}

std::size_t findMatch(std::string_view toFind, std::string_view text,
                      const SearchOptions& options) {
    if (toFind.empty()) {
        return 0;
    }
    ByteEquality eq(options.caseSensitive, options.codePage);
    if (options.wholeText) {
        return text.size() == toFind.size() && equalAt(text, 0, toFind, eq) ? 1 : 0;
    }
    std::size_t at =
        options.wholeWords ? findWholeWord(text, toFind, eq) : findSubstring(text, toFind, eq);
    return at == std::string_view::npos ? 0 : at + 1;
}

}  // namespace tarn
