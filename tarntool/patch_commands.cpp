// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool patch build: the end-user program for a game's object files, as the builder window
// makes it.
#include <iostream>
#include <memory>
#include <optional>

#include "common/file_io.h"
#include "common/utf8_path.h"
#include "enduser/carried_patcher.h"
#include "enduser/end_user_program.h"
#include "enduser/exe_texts_files.h"
#include "enduser/message_table.h"
#include "enduser/yes_set.h"
#include "objfiles/object_folder.h"
#include "objfiles/object_texts_document.h"
#include "platform/core/unicode_case.h"
#include "tarntool/arguments.h"
#include "tarntool/commands.h"
#include "tarntool/object_folder_input.h"

namespace tarn::tool {

namespace {

struct BuildOptions {
    std::string game;
    std::string out;
    std::optional<std::string> id;
    bool normalRle = false;
    std::optional<std::string> messages;
    std::optional<std::string> yesChars;
    std::optional<std::string> target;
    bool allowAnswerLetters = false;
    std::optional<std::string> exe;       // the translated executable
    std::optional<std::string> original;  // the original it was translated from
    bool grow = false;
};

// The last characters of a UTF-8 text, at most count of them.
std::string lastCharacters(const std::string& text, std::size_t count) {
    std::size_t start = text.size();
    for (std::size_t seen = 0; start > 0 && seen < count;) {
        --start;
        if ((static_cast<unsigned char>(text[start]) & 0xC0) != 0x80) {
            ++seen;
        }
    }
    return text.substr(start);
}

// The builder window's refusal of questions whose offered answer letter the yes characters do
// not take: a player typing it would be answering no.
void refuseOtherAnswerLetters(const EndUserOptions& options) {
    const std::vector<std::size_t> rows =
        questionsOfferingOtherAnswers(options.messages, options.yesChars);
    if (rows.empty()) {
        return;
    }
    std::string list;
    for (const std::size_t row : rows) {
        list += "\nMessage " + std::to_string(messageEntry(row)) + ": " +
                lastCharacters(options.messages[row], 40);
    }
    throw CommandError(kBadUse,
                       "These questions show an answer letter that is not one of the characters "
                       "meaning \"yes\" (" +
                           options.yesChars + "):" + list +
                           "\n\nPlayers who type that letter would be answering no. "
                           "--allow-answer-letters builds the program anyway.");
}

// The executable's texts, when asked for: --exe and --original together.
std::optional<CarriedExeTexts> carriedExeTexts(const BuildOptions& o) {
    if (!o.exe && !o.original) {
        return std::nullopt;
    }
    if (!o.exe || !o.original) {
        throw UsageError("--exe and --original go together");
    }
    return readingInput(*o.exe, [&] {
        return carriedExeTextsOf(pathFromUtf8(*o.original), pathFromUtf8(*o.exe), o.grow);
    });
}

// A Windows program's name ends in .exe, as the window's save dialog makes it.
std::string programFileName(const std::string& out, PatcherTarget target) {
    const std::string suffix = ".exe";
    if (target == PatcherTarget::Native ||
        (out.size() >= suffix.size() &&
         platform::upperCaseUtf8(out.substr(out.size() - suffix.size())) == ".EXE")) {
        return out;
    }
    return out + suffix;
}

int build(const BuildOptions& o) {
    PatcherTarget target = defaultPatcherTarget();
    if (o.target) {
        const auto chosen = patcherTargetFromName(*o.target);
        if (!chosen) {
            throw UsageError("--target must be windows, native or windows64");
        }
        target = *chosen;
    }
    EndUserOptions options;
    options.texts.enhancedRle = !o.normalRle;
    if (o.id) {
        options.texts.onlyId = static_cast<std::uint8_t>(parseNumber(*o.id, 0, 254, "--id"));
    }
    if (o.yesChars) {
        options.yesChars = *o.yesChars;
    }
    const std::optional<Bytes> patcher = carriedPatcher(target);
    if (!patcher) {
        std::cerr << "tarntool: this tarntool carries no " << patcherTargetName(target)
                  << " end-user program (it was built without the MinGW-w64 compilers)\n";
        return kFailed;
    }
    if (o.messages) {
        const Bytes lines =
            readingInput(*o.messages, [&] { return readWholeFile(pathFromUtf8(*o.messages)); });
        try {
            options.messages = parseMessageLines(toString(lines));
        } catch (const MessageTableError& e) {
            throw unreadableInput(*o.messages + ": " + e.what());
        }
    }
    if (!o.allowAnswerLetters) {
        refuseOtherAnswerLetters(options);
    }
    options.exeTexts = carriedExeTexts(o);
    const auto objData = findObjDataFolder(pathFromUtf8(o.game));
    if (!objData) {
        throw unreadableInput("there is no ObjData folder in " + o.game);
    }
    // A damaged file is refused: a program built without its texts would look complete.
    ObjectTextsDocument document;
    loadEveryObjectFile(document, *objData);
    writeFileAtomically(pathFromUtf8(programFileName(o.out, target)),
                        buildEndUserProgram(*patcher, document.files(), options),
                        fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec);
    return kOk;
}

}  // namespace

void addPatchCommands(Tool& tool) {
    CLI::App& patch = tool.addFamily("patch", "The end-user program", {});
    auto o = std::make_shared<BuildOptions>();
    CLI::App& buildCommand = tool.addCommand(
        patch,
        {"build", "Builds the end-user program that carries the texts of a game's object files",
         "build --game DIR -o OUT [--id N] [--normal-rle] [--messages FILE]\n"
         "                            [--yes-chars CHARS] [--target windows|native|windows64]\n"
         "                            [--allow-answer-letters]\n"
         "                            [--exe TRANSLATED --original ORIGINAL [--grow]]",
         "patch build takes --game DIR -o OUT"},
        [o] { return build(*o); });
    buildCommand.add_option("--game", o->game, "the translated game's folder (holds ObjData)")
        ->required()
        ->type_name("DIR");
    buildCommand
        .add_option("-o", o->out,
                    "the end-user program to write (NAME.exe for Windows, .exe added where it "
                    "lacks it; NAME for native)")
        ->required()
        ->type_name("OUT");
    addOptional(buildCommand, "--id", "N", o->id, "carries only the texts of this language ID");
    buildCommand.add_flag("--normal-rle", o->normalRle,
                          "the normal run-length encoder instead of the enhanced one");
    addOptional(buildCommand, "--messages", "FILE", o->messages,
                "a UTF-8 file of the 31 console messages, one a line (11, 15, 17 or 25 lines: "
                "the first 11, 15, 17 or 25)");
    addOptional(buildCommand, "--yes-chars", "CHARS", o->yesChars,
                "the characters that answer the program's questions with yes");
    addOptional(buildCommand, "--target", "SYSTEM", o->target,
                "the system the end-user program runs on: windows, native or windows64");
    buildCommand.add_flag("--allow-answer-letters", o->allowAnswerLetters,
                          "builds it although a question offers an answer letter that the yes "
                          "characters do not take");
    addOptional(buildCommand, "--exe", "TRANSLATED", o->exe,
                "also carries this translated executable's texts and language IDs (with "
                "--original)");
    addOptional(buildCommand, "--original", "ORIGINAL", o->original,
                "the original executable the texts of --exe were translated from");
    buildCommand.add_flag("--grow", o->grow,
                          "lets the player's executable grow where the texts do not fit (so "
                          "already when the translated executable grew)");
}

}  // namespace tarn::tool
