// SPDX-License-Identifier: GPL-3.0-or-later
#include "patcher/tarn_patch.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/folder_handle.h"
#include "common/sha256.h"
#include "enduser/message_formatter.h"
#include "enduser/message_table.h"
#include "enduser/utf16_text.h"
#include "objfiles/object_container.h"
#include "objfiles/object_folder.h"
#include "objfiles/text_tables.h"
#include "platform/core/console.h"
#include "platform/core/paths.h"
#include "platform/core/unicode_case.h"

namespace tarn {

namespace {

const char* const kBanner = "Tarn Object Text Changer";
const char* const kNoResources =
    "ERROR: No language resources were found, the executable file may be corrupt!";
const char* const kPressEnterToFinish = "Press Enter to finish program.";
const char16_t* const kTextNotFound = u"--Text not found!--";
const char* const kTextsEndEarly = "The attached texts end early - the executable may be corrupt";

// The longest message text the program takes, as the Windows string loader fills a buffer of
// 1023 units.
constexpr std::size_t kMaxMessageLength = 1022;

}  // namespace

bool isPlainFileName(const std::string& name) {
    if (name.empty() || name.find('\0') != std::string::npos) {
        return false;
    }
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
        name.find(':') != std::string::npos || name.find("..") != std::string::npos) {
        return false;
    }
    return name != "." && !fs::path(name).is_absolute();
}

TarnPatch::TarnPatch(ResourceBundle resources, std::string resourceError, fs::path gameFolder,
                     std::istream& in, std::ostream& out)
    : resources_(std::move(resources)),
      resourceError_(std::move(resourceError)),
      gameFolder_(std::move(gameFolder)),
      in_(in),
      out_(out),
      backup_(gameFolder_),
      sums_(gameFolder_),
      exeBackup_(gameFolder_, kExeBackupFolderName),
      exeSums_(gameFolder_, kExeSumsName, kExePendingSumsName) {}

std::string TarnPatch::loadMessage(unsigned number, const std::vector<std::string>& inserts) const {
    std::u16string text = loadString(resources_, number);
    // The backup's messages came later; programs built before them leave them empty.
    if (text.empty() && number > kMsgYesChars) {
        text = utf8ToUtf16(defaultMessage(number)).value_or(std::u16string());
    }
    return formatText(std::move(text), inserts);
}

std::string TarnPatch::formatText(std::u16string text,
                                  const std::vector<std::string>& inserts) const {
    if (text.size() > kMaxMessageLength) {
        text.resize(kMaxMessageLength);
    }
    std::optional<std::u16string> formatted;
    if (!text.empty()) {
        std::vector<std::u16string> wide;
        for (const std::string& insert : inserts) {
            wide.push_back(bytesToUtf16(insert));
        }
        formatted = formatMessage(text, wide, 80, kMaxMessageLength);
    }
    return platform::toConsoleText(formatted ? *formatted : std::u16string(kTextNotFound));
}

void TarnPatch::line(const std::string& text) {
    out_ << text << platform::consoleLineEnd();
}

void TarnPatch::waitForEnter() {
    out_.flush();
    std::string ignored;
    std::getline(in_, ignored);
}

bool TarnPatch::askYes() {
    out_.flush();
    std::string answer;
    if (!std::getline(in_, answer)) {
        return false;
    }
    if (!answer.empty() && answer.back() == '\r') {
        answer.pop_back();
    }
    return yes_->answers(answer);
}

std::u16string TarnPatch::header() const {
    std::u16string text = loadString(resources_, kMsgHeader);
    // One console line: the underline below it must match it.
    text = text.substr(0, std::min(text.find_first_of(u"\r\n"), std::size_t{79}));
    if (!text.empty() && text.back() >= 0xD800 && text.back() < 0xDC00) {
        text.pop_back();  // half a character cut off at the end
    }
    if (text.empty()) {
        const std::string builtIn = kBanner;
        text.assign(builtIn.begin(), builtIn.end());
    }
    return text;
}

int TarnPatch::declined() {
    finish(loadMessage(kMsgNothingChanged));
    return 1;
}

int TarnPatch::FatalError(unsigned number, const std::vector<std::string>& inserts, int status,
                          const std::string& detail) {
    line(loadMessage(number, inserts));
    if (!detail.empty()) {
        line(platform::nativeToConsoleText(detail));
    }
    line();
    line(loadMessage(kMsgPressEnter));
    waitForEnter();
    return status;
}

