// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/recovery_journal.h"

#include <algorithm>
#include <charconv>

#include "common/file_identity.h"
#include "common/text_lines.h"
#include "common/utf8_path.h"

namespace tarn {

namespace {

constexpr std::string_view kHeader = "TarnEdit recovery journal 1";
constexpr int kColumn = StringTableDocument::TranslatedColumn;

std::string hex(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

std::optional<std::string> fromHex(std::string_view text) {
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
        if (ec != std::errc() || end != text.data() + i + 2) {
            return std::nullopt;
        }
        out += static_cast<char>(value);
    }
    return out;
}

std::optional<unsigned> number(std::string_view text) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// The words of a line split at single spaces.
std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (true) {
        const std::size_t space = line.find(' ', start);
        out.push_back(line.substr(start, space - start));
        if (space == std::string_view::npos) {
            return out;
        }
        start = space + 1;
    }
}

// NAME.recovery or NAME.<16 hex digits>.recovery, either perhaps followed by .damaged; stem
// is "NAME.".
bool isJournalName(std::string_view name, std::string_view stem) {
    if (!name.starts_with(stem)) {
        return false;
    }
    name.remove_prefix(stem.size());
    if (name.ends_with(".damaged")) {
        name.remove_suffix(8);
    }
    if (name == "recovery") {
        return true;
    }
    return name.size() == 16 + 9 && name.ends_with(".recovery") &&
           std::all_of(name.begin(), name.begin() + 16,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

}  // namespace

std::filesystem::path recoveryJournalPath(const std::filesystem::path& settingsFile,
                                          const std::filesystem::path& executable) {
    std::error_code ec;
    std::filesystem::path real = std::filesystem::weakly_canonical(executable, ec);
    if (ec) {
        real = std::filesystem::absolute(executable, ec);
    }
    const std::string name = pathToUtf8(real);
    const std::uint64_t digest =
        hashBytes({reinterpret_cast<const std::uint8_t*>(name.data()), name.size()});
    std::string digits(16, '0');
    for (std::size_t i = 0; i < digits.size(); ++i) {
        digits[i] = "0123456789abcdef"[(digest >> (60 - 4 * i)) & 15];
    }
    return settingsFile.parent_path() /
           pathFromUtf8(pathToUtf8(settingsFile.stem()) + "." + digits + ".recovery");
}

std::filesystem::path sharedRecoveryJournalPath(const std::filesystem::path& settingsFile) {
    std::filesystem::path journal = settingsFile;
    journal.replace_extension(".recovery");
    return journal;
}

std::filesystem::path damagedJournalPath(const std::filesystem::path& journal) {
    std::filesystem::path damaged = journal;
    damaged += ".damaged";
    return damaged;
}

std::vector<std::filesystem::path> recoveryJournalsBeside(
    const std::filesystem::path& settingsFile) {
    const std::string stem = pathToUtf8(settingsFile.stem()) + ".";
    std::vector<std::filesystem::path> journals;
    std::error_code ec;
    const std::filesystem::path folder =
        settingsFile.has_parent_path() ? settingsFile.parent_path() : ".";
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = pathToUtf8(entry.path().filename());
        if (isJournalName(name, stem) && entry.is_regular_file(ec)) {
            journals.push_back(entry.path());
        }
    }
    std::sort(journals.begin(), journals.end());
    return journals;
}

RecoveryJournal journalOf(const StringTableDocument& document, const std::string& file,
                          const std::string& time) {
    RecoveryJournal journal{file, time, std::nullopt, {}};
    const TranslatedFileState& disk = document.onDisk();
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        const auto i = static_cast<std::size_t>(row - 1);
        const CellText now = document.cellText(row, kColumn);
        if (i >= disk.texts.size() || !(now == CellText{disk.texts[i], false})) {
            journal.texts.emplace_back(row, now);
        }
    }
    const LanguageIds ids{document.primaryLangId(), document.secondaryLangId()};
    if (!(ids == disk.languageIds)) {
        journal.languageIds = ids;
    }
    return journal;
}

