// SPDX-License-Identifier: GPL-3.0-or-later
#include "patcher/game_executable.h"

#include <algorithm>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/folder_handle.h"
#include "common/partial_file.h"
#include "common/sha256.h"
#include "exetext/added_section.h"
#include "exetext/exe_profile.h"
#include "exetext/executable_texts.h"
#include "exetext/space_budget.h"
#include "exetext/string_table_writer.h"
#include "platform/core/paths.h"
#include "platform/core/unicode_case.h"

namespace tarn {

namespace {

// A sentence as a clause inside another: "The file cannot grow." as "the file cannot grow".
std::string asClause(std::string sentence) {
    if (!sentence.empty() && sentence.back() == '.') {
        sentence.pop_back();
    }
    if (!sentence.empty() && sentence[0] >= 'A' && sentence[0] <= 'Z') {
        sentence[0] = static_cast<char>(sentence[0] - 'A' + 'a');
    }
    return sentence;
}

}  // namespace

std::vector<fs::path> findGameExecutables(const fs::path& gameFolder, const fs::path& ownProgram) {
    std::vector<fs::path> found;
    std::error_code ec;
    const FolderHandle game = FolderHandle::open(gameFolder);
    std::vector<FolderHandle::Entry> entries = game.list();
    platform::sortByUpperCaseName(entries);
    for (const FolderHandle::Entry& listed : entries) {
        const std::string& name = listed.name;
        const fs::path entry = game.pathOf(name);
        if (name.size() < 4 || platform::upperCaseUtf8(name.substr(name.size() - 4)) != ".EXE" ||
            listed.kind != FolderHandle::Kind::File ||
            (!ownProgram.empty() && fs::equivalent(entry, ownProgram, ec))) {
            continue;
        }
        try {
            PartialFile file(game, name);
            executableProfile(file);  // by its size, or by its added section's record
            found.push_back(entry);
        } catch (const FileError&) {
            // Another program, or one that cannot be read: not the game.
        }
    }
    return found;
}

ExecutablePlan planExecutable(const FolderHandle& game, const std::string& name,
                              const CarriedExeTexts& carried) {
    ExecutablePlan plan;
    plan.identity = takeFileIdentity(game, name, {FilePart{0, 0}});
    ExecutableTexts read;
    plan.file = std::make_shared<PartialFile>(game, name);
    PartialFile& file = *plan.file;
    readExecutableTexts(file, read);
    plan.texts = std::move(read.texts);
    for (const CarriedExeText& text : carried.texts) {
        const auto index = static_cast<std::size_t>(text.number - 1);
        const bool missing =
            index >= plan.texts.size() ||
            std::binary_search(read.notFound.begin(), read.notFound.end(), text.number);
        if (missing) {
            ++plan.kept;
        } else if (plan.texts[index] == text.translated) {
            ++plan.done;
        } else if (sha256(plan.texts[index]) == text.original) {
            plan.texts[index] = text.translated;
            ++plan.written;
        } else {
            ++plan.kept;
        }
    }
    const auto total = static_cast<std::int64_t>(carried.texts.size());
    plan.matchPercent = total == 0 ? 100 : static_cast<int>((total - plan.kept) * 100 / total);
    plan.known = (total - plan.kept) * 100 >= total * kKnownExecutablePercent;
    plan.changes = plan.written > 0 || read.languageIds.primary != carried.primaryLangId ||
                   read.languageIds.secondary != carried.secondaryLangId;
    if (plan.known && plan.changes) {
        plan.prepared = prepareTexts(plan.texts, Notation::Raw);
        SaveOptions options;
        options.primaryLangId = carried.primaryLangId;
        options.secondaryLangId = carried.secondaryLangId;
        options.grow = carried.mayGrow;
        std::string refused;
        try {
            plan.write = planSaveWrite(file, game.pathOf(name), plan.prepared, options);
        } catch (const GrowRefused& e) {
            refused = asClause(e.what());
        }
        plan.fits = plan.write.placed;
        if (!plan.fits) {
            const SpaceBudget budget = spaceBudget(profileByNumber(read.profile).textAreas,
                                                   plan.prepared, options.grow && refused.empty());
            plan.overflow = refused.empty() ? spaceBudgetText(budget)
                            : budget.fits() ? refused
                                            : spaceBudgetText(budget) + "; " + refused;
        }
    } else {
        plan.fits = true;
    }
    return plan;
}

}  // namespace tarn
