// SPDX-License-Identifier: GPL-3.0-or-later
// TarnPatch, the end-user program: applies the object texts attached to its own executable to
// the object files of the game folder it is run from, with a console dialogue. It keeps the
// files it changes (originals_backup.h) and, run with --restore, puts them back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "enduser/obj_texts.h"
#include "enduser/resource_bundle.h"
#include "enduser/yes_set.h"
#include "objfiles/obj_text_model.h"
#include "patcher/backup_sums.h"
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
    // error, 1 otherwise.
    int run();

    // The run of --restore: one question, then every kept original goes back over its object
    // file and the backup folder is removed. A file that changed since the patch wrote it (its
    // digest in BackupSums differs) goes back only when the player answers yes to "restore
    // anyway"; a file left so keeps its original in the folder. Answers 0 when all were
    // restored, 1 otherwise.
    int restore();

    // Message number with its inserts (UTF-8), as console text; "--Text not found!--" for a
    // missing or empty entry and when formatting fails.
    std::string loadMessage(unsigned number, const std::vector<std::string>& inserts = {}) const;

    // The header above the dialogue: message 17 where the patch carries it, else the built-in
    // one, which must also show when the message table is missing.
    std::u16string header() const;

    // Reads one answer line; yes when its first character is in the yes set.
    bool askYes();

    // The file loop; answers the error count.
    std::uint32_t processFiles(ObjTextsReader& reader);

    // Called after each object file was replaced, before it is read back: tests damage the
    // file here to prove that the check restores it.
    void setAfterReplaceForTesting(std::function<void(const fs::path&)> hook) {
        afterReplace_ = std::move(hook);
    }

private:
    enum class Outcome { Next, Stop };
    // The banner, then whether the message table is there (reported when it is not).
    bool showBannerAndCheckMessages();
    // Finds ObjData whatever its letter case.
    bool findObjData();
    int FatalError(unsigned number, const std::vector<std::string>& inserts = {});
    // The player answered no to a question before anything was done.
    int declined();
    // Asks whether to put back the original of a file that changed since the patch wrote it.
    bool askRestoreChanged(const std::string& name);
    std::string formatText(std::u16string text, const std::vector<std::string>& inserts) const;
    void finish(const std::string& summary, const std::vector<std::string>& more = {});
    void waitForEnter();
    void line(const std::string& text = {});
    void blankProgressLine();
    std::string displayPath(const std::string& name) const;
    Outcome processFile(ObjTextsReader& reader, const std::string& name);
    void replaceFile(const fs::path& path, const Bytes& before, const Bytes& after,
                     const ObjFileTexts& texts);
    void report(unsigned message, const std::string& what, const std::string& error);
    bool reportError(unsigned message, const std::string& name, const std::string& error);
    void reportTruncated(const std::string& name);

    ResourceBundle resources_;
    std::string resourceError_;
    fs::path gameFolder_;
    fs::path objData_;
    std::istream& in_;
    std::ostream& out_;
    std::optional<YesSet> yes_;
    bool enhanced_ = false;
    std::uint32_t errors_ = 0;
    OriginalsBackup backup_;
    BackupSums sums_;
    bool madeBackups_ = false;
    std::function<void(const fs::path&)> afterReplace_;
};

// Whether a command-line argument asks for the restore: "--restore", or "/restore" in any
// letter case as Windows programs take their switches.
bool isRestoreSwitch(const std::string& argument);

// Faults that the end-to-end tests inject into the program itself through the environment
// variable TARNPATCH_TEST_FAULT: "disk-full" makes every file write fail, "corrupt-written-files"
// damages each object file after it was replaced. Anything else, or nothing, injects nothing.
void injectTestFault(TarnPatch& patch, const char* fault);

// Whether a file name from OBJTEXTS names a file directly inside ObjData: not empty, not
// absolute, no path separator, no "..", no drive letter or other colon, no zero byte.
bool isPlainFileName(const std::string& name);

}  // namespace tarn
