// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/po_notes.h"

#include <string_view>

namespace tarn {

namespace {

constexpr const char* kLastTranslator = "Last-Translator";
constexpr const char* kLanguageTeam = "Language-Team";

// The field's value, or null when the header has no such field.
template <typename Header>
auto headerValue(Header& header, std::string_view field) -> decltype(&header.front().second) {
    for (auto& [name, value] : header) {
        if (name == field) {
            return &value;
        }
    }
    return nullptr;
}

// The value a team set: gettext's placeholders and empty fields are no one's.
bool isTeamValue(const std::string& value) {
    return !value.empty() && value != "FULL NAME <EMAIL@ADDRESS>" &&
           value != "LANGUAGE <LL@li.org>";
}

}  // namespace

void addNotesToPo(std::vector<PoEntry>& entries, PoHeaderFields& header,
                  const TranslationNotes& notes) {
    for (PoEntry& entry : entries) {
        const auto found = notes.texts.find(entry.context);
        if (!entry.hasContext || found == notes.texts.end()) {
            continue;
        }
        entry.comments = found->second.lines;
        entry.fuzzy = entry.fuzzy || found->second.needsReview;
    }
    const std::pair<const char*, const std::string*> team[] = {
        {kLastTranslator, &notes.lastTranslator}, {kLanguageTeam, &notes.languageTeam}};
    for (const auto& [field, value] : team) {
        std::string* slot = headerValue(header, field);
        if (!value->empty() && slot != nullptr) {
            *slot = *value;
        }
    }
}

void acceptFuzzyUnderReview(std::vector<PoEntry>& entries, const TranslationNotes& notes) {
    for (PoEntry& entry : entries) {
        const auto found = notes.texts.find(entry.context);
        if (entry.fuzzy && entry.hasContext && found != notes.texts.end() &&
            found->second.needsReview) {
            entry.fuzzy = false;
        }
    }
}

void takeNotesFromPo(TranslationNotes& notes, const std::vector<PoEntry>& entries,
                     const PoHeaderFields& header,
                     const std::function<bool(const std::string& context)>& known) {
    for (const PoEntry& entry : entries) {
        if (!entry.hasContext || !known(entry.context)) {
            continue;
        }
        TextNote note{entry.comments, entry.fuzzy && !entry.translation.empty()};
        if (note.empty()) {
            notes.texts.erase(entry.context);
        } else {
            notes.texts[entry.context] = std::move(note);
        }
    }
    const std::pair<const char*, std::string*> team[] = {
        {kLastTranslator, &notes.lastTranslator}, {kLanguageTeam, &notes.languageTeam}};
    for (const auto& [field, kept] : team) {
        if (const std::string* value = headerValue(header, field); value && isTeamValue(*value)) {
            *kept = *value;
        }
    }
}

}  // namespace tarn
