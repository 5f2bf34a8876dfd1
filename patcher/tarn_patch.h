// SPDX-License-Identifier: GPL-3.0-or-later
// TarnPatch, the end-user program: applies the object texts attached to its own executable to
// the object files of the game folder it is run from, with a console dialogue. It keeps the
// files it changes (originals_backup.h) and, run with --restore, puts them back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <future>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/sha256.h"
#include "enduser/exe_texts_resource.h"
#include "enduser/object_texts.h"
#include "enduser/object_identity.h"
#include "enduser/resource_bundle.h"
#include "enduser/yes_set.h"
#include "objfiles/object_text_model.h"
#include "patcher/backup_sums.h"
#include "patcher/game_executable.h"
#include "patcher/originals_backup.h"

namespace tarn {

namespace fs = std::filesystem;

class TarnPatch {
public:
    // resources: the bundle of the program's own executable (empty when it has none);
    // resourceError: why it could not be read, if so. gameFolder holds "ObjData".
    TarnPatch(ResourceBundle resources, std::string resourceError, fs::path gameFolder,
              std::istream& in, std::ostream& out);

    // The whole run; answers the exit code: 0 when every file was processed without an
    // error, 1 otherwise, 2 when the carried data is damaged (nothing asked, nothing written).
    // A file that is not the object its texts were made for (OBJIDENT), a link, or one of two
    // names differing only in letter case is named and left unchanged, counted as an error.
    int run();

    // The run of --restore: one question, then every kept original goes back over its object
    // file and the backup folder is removed. A file that changed since the patch wrote it (its
    // confirmed digest in BackupSums differs, or only a pending one is there) goes back only
    // when the player answers yes to "restore anyway"; a file left so keeps its original in
    // the folder. Answers 0 when all were restored, 1 otherwise.
    int restore();

    // The usage (message 23); when the console is the program's own it waits for ENTER, so
    // that the window does not close at once. Answers 0 when it was asked for, else 2.
    int usage(const std::string& programName, bool asked);

    // Whether the console window closes with the program (started by a double click).
    void setOwnConsole(bool own) { ownConsole_ = own; }

    // Message number with its inserts (UTF-8), as console text; "--Text not found!--" for a
    // missing or empty entry and when formatting fails.
    std::string loadMessage(unsigned number, const std::vector<std::string>& inserts = {}) const;

    // The header above the dialogue: message 17 where the patch carries it, else the built-in
    // one, which must also show when the message table is missing.
    std::u16string header() const;

    // Reads one answer line; yes when its first character is in the yes set.
    bool askYes();

    // The file loop; answers the error count.
    std::uint32_t processFiles(ObjectTextsReader& reader);

    // The game executable the player named (TarnPatch FILE: its file name counts), for a
    // folder that holds more than one; and the program's own file, never taken for the game.
    void setNamedExecutable(std::string name) { namedExecutable_ = std::move(name); }
    void setOwnProgram(fs::path path) { ownProgram_ = std::move(path); }