int TarnPatch::usage(const std::string& programName, bool asked) {
    line(loadMessage(kMsgUsage, {programName}));
    if (ownConsole_) {
        line();
        line(loadMessage(kMsgPressEnter));
        waitForEnter();
    }
    out_.flush();
    return asked ? 0 : 2;
}

bool TarnPatch::showBannerAndCheckMessages() {
    const std::u16string banner = header();
    std::size_t characters = 0;
    for (std::size_t i = 0; i < banner.size(); ++characters) {
        platform::nextUtf16(banner, i);
    }
    line(platform::toConsoleText(banner));
    line(std::string(characters, '-'));
    line();

    const bool found = std::any_of(resources_.resources().begin(), resources_.resources().end(),
                                   [](const Resource& r) {
                                       return r.key.type == kStringTableType &&
                                              r.key.name == ResourceName::number(kMessageTableName);
                                   });
    if (!found) {
        line(kNoResources);
        if (!resourceError_.empty()) {
            line(platform::nativeToConsoleText(resourceError_));
        }
        line();
        line(kPressEnterToFinish);
        waitForEnter();
    }
    return found;
}

std::optional<int> TarnPatch::checkGameFolder() {
    // Links are refused below the game folder; the folder itself may be reached through one.
    // Said before any question; every later use goes through the folders' handles again.
    std::optional<FolderHandle> game;
    std::optional<std::string> objData;
    try {
        game = FolderHandle::open(gameFolder_);
        objData = platform::findEntryIgnoringCase(*game, "ObjData");
        for (const fs::path& place :
             {fs::path(objData.value_or("")), backup_.folder(), sums_.file(), sums_.pendingFile(),
              exeBackup_.folder(), exeSums_.file(), exeSums_.pendingFile()}) {
            const std::string name = place.filename().string();
            if (!place.empty() && game->kind(name) == FolderHandle::Kind::Link) {
                return FatalError(kMsgLink, {name});
            }
        }
        if (objData) {
            objDataFolder_ = game->folder(*objData);
        }
    } catch (const LinkError& e) {
        return FatalError(kMsgLink, {shownLink(e)});
    } catch (const FileError&) {
        objDataFolder_.reset();  // no game folder, or ObjData is no folder
    }
    if (!objDataFolder_) {
        return FatalError(kMsgNoObjData);
    }
    objData_ = objDataFolder_->path();
    try {
        objects_ = objDataFolder_->list();
    } catch (const std::exception& e) {
        return FatalError(kMsgOpenError, {"ObjData"}, 1, e.what());
    }
    return std::nullopt;
}

bool TarnPatch::holdsGameFiles(const Bytes& objectTexts) const {
    std::vector<std::string> names;
    if (identities_) {
        for (const auto& [name, identity] : *identities_) {
            names.push_back(name);
        }
    } else {
        ObjectTextsReader reader(objectTexts);
        try {
            reader.readHeader();
            for (std::uint32_t i = 0; i < reader.fileCount(); ++i) {
                names.push_back(reader.readFileName());
                ObjectFileTexts none;
                applyNewTexts(reader.stream(), none);
            }
        } catch (const StreamReadError&) {
            // The names read so far; the run reports the rest.
        }
    }
    if (names.empty()) {
        return true;  // a patch of nothing: there is nothing to look for
    }
    for (const FolderHandle::Entry& entry : objects_) {
        const std::string upper = platform::upperCaseUtf8(entry.name);
        for (const std::string& name : names) {
            if (platform::upperCaseUtf8(name) == upper) {
                return true;
            }
        }
    }
    return false;
}

void TarnPatch::finish(const std::string& summary, const std::vector<std::string>& more) {
    line(summary);
    for (const std::string& text : more) {
        line(text);
    }
    line();
    line(loadMessage(kMsgPressEnter));
    waitForEnter();
}

