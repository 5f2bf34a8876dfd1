// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the 3453 translated texts back into the translated executable.
//
// Steps: C-style texts are converted to raw; picture sequences are expanded to 23 and four
// bytes; texts 3166 and 3169 get 31 spare zero bytes; each text that ends another text's bytes
// shares that text's tail (the lowest-numbered text that is still unshared when it is
// examined, texts 3166 and 3169 never being containers), and chains are followed to their
// final container; the unshared texts are placed into the text areas one after another,
// area by area; every pointer block, PointerCopyRun, TextEndRef1/2 and the two language ID
// bytes are rewritten and the file is replaced atomically, only those bytes passing through
// memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/byte_source.h"
#include "common/bytes.h"
#include "common/file_io.h"
#include "common/partial_file.h"
#include "exetext/exe_profile.h"
#include "exetext/save_plan.h"
#include "textcodes/code_table.h"  // expandPictures, the stored form

namespace tarn {

inline constexpr std::string_view kNotEnoughSpaceMessage =
    "Not enough space in the executable file - try to be shorter";
inline constexpr std::string_view kCStyleErrorText = "-Error!-";  // stored for a bad text
inline constexpr std::string_view kCStyleErrorCaption = "C-style error";

// "C-string error in string number N:\n\r<message>\n\rThe string won't be saved"
std::string cstyleErrorBoxText(int textNumber, std::string_view message);
// "N/3453 strings completed"
std::string progressCountText(int done);
// "N unused bytes remaining"
std::string freeSpaceText(std::int64_t freeSpace);
// "added section: K texts, M bytes"
std::string addedSectionText(int texts, std::int64_t bytes);
// "language ids: P S", the primary and secondary IDs in decimal
std::string languageIdsText(const LanguageIds& ids);

enum class SavePhase { Shortening, Arranging };
// "Shortening strings..." / "Arranging shortenings..."
std::string_view savePhaseText(SavePhase phase);

struct SaveCallbacks {
    // Called when each phase starts (done 0) and before every tenth text (done 10, 20, ...).
    std::function<void(SavePhase phase, int done)> progress;
    // Called for every text whose C-style notation is malformed; the save then stores
    // kCStyleErrorText for it.
    std::function<void(int textNumber, const std::string& message)> cstyleError;
    // Called with what is about to be written, the file still untouched: a caller that keeps
    // the original or records what the file will hold does it here. Raising stops the save,
    // the file unchanged.
    std::function<void(const FileRanges& ranges, const FileReshape* reshape)> beforeWrite;
    // Called once the new contents are written beside the file and flushed, just before they
    // replace it (WriteOptions::beforeReplace): work begun in beforeWrite can run beside the
    // writing and be finished here. Raising stops the save, the file unchanged.
    std::function<void()> beforeReplace;
};

struct SaveOptions {
    Notation notation = Notation::Raw;  // how the texts are written
    std::uint8_t primaryLangId = 0;
    std::uint8_t secondaryLangId = 0;
    // Texts known not to convert (the window's held C-style cells), ascending.
    std::vector<TextError> textErrors = {};
    // The texts that do not fit into the build's areas go into a section added to the file.
    bool grow = false;
    // The file as the texts were read from it: another program's write since then makes the
    // save raise FileChangedError just before its rename, nothing written.
    std::optional<FileIdentity> expected = std::nullopt;
    // Given, the path is the name of the file inside this folder, and the save reads and writes
    // it through the folder's handle, never following a link (WriteOptions::folder).
    const FolderHandle* folder = nullptr;
};

struct SaveResult {
    bool saved = false;             // false: not enough space, the file is untouched
    std::vector<int> shareTargets;  // text n at index n - 1: its final container, or 0
    std::int64_t freeSpace = 0;     // when saved
    int profile = -1;               // the profile the file was written through
    std::vector<int> cstyleErrors;  // texts stored as kCStyleErrorText, ascending
    int addedTexts = 0;             // texts whose pointer leads into an added section
    std::int64_t addedBytes = 0;    // the bytes of its text area
};

// The steps of a save that touch no file: the stored texts (storedTexts, calling
// callbacks.cstyleError) and their share targets (calling callbacks.progress).
PreparedTexts prepareTexts(const std::vector<std::string>& texts, Notation notation,
                           const std::vector<TextError>& textErrors = {},
                           const SaveCallbacks& callbacks = {});

// Saves texts (3453 of them, text n at index n - 1) into the translated executable at path.
// Texts that fit in text order keep the game's own layout and only the changed bytes are
// written; a file that has grown is first restored to its build's file, and with options.grow
// the texts that do not fit go into a section added to it. Raises FileError when the file cannot
// be read or written, is read-only, has an unknown size, holds too few of its build's texts to be
// that build (refuseUnrecognisedExecutable) or cannot grow or shrink back (naming the reason);
// the file is then unchanged.
SaveResult saveStrings(const std::filesystem::path& translatedPath,
                       const std::vector<std::string>& texts, const SaveOptions& options,
                       const SaveCallbacks& callbacks = {});
// The same with the texts prepared already (prepareTexts): options.notation and
// options.textErrors are not used, and callbacks.progress and cstyleError are not called.
SaveResult saveStrings(const std::filesystem::path& translatedPath, const PreparedTexts& prepared,
                       const SaveOptions& options, const SaveCallbacks& callbacks = {});

// What a save writes over the file as it is: the bytes of its ranges, and for a file that grows,
// has grown or shrinks back, its new shape.
struct SaveWrite {
    bool placed = false;  // false: the texts do not fit (growing where allowed), nothing to write
    int profile = -1;     // the build the file is
    FileRanges ranges;
    std::optional<FileReshape> reshape;
    std::int64_t freeSpace = 0;  // as in SaveResult
    int addedTexts = 0;
    std::int64_t addedBytes = 0;
};

// The write saveStrings makes of the prepared texts into file (named shown in messages), from
// its headers and a few small parts; options.primaryLangId, secondaryLangId and grow are used.
// Nothing is written, so a caller can settle the placement before it touches any file. Raises
// FileError when the file is no known build's (by its size, or holding too few of its build's
// texts), GrowRefused with the reason when it would have to grow or shrink back and cannot.
SaveWrite planSaveWrite(PartialFile& file, const std::filesystem::path& shown,
                        const PreparedTexts& prepared, const SaveOptions& options);
// Writes what planSaveWrite planned for the file as it still is (options.expected should name
// it as it was planned), as saveStrings would; of options, only expected and folder are used.
// The answer has no share targets and no C-style errors: those belong to the planning.
SaveResult saveStrings(const std::filesystem::path& translatedPath, const SaveWrite& write,
                       const SaveOptions& options, const SaveCallbacks& callbacks = {});

// --- The steps, for the writer itself, the sample generator and tests. ---

// The sharing rule, exactly: for p = 1..n in order, the container of p is the lowest i != p
// (i not 3166 or 3169) whose ShareTarget is 0 at that moment and whose bytes end with all of
// text p's bytes. texts[n - 1] is text n; the answer is indexed the same way, 0 for none.
// Runs in O(n log n) comparisons. progress (may be empty) is called before every tenth text.
std::vector<int> findShareTargets(const std::vector<std::string>& texts,
                                  const std::function<void(int done)>& progress = {});

// Replaces every target by the end of its chain, the final container (which is unshared).
void followShareChains(std::vector<int>& shareTargets,
                       const std::function<void(int done)>& progress = {});

// The bytes that placing the stored texts changes, as ranges in the order they are stored:
// the texts of each text area used, every pointer block, PointerCopyRun, TextEndRef1/2 and the
// two language ID bytes. nullopt when the texts do not fit. freeSpace receives the bytes left
// in the last area used and all areas after it.
std::optional<FileRanges> placeStringRanges(const ExeProfile& profile,
                                            const std::vector<std::string>& stored,
                                            const std::vector<int>& shareTargets,
                                            std::uint8_t primaryLangId,
                                            std::uint8_t secondaryLangId, std::int64_t& freeSpace);

// The stored texts placed into a build's file that has, gets, keeps or loses an added section:
// the file's new shape and every byte written over it.
struct ReshapedPlacement {
    bool placed = false;        // false: the texts do not fit, without growing, or even texts
                                // 3166 and 3169 find no place in the build's areas
    std::vector<int> unplaced;  // when not placed
    FileReshape reshape;        // when placed
    FileRanges ranges;          // the section and headers, then texts, pointers and fix-ups
    std::int64_t freeSpace = 0;
    int addedTexts = 0;  // as in SaveResult
    std::int64_t addedBytes = 0;
};
// file: a build's file, with or without an added section; with grow the texts that do not fit
// into the build's areas go into an added section, else the file has none afterwards. Reads only
// the file's headers and a few small parts. Raises GrowRefused when the file cannot grow or
// shrink back.
ReshapedPlacement placeStringsReshaping(ByteSource& file, int profile,
                                        const std::vector<std::string>& stored,
                                        const std::vector<int>& shareTargets,
                                        std::uint8_t primaryLangId, std::uint8_t secondaryLangId,
                                        bool grow);

// Places the stored texts into the file's text areas and rewrites pointers and fix-ups.
// Answers false, leaving file unchanged, when the texts do not fit. freeSpace receives the
// bytes left in the last area used and all areas after it.
bool placeStrings(Bytes& file, const ExeProfile& profile, const std::vector<std::string>& stored,
                  const std::vector<int>& shareTargets, std::uint8_t primaryLangId,
                  std::uint8_t secondaryLangId, std::int64_t& freeSpace);

}  // namespace tarn