    // Called after each object file and the game executable were replaced, before they are
    // read back: tests damage the file here to prove that the check restores it.
    void setAfterReplaceForTesting(std::function<void(const fs::path&)> hook) {
        afterReplace_ = std::move(hook);
    }
    // Called with each object file's name, and the game executable's, after its checks, just
    // before it is written (patched or restored): tests plant links here to prove that a check
    // is never trusted for the write.
    void setBeforeWriteForTesting(std::function<void(const std::string&)> hook) {
        beforeWrite_ = std::move(hook);
    }

private:
    enum class Outcome { Next, Stop };
    // The banner, then whether the message table is there (reported when it is not).
    bool showBannerAndCheckMessages();
    // Finds ObjData whatever its letter case and refuses links in the places the program
    // writes; the exit code of the fatal error when it fails.
    std::optional<int> checkGameFolder();
    // Whether ObjData holds at least one of the files the patch carries texts for.
    bool holdsGameFiles(const Bytes& objectTexts) const;
    int FatalError(unsigned number, const std::vector<std::string>& inserts = {}, int status = 1,
                   const std::string& detail = {});
    // The player answered no to a question before anything was done.
    int declined();
    // Asks whether to put back the original of a file that changed since the patch wrote it.
    bool askRestoreChanged(const std::string& shown);
    std::string formatText(std::u16string text, const std::vector<std::string>& inserts) const;
    void finish(const std::string& summary, const std::vector<std::string>& more = {});
    void waitForEnter();
    void line(const std::string& text = {});
    void blankProgressLine();
    std::string displayPath(const std::string& name) const;
    Outcome processFile(ObjectTextsReader& reader, const std::string& name);
    // Reads past the texts of a file left unchanged.
    Outcome skipRecord(ObjectTextsReader& reader, const std::string& name);
    // The ObjData entry of a carried name; nullopt, reported, when it is refused.
    std::optional<std::string> objectFile(const std::string& name);
    // A link found below the game folder, as the messages name it.
    std::string shownLink(const LinkError& link) const;
    // A run cut off after writing a file leaves its digest pending: a file that holds just
    // what the digest names has it confirmed.
    void confirmPendingDigest(const std::string& name, const Bytes& content);
    // Counts an error shown as one message.
    void refuse(unsigned message, const std::vector<std::string>& inserts);
    void replaceFile(const std::string& name, const Bytes& before, const Bytes& after,
                     const ObjectFileTexts& texts);
    void report(unsigned message, const std::string& what, const std::string& error);
    bool reportError(unsigned message, const std::string& name, const std::string& error);
    void reportTruncated(const std::string& name);
    // The game executable and what the carried texts do to it, planned before any file is
    // written; Stop when the texts do not fit and the player will not go on without them.
    struct ExecutableWork {
        fs::path path;
        ExecutablePlan plan;
        // The digest of the file as the planned write leaves it, taken on a thread of its own
        // from the moment the write is planned (while the object files are written). Last, so
        // that it is waited for before the plan it reads goes.
        std::shared_future<Sha256Digest> digest;
    };
    Outcome planGameExecutable(std::optional<ExecutableWork>& work);
    // Keeps the original (with the digest of what replaces it, pending until it reads back),
    // then writes the texts and the language IDs through the editor's save.
    void writeGameExecutable(const ExecutableWork& work);
    // Puts the kept game executable back (asking when it changed since, errors counted);
    // false when the original stays kept.
    bool restoreGameExecutable(std::size_t& restored);

    ResourceBundle resources_;
    std::string resourceError_;
    fs::path gameFolder_;
    fs::path objData_;
    std::optional<FolderHandle> objDataFolder_;  // ObjData held open, reached without links
    std::istream& in_;
    std::ostream& out_;
    std::optional<YesSet> yes_;
    bool enhanced_ = false;
    std::uint32_t errors_ = 0;
    OriginalsBackup backup_;
    BackupSums sums_;
    bool madeBackups_ = false;
    bool ownConsole_ = false;
    std::optional<std::map<std::string, ObjectIdentity>> identities_;
    std::vector<FolderHandle::Entry> objects_;  // the entries of ObjData
    std::function<void(const fs::path&)> afterReplace_;
    std::function<void(const std::string&)> beforeWrite_;
    std::optional<CarriedExeTexts> exeTexts_;  // the executable's texts, when carried
    std::string namedExecutable_;
    fs::path ownProgram_;
    OriginalsBackup exeBackup_;
    BackupSums exeSums_;
    bool stopped_ = false;  // the player stopped the run after an error
};

// Whether a command-line argument asks for the restore: "--restore", or "/restore" in any
// letter case as Windows programs take their switches.
bool isRestoreSwitch(const std::string& argument);

// What the command line asks for. Arguments that are no options (a file dropped on the
// program passes its name) are ignored; an option is "-" followed by anything, or "/" and a
// word without a path separator or dot.
enum class Command { Patch, Restore, Help, Unknown };
Command commandOf(const std::vector<std::string>& arguments);

// The game executable a patch run's arguments name: the file name of the first one (a file
// dropped on the program passes its path); empty for none.
std::string namedExecutableOf(const std::vector<std::string>& arguments);

// The game folder: the current folder when it holds ObjData, else the program's own folder
// when that one does, else the current folder.
fs::path chooseGameFolder(const fs::path& current, const fs::path& programFolder);

// Faults that the end-to-end tests inject into the program itself through the environment
// variable TARNPATCH_TEST_FAULT: "disk-full" makes every file write fail, "corrupt-written-files"
// damages each object file after it was replaced. Anything else, or nothing, injects nothing.
void injectTestFault(TarnPatch& patch, const char* fault);

// Whether a file name from OBJTEXTS names a file directly inside ObjData: not empty, not
// absolute, no path separator, no "..", no drive letter or other colon, no zero byte.
bool isPlainFileName(const std::string& name);

}  // namespace tarn