int TarnPatch::run() {
    if (!showBannerAndCheckMessages()) {
        return 1;
    }
    const Bytes* objectTexts = resources_.find({kRawDataType, ResourceName::string(kObjectTextsName), 0});
    // Data too short for its own header cannot be the texts either.
    if (objectTexts == nullptr || objectTexts->size() < 5) {
        return FatalError(kMsgNoNewTexts);
    }
    // Programs built before the identities carry the texts alone, unchecked.
    if (const Bytes* identities =
            resources_.find({kRawDataType, ResourceName::string(kObjectIdentName), 0})) {
        try {
            identities_ = readObjectIdentities(*identities, *objectTexts);
        } catch (const CarriedDataError& e) {
            return FatalError(kMsgDamagedData, {}, 2, e.what());
        }
    }
    // Programs built before it carry no texts for the executable.
    if (const Bytes* exeTexts =
            resources_.find({kRawDataType, ResourceName::string(kExeTextsName), 0})) {
        try {
            exeTexts_ = readCarriedExeTexts(*exeTexts, *objectTexts);
        } catch (const CarriedDataError& e) {
            return FatalError(kMsgDamagedData, {}, 2, e.what());
        }
    }
    if (const auto failed = checkGameFolder()) {
        return *failed;
    }
    if (!holdsGameFiles(*objectTexts)) {
        return FatalError(kMsgNoGameFiles);
    }
    yes_.emplace(loadString(resources_, kMsgYesChars));

    out_ << loadMessage(kMsgQuestion);
    if (!askYes()) {
        return declined();
    }
    // The executable's placement is settled before any file is written: texts that do not
    // fit leave it alone, and the player decides whether the object files go on without it.
    std::optional<ExecutableWork> executable;
    std::uint32_t errors = 0;
    if (exeTexts_) {
        errors_ = 0;
        if (planGameExecutable(executable) == Outcome::Stop) {
            return declined();
        }
        errors = errors_;
    }
    {
        ObjectTextsReader reader(*objectTexts);
        errors += processFiles(reader);
    }
    bool keptExecutable = false;
    if (executable && !stopped_) {
        errors_ = 0;
        keptExecutable = exeBackup_.exists();
        writeGameExecutable(*executable);
        keptExecutable = !keptExecutable && exeBackup_.exists();
        errors += errors_;
    }
    std::vector<std::string> more;
    if (madeBackups_) {
        more.push_back(loadMessage(kMsgBackupKept, {kBackupFolderName}));
    }
    if (keptExecutable) {
        more.push_back(loadMessage(kMsgBackupKept, {kExeBackupFolderName}));
    }
    finish(errors == 0 ? loadMessage(kMsgAllOk)
                       : loadMessage(kMsgFinishedWithErrors, {std::to_string(errors)}),
           more);
    return errors == 0 ? 0 : 1;
}

