// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/po_header.h"

#include <algorithm>
#include <stdexcept>

#include "platform/core/utc_time.h"

namespace tarn {

PoHeaderFields poHeader(std::string_view language, std::string_view version, std::time_t written,
                        std::string_view program) {
    if (!language.empty() && !isPoLanguageCode(language)) {
        throw std::invalid_argument("not a language code: \"" + std::string(language) + "\"");
    }
    const std::tm utc = platform::utcTime(written);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%d %H:%M+0000", &utc);
    return {
        {"Project-Id-Version", "Tarn"},
        {"PO-Revision-Date", date},
        {"Last-Translator", ""},
        {"Language-Team", ""},
        {"Language", std::string(language)},
        {"MIME-Version", "1.0"},
        {"Content-Type", "text/plain; charset=UTF-8"},
        {"Content-Transfer-Encoding", "8bit"},
        {"X-Generator", std::string(program) + (version.empty() ? "" : " ") + std::string(version)},
    };
}

bool isPoLanguageCode(std::string_view language) {
    return !language.empty() && std::all_of(language.begin(), language.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.' || c == '@';
    });
}

std::string proposedPoLanguage(std::string_view spellingLanguage, int codePage) {
    if (!spellingLanguage.empty() && isPoLanguageCode(spellingLanguage)) {
        std::string language(spellingLanguage);
        std::replace(language.begin(), language.end(), '-', '_');
        return language;
    }
    static constexpr std::pair<int, const char*> kLanguages[] = {
        {874, "th"},  {1250, "pl"}, {1251, "ru"}, {1253, "el"}, {1254, "tr"},
        {1255, "he"}, {1256, "ar"}, {1257, "lt"}, {1258, "vi"},
    };
    for (const auto& [page, language] : kLanguages) {
        if (page == codePage) {
            return language;
        }
    }
    return {};
}

}  // namespace tarn
