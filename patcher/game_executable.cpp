// SPDX-License-Identifier: GPL-3.0-or-later
#include "patcher/game_executable.h"

#include <algorithm>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/folder_handle.h"
#include "common/partial_file.h"
#include "common/sha256.h"
#include "exetext/exe_profile.h"
#include "exetext/executable_texts.h"
#include "exetext/space_budget.h"
#include "platform/core/paths.h"
#include "platform/core/unicode_case.h"

namespace tarn {

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
    ExecutableTexts read;
    PartialFile file(game, name);
    readExecutableTexts(file, read);
    ExecutablePlan plan;
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
        const SpaceBudget budget = spaceBudget(profileByNumber(read.profile).textAreas, plan.texts,
                                               Notation::Raw, carried.mayGrow);
        plan.fits = budget.fits();
        if (!plan.fits) {
            plan.overflow = spaceBudgetText(budget);
        }
    } else {
        plan.fits = true;
    }
    return plan;
}

}  // namespace tarn