int TarnPatch::restore() {
    if (!showBannerAndCheckMessages()) {
        return 1;
    }
    if (const auto failed = checkGameFolder()) {
        return *failed;
    }
    if (!backup_.exists() && !exeBackup_.exists()) {
        return FatalError(kMsgNoBackup, {kBackupFolderName});
    }
    yes_.emplace(loadString(resources_, kMsgYesChars));

    out_ << loadMessage(kMsgRestoreQuestion);
    if (!askYes()) {
        return declined();
    }
    errors_ = 0;
    std::size_t restored = 0;
    std::size_t leftAlone = 0;
    const std::string folderName = backup_.folder().filename().string();
    const std::string separator = fs::path("/").make_preferred().string();
    try {
        try {
            sums_.load();
        } catch (const std::exception& e) {
            // Without the digests every original goes back, as before they were kept.
            report(kMsgOpenError, kBackupSumsName, e.what());
        }
        const std::vector<OriginalsBackup::Item> plan = backup_.exists()
                                                            ? backup_.restorePlan(*objDataFolder_)
                                                            : std::vector<OriginalsBackup::Item>{};
        for (const OriginalsBackup::Item& item : plan) {
            const std::string name = item.backup.filename().string();
            if (!item.caseTwins.empty()) {
                refuse(kMsgCaseTwins, {displayPath(item.caseTwins[0].filename().string()),
                                       displayPath(item.caseTwins[1].filename().string())});
                continue;
            }
            if (!item.link.empty()) {
                refuse(kMsgLink, {item.link == item.backup ? folderName + separator + name
                                                           : displayPath(name)});
                continue;
            }
            if (!item.refusal.empty()) {
                report(kMsgOpenError, folderName + separator + name, item.refusal);
                continue;
            }
            const std::string target = item.target.filename().string();
            try {
                const Bytes current = objDataFolder_->read(target);
                // Already the original, say after a restore that stopped half-way: nothing
                // to do, and nothing counted.
                if (current == item.data) {
                    continue;
                }
                // A digest that is only pending vouches for nothing: the run that recorded it
                // may have ended before the file was written, or after, and the file changed.
                const std::string digest = sha256Hex(current);
                const auto confirmed = sums_.digestOf(target);
                const bool asWritten =
                    confirmed ? *confirmed == digest : !sums_.pendingDigestOf(target);
                if (!asWritten && !askRestoreChanged(displayPath(target))) {
                    ++leftAlone;
                    continue;
                }
            } catch (const std::exception& e) {
                report(kMsgOpenError, displayPath(target), e.what());
                continue;
            }
            try {
                if (beforeWrite_) {
                    beforeWrite_(target);
                }
                OriginalsBackup::restore(*objDataFolder_, item);
                ++restored;
            } catch (const LinkError& e) {
                refuse(kMsgLink, {shownLink(e)});
            } catch (const std::exception& e) {
                report(kMsgSaveError, displayPath(target), e.what());
            }
        }
        // The folder goes only when everything came back, and only once the restored files
        // are durable: what could not be restored, or was left alone, stays kept.
        if (errors_ == 0 && leftAlone == 0 && backup_.exists()) {
            objDataFolder_->flush();
            backup_.remove();
            sums_.removeWithLeftovers();
        }
    } catch (const LinkError& e) {
        refuse(kMsgLink, {shownLink(e)});
    } catch (const std::exception& e) {
        report(kMsgOpenError, folderName, e.what());
    }
    const bool executableLeft = !restoreGameExecutable(restored);
    std::vector<std::string> more;
    if (errors_ != 0) {
        more.push_back(loadMessage(kMsgFinishedWithErrors, {std::to_string(errors_)}));
    }
    if (leftAlone != 0) {
        more.push_back(loadMessage(kMsgBackupKept, {folderName}));
    }
    if (executableLeft) {
        more.push_back(loadMessage(kMsgBackupKept, {exeBackup_.folder().filename().string()}));
    }
    finish(loadMessage(kMsgRestored, {std::to_string(restored)}), more);
    return errors_ == 0 && leftAlone == 0 && !executableLeft ? 0 : 1;
}

bool TarnPatch::askRestoreChanged(const std::string& shown) {
    line();
    line(loadMessage(kMsgChangedSincePatch, {shown}));
    std::u16string question = loadString(resources_, kMsgRestoreAnyway);
    const auto english = utf8ToUtf16(defaultMessage(kMsgRestoreAnyway));
    if (question.empty() || question == english) {
        // Not translated (or built before it could be): the English question, with the
        // player's own yes letter in the hint, as the translated questions show theirs.
        const char32_t yes = yes_->answers("y") ? U'Y' : platform::simpleUpperCase(yes_->first());
        std::u16string letter;
        if (yes > 0xFFFF) {
            letter += static_cast<char16_t>(0xD800 + ((yes - 0x10000) >> 10));
            letter += static_cast<char16_t>(0xDC00 + ((yes - 0x10000) & 0x3FF));
        } else {
            letter += static_cast<char16_t>(yes);
        }
        question = u"Restore anyway? [" + letter + u"/N]";
    }
    out_ << formatText(question, {});
    return askYes();
}

void TarnPatch::blankProgressLine() {
    out_ << std::string(79, ' ') << '\r';
    out_.flush();
}

std::string TarnPatch::displayPath(const std::string& name) const {
    return "ObjData" + fs::path("/").make_preferred().string() + name;
}

void TarnPatch::refuse(unsigned message, const std::vector<std::string>& inserts) {
    ++errors_;
    line();
    line(loadMessage(message, inserts));
}

void TarnPatch::report(unsigned message, const std::string& what, const std::string& error) {
    ++errors_;
    line();
    line(loadMessage(message, {what}));
    line(platform::nativeToConsoleText(error));
}

bool TarnPatch::reportError(unsigned message, const std::string& name, const std::string& error) {
    report(message, displayPath(name), error);
    out_ << loadMessage(kMsgIgnoreError);
    return askYes();
}

void TarnPatch::reportTruncated(const std::string& name) {
    ++errors_;
    line();
    line(loadMessage(kMsgOpenError,
                     {name.empty() ? std::string(kObjectTextsName) : displayPath(name)}));
    line(kTextsEndEarly);
}

