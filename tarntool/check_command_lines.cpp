// SPDX-License-Identifier: GPL-3.0-or-later
// The command lines of exe budget, exe check and obj check.
#include <memory>

#include "tarntool/arguments.h"
#include "tarntool/check_commands.h"
#include "tarntool/commands.h"

namespace tarn::tool {

namespace {

void addSkipOption(CLI::App& command, std::vector<std::string>& skip) {
    command.add_option("--skip", skip, "leaves out the findings of this check (repeatable)")
        ->type_name("CHECK")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

void addSpellingOptions(CLI::App& command, SpellingOptions& options) {
    addOptional(command, "--spelling", "LANG", options.language,
                "also checks the translations' spelling with this language's dictionary "
                "(pl, de_DE, ...)");
    addOptional(command, "--dictionary-dir", "DIR", options.dictionaryFolder,
                "looks for the dictionary here first, then in the program's dictionaries "
                "folder, the user's and the system's");
}

}  // namespace

void addCheckCommands(Tool& tool) {
    auto budget = std::make_shared<ExeBudgetOptions>();
    CLI::App& budgetCommand = tool.addCommand(
        tool.family("exe"),
        {"budget",
         "Prints the free bytes a save would leave, or by how much the texts are too long",
         "budget TRANSLATED [TEXTS] [--grow] [--json] [--code-page N]",
         "exe budget takes TRANSLATED and an optional TEXTS"},
        [budget] { return exeBudget(*budget); });
    budgetCommand.add_option("TRANSLATED", budget->translated, "the translated executable")
        ->required()
        ->type_name("");
    addOptional(budgetCommand, "TEXTS", "", budget->texts,
                "a texts file (the executable's own texts without it)");
    budgetCommand.add_flag("--grow", budget->grow,
                           "counts on a section added for the texts that do not fit");
    budgetCommand.add_flag("--json", budget->json,
                           "prints every figure as JSON: the longest text that would still fit, "
                           "whether over is at least that, texts longer than the largest area "
                           "and what goes to an added section");
    addCodePageOption(budgetCommand, budget->codePage);

    auto check = std::make_shared<ExeCheckOptions>();
    CLI::App& checkCommand =
        tool.addCommand(tool.family("exe"),
                        {"check", "Checks every translated text against its original",
                         "check ORIGINAL TRANSLATED [--json] [--code-page N]\n"
                         "                              [--skip CHECK]... [--spelling LANG "
                         "[--dictionary-dir DIR]]",
                         "exe check takes ORIGINAL and TRANSLATED"},
                        [check] { return exeCheck(*check); });
    checkCommand.add_option("ORIGINAL", check->original, "the original executable")
        ->required()
        ->type_name("");
    checkCommand.add_option("TRANSLATED", check->translated, "the translated executable")
        ->required()
        ->type_name("");
    checkCommand.add_flag("--json", check->json, "one JSON array instead of lines");
    addCodePageOption(checkCommand, check->codePage);
    addSkipOption(checkCommand, check->skip);
    addSpellingOptions(checkCommand, check->spelling);

    auto objectCheckOptions = std::make_shared<ObjectCheckOptions>();
    CLI::App& objCheckCommand = tool.addCommand(
        tool.family("obj"),
        {"check", "Checks each text group's target-language text against its source",
         "check GAME_DIR --source-id S --target-id T [--json] [--code-page N]\n"
         "                              [--skip CHECK]... [--spelling LANG [--dictionary-dir DIR]]",
         "obj check takes GAME_DIR --source-id S --target-id T"},
        [objectCheckOptions] { return objCheck(*objectCheckOptions); });
    objCheckCommand.add_option("GAME_DIR", objectCheckOptions->gameDir, "the game's folder")
        ->required()
        ->type_name("");
    objCheckCommand.add_option("--source-id", objectCheckOptions->sourceId, "the source language ID")
        ->required()
        ->type_name("S");
    objCheckCommand.add_option("--target-id", objectCheckOptions->targetId, "the target language ID")
        ->required()
        ->type_name("T");
    objCheckCommand.add_flag("--json", objectCheckOptions->json, "one JSON array instead of lines");
    addCodePageOption(objCheckCommand, objectCheckOptions->codePage);
    addSkipOption(objCheckCommand, objectCheckOptions->skip);
    addSpellingOptions(objCheckCommand, objectCheckOptions->spelling);
}

}  // namespace tarn::tool
