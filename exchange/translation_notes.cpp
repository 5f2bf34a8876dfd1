// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/translation_notes.h"

#include "common/errors.h"
#include "common/file_io.h"
#include "common/utf8_path.h"

namespace tarn {

namespace {

constexpr std::string_view kFirstLine =
    "# Notes on a translation of Tarn, written by TarnEdit and tarntool (UTF-8).";
constexpr std::string_view kLastTranslator = "Last-Translator: ";
constexpr std::string_view kLanguageTeam = "Language-Team: ";
constexpr std::string_view kNote = "note: ";
constexpr std::string_view kNeedsReview = " needs review";

// A value that stays on its line: line breaks and other control characters become spaces.
std::string oneLine(std::string_view value) {
    std::string line(value);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    return line;
}

std::string_view withoutCarriageReturn(std::string_view line) {
    return line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
}

}  // namespace

std::filesystem::path notesPathFor(const std::filesystem::path& translated) {
    std::filesystem::path path = translated;
    path += ".tarnnotes";
    return path;
}

std::string formatTranslationNotes(const TranslationNotes& notes) {
    std::string text(kFirstLine);
    text += '\n';
    if (!notes.lastTranslator.empty()) {
        text += std::string(kLastTranslator) + oneLine(notes.lastTranslator) + '\n';
    }
    if (!notes.languageTeam.empty()) {
        text += std::string(kLanguageTeam) + oneLine(notes.languageTeam) + '\n';
    }
    for (const auto& [context, note] : notes.texts) {
        if (note.empty()) {
            continue;
        }
        text += "\n[" + oneLine(context) + "]" + (note.needsReview ? std::string(kNeedsReview) : "") +
                '\n';
        for (const std::string& line : note.lines) {
            text += std::string(kNote) + oneLine(line) + '\n';
        }
    }
    return text;
}

TranslationNotes parseTranslationNotes(std::string_view text, const std::string& fileName) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);  // a byte-order mark, as some editors write one
    }
    TranslationNotes notes;
    TextNote* entry = nullptr;
    std::size_t lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = withoutCarriageReturn(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        const auto refuse = [&](const std::string& why) {
            throw FileError(fileName + ": line " + std::to_string(lineNumber) + ": " + why);
        };
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        if (line.starts_with('[')) {
            std::string_view rest = line;
            const bool needsReview = rest.ends_with(kNeedsReview);
            if (needsReview) {
                rest.remove_suffix(kNeedsReview.size());
            }
            if (rest.size() < 3 || !rest.ends_with(']')) {
                refuse("an entry is \"[CONTEXT]\" or \"[CONTEXT] needs review\"");
            }
            const std::string context(rest.substr(1, rest.size() - 2));
            if (notes.texts.contains(context)) {
                refuse("a second entry for " + context);
            }
            entry = &notes.texts[context];
            entry->needsReview = needsReview;
        } else if (entry != nullptr && line.starts_with(kNote)) {
            entry->lines.emplace_back(line.substr(kNote.size()));
        } else if (entry == nullptr && line.starts_with(kLastTranslator)) {
            notes.lastTranslator = line.substr(kLastTranslator.size());
        } else if (entry == nullptr && line.starts_with(kLanguageTeam)) {
            notes.languageTeam = line.substr(kLanguageTeam.size());
        } else {
            refuse(entry == nullptr ? "expected Last-Translator:, Language-Team: or an entry"
                                    : "expected \"note: \" or the next entry");
        }
    }
    return notes;
}

TranslationNotes readTranslationNotes(const std::filesystem::path& path) {
    if (!std::filesystem::exists(std::filesystem::symlink_status(path))) {
        return {};
    }
    return parseTranslationNotes(toString(readWholeFile(path)), pathToUtf8(path));
}

void writeTranslationNotes(const std::filesystem::path& path, const TranslationNotes& notes) {
    const std::string text = formatTranslationNotes(notes);
    if (text == formatTranslationNotes({}) &&
        !std::filesystem::exists(std::filesystem::symlink_status(path))) {
        return;
    }
    writeFileAtomically(path, toBytes(text));
}

}  // namespace tarn