std::uint32_t TarnPatch::processFiles(ObjectTextsReader& reader) {
    errors_ = 0;
    line(loadMessage(kMsgProcessing));
    line();
    try {
        sums_.load();
    } catch (const std::exception&) {
        // Recording a digest reads the lists again and reports what fails then.
    }
    try {
        reader.readHeader();
    } catch (const StreamReadError&) {
        reportTruncated({});
        return errors_;
    }
    enhanced_ = reader.enhancedRle();
    for (std::uint32_t i = 1; i <= reader.fileCount(); ++i) {
        std::string name;
        try {
            name = reader.readFileName();
        } catch (const StreamReadError&) {
            reportTruncated({});
            return errors_;
        }
        blankProgressLine();
        out_ << loadMessage(kMsgProgress, {name, std::to_string(reader.fileCount() - i)}) << '\r';
        out_.flush();
        if (processFile(reader, name) == Outcome::Stop) {
            stopped_ = true;
            return errors_;
        }
    }
    blankProgressLine();
    return errors_;
}

TarnPatch::Outcome TarnPatch::skipRecord(ObjectTextsReader& reader, const std::string& name) {
    ObjectFileTexts none;
    try {
        applyNewTexts(reader.stream(), none);
    } catch (const StreamReadError&) {
        reportTruncated(name);
        return Outcome::Stop;
    }
    return Outcome::Next;
}

std::optional<std::string> TarnPatch::objectFile(const std::string& name) {
    const std::string upper = platform::upperCaseUtf8(name);
    std::vector<const FolderHandle::Entry*> matches;
    for (const FolderHandle::Entry& entry : objects_) {
        if (platform::upperCaseUtf8(entry.name) == upper) {
            matches.push_back(&entry);
        }
    }
    // Windows cannot hold both, so the game cannot mean either of them.
    if (matches.size() > 1) {
        refuse(kMsgCaseTwins, {displayPath(matches[0]->name), displayPath(matches[1]->name)});
        return std::nullopt;
    }
    if (!matches.empty() && matches[0]->kind == FolderHandle::Kind::Link) {
        refuse(kMsgLink, {displayPath(matches[0]->name)});
        return std::nullopt;
    }
    return matches.empty() ? name : matches[0]->name;
}

std::string TarnPatch::shownLink(const LinkError& link) const {
    // The handles make every path below the game folder by appending to it.
    const std::string full = link.path().string();
    const std::string base = (gameFolder_ / "").string();
    return full.rfind(base, 0) == 0 ? full.substr(base.size()) : link.path().filename().string();
}

TarnPatch::Outcome TarnPatch::processFile(ObjectTextsReader& reader, const std::string& name) {
    // Each file has its own buffers, so nothing of one file reaches the next.
    ObjectFile object;
    Bytes file;
    Bytes decoded;
    std::string entry;
    try {
        if (!isPlainFileName(name)) {
            throw FileError("Refused to open \"" + displayPath(name) +
                            "\": the name is not a plain file name inside ObjData");
        }
        const auto found = objectFile(name);
        if (!found) {
            return skipRecord(reader, name);
        }
        entry = *found;
        file = objDataFolder_->read(entry);
        decoded = decodeObjectFile(file, object);
        readTextGroups(decoded, object);
    } catch (const LinkError& e) {
        refuse(kMsgLink, {shownLink(e)});
        return skipRecord(reader, name);
    } catch (const std::exception& e) {
        if (!reportError(kMsgOpenError, name, e.what())) {
            return Outcome::Stop;
        }
        return skipRecord(reader, name);
    }
    if (identities_) {
        const auto identity = identities_->find(name);
        const std::string differs =
            identity == identities_->end() ? "" : identityDifference(identity->second, object);
        if (!differs.empty()) {
            refuse(kMsgNotTheObject, {displayPath(entry), differs});
            return skipRecord(reader, name);
        }
    }

    try {
        applyNewTexts(reader.stream(), object.texts);
    } catch (const StreamReadError&) {
        reportTruncated(name);
        return Outcome::Stop;
    }

    try {
        const Bytes rebuilt = writeTextGroups(decoded, object);
        decoded.clear();
        const Bytes encoded = encodeObjectFile(rebuilt, object, enhanced_);
        // A file the patch does not change is neither kept nor written.
        if (encoded != file) {
            replaceFile(entry, file, encoded, object.texts);
        } else {
            confirmPendingDigest(entry, file);
        }
    } catch (const LinkError& e) {
        refuse(kMsgLink, {shownLink(e)});
    } catch (const std::exception& e) {
        return reportError(kMsgSaveError, name, e.what()) ? Outcome::Next : Outcome::Stop;
    }
    return Outcome::Next;
}