std::string formatJournal(const RecoveryJournal& journal) {
    std::string out =
        std::string(kHeader) + "\nfile=" + journal.file + "\ntime=" + journal.time + "\n";
    if (journal.languageIds) {
        out += "ids=" + std::to_string(journal.languageIds->primary) + " " +
               std::to_string(journal.languageIds->secondary) + "\n";
    }
    for (const auto& [row, cell] : journal.texts) {
        out +=
            "text=" + std::to_string(row) + (cell.asTyped ? " 1 " : " 0 ") + hex(cell.text) + "\n";
    }
    return out + "end\n";
}

std::optional<RecoveryJournal> parseJournal(std::string_view text) {
    JournalReading reading = readJournal(text);
    if (reading.damaged) {
        return std::nullopt;
    }
    return std::move(reading.journal);
}

JournalReading readJournal(std::string_view text) {
    std::vector<std::string_view> lines = textLines(text);
    JournalReading reading;
    if (lines.empty() || lines.front() != kHeader) {
        reading.damaged = !text.empty();
        return reading;
    }
    // A last line without its line end was cut off, however well it reads.
    if (!text.ends_with('\n')) {
        lines.pop_back();
    }
    reading.damaged = lines.size() < 2 || lines.back() != "end";
    if (!reading.damaged) {
        lines.pop_back();
    }
    RecoveryJournal journal;
    bool named = false;
    const auto readable = [&] {
        reading.damaged = true;
        if (named) {
            reading.journal = std::move(journal);
        }
        return std::move(reading);
    };
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            return readable();
        }
        const std::string_view key = line.substr(0, eq);
        const std::string_view value = line.substr(eq + 1);
        if (key == "file") {
            journal.file = value;
            named = true;
        } else if (key == "time") {
            journal.time = value;
        } else if (key == "ids") {
            const auto w = words(value);
            const auto primary = w.size() == 2 ? number(w[0]) : std::nullopt;
            const auto secondary = w.size() == 2 ? number(w[1]) : std::nullopt;
            if (!primary || !secondary || *primary > 255 || *secondary > 255) {
                return readable();
            }
            journal.languageIds = LanguageIds{static_cast<std::uint8_t>(*primary),
                                              static_cast<std::uint8_t>(*secondary)};
        } else if (key == "text") {
            const auto w = words(value);
            const auto row = w.size() == 3 ? number(w[0]) : std::nullopt;
            const auto bytes = w.size() == 3 ? fromHex(w[2]) : std::nullopt;
            if (!row || *row < 1 || *row > StringTableDocument::kRows || !bytes ||
                (w[1] != "0" && w[1] != "1")) {
                return readable();
            }
            journal.texts.emplace_back(static_cast<int>(*row), CellText{*bytes, w[1] == "1"});
        } else {
            return readable();
        }
    }
    if (reading.damaged) {
        return readable();
    }
    if (named) {
        reading.journal = std::move(journal);
    } else {
        reading.damaged = true;
    }
    return reading;
}

std::unique_ptr<SetTextsCommand> recoveryStep(StringTableDocument& document,
                                              const RecoveryJournal& journal) {
    auto step = std::make_unique<SetTextsCommand>(
        document, countedName("Recover unsaved edits", static_cast<int>(journal.editCount())));
    for (const auto& [row, cell] : journal.texts) {
        if (!(document.cellText(row, kColumn) == cell)) {
            step->add(row, kColumn, cell);
        }
    }
    const LanguageIds now{document.primaryLangId(), document.secondaryLangId()};
    const bool setsIds = journal.languageIds && !(*journal.languageIds == now);
    if (setsIds) {
        step->setLangIds(journal.languageIds->primary, journal.languageIds->secondary);
    }
    if (step->empty() && !setsIds) {
        return nullptr;
    }
    return step;
}

}  // namespace tarn