void TarnPatch::confirmPendingDigest(const std::string& name, const Bytes& content) {
    const auto pending = sums_.pendingDigestOf(name);
    if (!pending || *pending != sha256Hex(content) || sums_.digestOf(name) == pending) {
        return;
    }
    try {
        sums_.confirm(name);
    } catch (const std::exception&) {
        // Left pending, the file only counts as changed since the patch: a restore asks.
    }
}

void TarnPatch::replaceFile(const std::string& name, const Bytes& before, const Bytes& after,
                            const ObjectFileTexts& texts) {
    const FolderHandle& objData = *objDataFolder_;
    const fs::path path = objData.pathOf(name);
    const WriteOptions noLinks = noFollowIn(objData);
    // Checked first, so that a refused file is not even kept.
    refuseReadOnlyFile(objData, name);
    // The digest goes first: a run cut off anywhere after keeping the original leaves one,
    // and a pending digest makes a restore ask rather than undo a later change.
    sums_.recordPending(name, after);
    madeBackups_ |= backup_.keep(name, before);
    if (beforeWrite_) {
        beforeWrite_(name);
    }
    writeFileAtomically(name, after, noLinks);
    if (afterReplace_) {
        afterReplace_(path);
    }
    std::string failed;
    // The file goes back to what it was before this run: its backup when this run made it.
    const auto putBack = [&] {
        try {
            writeFileAtomically(name, before, noLinks);
        } catch (const std::exception& e) {
            throw FileError(failed + ", and putting back the file as it was failed: " + e.what());
        }
    };
    try {
        const Bytes back = objData.read(name);
        if (back != after || readObjectFile(back, {}).texts != texts) {
            failed = "The file \"" + path.string() + "\" did not read back as written";
        }
    } catch (const std::exception&) {
        failed = "The file \"" + path.string() + "\" did not read back as written";
    }
    if (failed.empty()) {
        try {
            sums_.confirm(name);
            return;
        } catch (const LinkError& e) {
            failed = e.what();
            putBack();
            throw;
        } catch (const std::exception& e) {
            // Without its digest a later restore could not tell this write from an update.
            failed = e.what();
        }
    }
    putBack();
    throw FileError(failed + "; the file as it was has been put back");
}

std::string namedExecutableOf(const std::vector<std::string>& arguments) {
    return arguments.empty() ? std::string() : fs::path(arguments.front()).filename().string();
}

bool isRestoreSwitch(const std::string& argument) {
    return argument == "--restore" || platform::upperCaseUtf8(argument) == "/RESTORE";
}

Command commandOf(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (isRestoreSwitch(argument)) {
            return Command::Restore;
        }
        const std::string upper = platform::upperCaseUtf8(argument);
        if (argument == "--help" || argument == "-h" || upper == "/?" || upper == "/HELP") {
            return Command::Help;
        }
        const bool option = (argument.size() > 1 && argument[0] == '-') ||
                            (argument.size() > 1 && argument[0] == '/' &&
                             argument.find_first_of("/\\.", 1) == std::string::npos);
        if (option) {
            return Command::Unknown;
        }
    }
    return Command::Patch;
}

namespace {

bool holdsObjData(const fs::path& folder) {
    try {
        return !folder.empty() &&
               platform::findEntryIgnoringCase(FolderHandle::open(folder), "ObjData");
    } catch (const FileError&) {
        return false;
    }
}

}  // namespace

fs::path chooseGameFolder(const fs::path& current, const fs::path& programFolder) {
    if (holdsObjData(current) || !holdsObjData(programFolder)) {
        return current;
    }
    return programFolder;
}

void injectTestFault(TarnPatch& patch, const char* fault) {
    const std::string name = fault == nullptr ? "" : fault;
    if (name == "disk-full") {
        setWriteFaultForTesting({WriteFault::Step::WriteData, 0});
    } else if (name == "corrupt-written-files") {
        patch.setAfterReplaceForTesting([](const fs::path& path) {
            Bytes data = readWholeFile(path);
            if (!data.empty()) {
                data.back() ^= 0x5A;
            }
            WriteOptions options;
            options.followLinks = false;
            writeFileAtomically(path, data, options);
        });
    }
}

}  // namespace tarn
