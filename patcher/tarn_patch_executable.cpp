// SPDX-License-Identifier: GPL-3.0-or-later
// TarnPatch's side of the game executable: finding it, planning the carried texts into it,
// keeping its original, writing it through the editor's save, and putting it back.
#include <future>
#include <optional>
#include <ostream>
#include <string_view>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/folder_handle.h"
#include "common/partial_file.h"
#include "common/rewritten_bytes.h"
#include "common/sha256.h"
#include "enduser/message_table.h"
#include "exetext/string_table_writer.h"
#include "patcher/tarn_patch.h"
#include "platform/core/paths.h"
#include "platform/core/unicode_case.h"

namespace tarn {

namespace {

// The SHA-256 of original with ranges written over it after reshape (when given), as the save
// writes it, read a piece at a time.
Sha256Digest digestAfterWrite(PartialFile& original, const FileRanges& ranges,
                              const FileReshape* reshape) {
    Sha256Hasher hasher;
    writeRewrittenBytes(original, ranges, reshape,
                        [&hasher](std::string_view piece) { hasher.add(piece); });
    return hasher.finish();
}

}  // namespace

TarnPatch::Outcome TarnPatch::planGameExecutable(std::optional<ExecutableWork>& work) {
    std::vector<fs::path> found;
    try {
        found = findGameExecutables(gameFolder_, ownProgram_);
    } catch (const std::exception& e) {
        report(kMsgOpenError, gameFolder_.filename().string(), e.what());
        return Outcome::Next;
    }
    if (!namedExecutable_.empty()) {
        const std::string named = platform::upperCaseUtf8(namedExecutable_);
        std::erase_if(found, [&named](const fs::path& path) {
            return platform::upperCaseUtf8(path.filename().string()) != named;
        });
    }
    if (found.empty()) {
        line(loadMessage(kMsgNoExe));
        line();
        return Outcome::Next;
    }
    if (found.size() > 1) {
        std::string names;
        for (const fs::path& path : found) {
            names += (names.empty() ? "" : ", ") + path.filename().string();
        }
        const std::string program =
            ownProgram_.empty() ? std::string("TarnPatch") : ownProgram_.filename().string();
        line(loadMessage(kMsgSeveralExes, {names, program}));
        line();
        return Outcome::Next;
    }
    const fs::path& path = found.front();
    const std::string name = path.filename().string();
    ExecutablePlan plan;
    try {
        const FolderHandle game = FolderHandle::open(gameFolder_);
        plan = planExecutable(game, name, *exeTexts_);
    } catch (const LinkError& e) {
        refuse(kMsgLink, {shownLink(e)});
        line();
        return Outcome::Next;
    } catch (const std::exception& e) {
        report(kMsgOpenError, name, e.what());
        line();
        return Outcome::Next;
    }
    if (!plan.known) {
        line(loadMessage(kMsgExeUnknown, {name, std::to_string(plan.matchPercent)}));
        line();
        return Outcome::Next;
    }
    if (!plan.fits) {
        out_ << loadMessage(kMsgExeDoesNotFit, {name, plan.overflow});
        const bool goOn = askYes();
        line();
        return goOn ? Outcome::Next : Outcome::Stop;
    }
    work = ExecutableWork{path, std::move(plan), {}};
    if (work->plan.changes) {
        const SaveWrite& write = work->plan.write;
        work->digest = std::async(std::launch::async, [file = work->plan.file, &write] {
            return digestAfterWrite(*file, write.ranges, write.reshape ? &*write.reshape : nullptr);
        });
    }
    return Outcome::Next;
}

void TarnPatch::writeGameExecutable(const ExecutableWork& work) {
    const fs::path& path = work.path;
    const std::string name = path.filename().string();
    if (work.plan.changes) {
        try {
            // Read, saved, read back and put back through the game folder's handle: a link
            // planted under the executable's name is never followed.
            const FolderHandle game = FolderHandle::open(gameFolder_);
            refuseReadOnlyFile(game, name);
            // Only the metadata, taken before the bytes: whether the backup made later is
            // still this file.
            const FileIdentity read = takeFileIdentity(game, name, {FilePart{0, 0}});
            // Still the file the plan read: what was planned for it is written, with the
            // digest begun then. Another file (changed since) is planned again.
            const bool asPlanned = read.sameMetadata(work.plan.identity);
            // The original, read through this handle a piece at a time whenever its bytes are
            // needed: the save replaces the file by a new one, so the handle reads the
            // original even after it. A whole copy in memory would cost more than the save.
            PartialFile original(game, name);
            const OriginalsBackup::Original originalBytes = [&original](const ByteWriter& write) {
                writeRewrittenBytes(original, {}, nullptr, write);
            };
            // What the save writes: the original's bytes with the changes laid over them.
            FileRanges written;
            std::optional<FileReshape> reshaped;
            // The original's bytes that the new file does not hold at their own offsets: with
            // the new file, they give back the original should the kept one be written into.
            OverwrittenBytes overwritten;
            bool linked = false;
            SaveCallbacks callbacks;
            // A pending write goes first, then the original is kept as a second name of the
            // file (which the save then replaces by a new one): a run cut off anywhere after
            // leaves both, and a restore asks until the write is confirmed. Both are done on a
            // thread of their own while the save copies the file. The digest of the new file
            // (all 17 MB), which confirms the write, is the one begun with the plan when the
            // save writes what was planned, else taken from here on. All are finished before
            // the file is replaced: the original's bytes are read only while it is still the
            // file this program is writing, not yet the kept one another program may change.
            std::future<bool> kept;
            std::shared_future<Sha256Digest> digest = asPlanned ? work.digest : decltype(digest)();
            callbacks.beforeWrite = [&](const FileRanges& ranges, const FileReshape* reshape) {
                written = ranges;
                if (reshape != nullptr) {
                    reshaped = *reshape;
                }
                const FileReshape* moved = reshaped ? &*reshaped : nullptr;
                if (!digest.valid()) {
                    // Through the handle on the file this save replaces, as the kept original
                    // is read beside it.
                    digest = std::async(std::launch::async, [&original, &written, moved] {
                        return digestAfterWrite(original, written, moved);
                    });
                }
                kept = std::async(std::launch::async, [&, moved] {
                    overwritten = keepOverwrittenBytes(original, written, moved);
                    exeSums_.recordPendingWrite(name);
                    return exeBackup_.keepAsSecondName(name, path, originalBytes);
                });
                if (beforeWrite_) {
                    beforeWrite_(name);
                }
            };
            callbacks.beforeReplace = [&] {
                linked = kept.get();
                digest.get();
            };
            SaveOptions options;
            options.folder = &game;
            options.primaryLangId = exeTexts_->primaryLangId;
            options.secondaryLangId = exeTexts_->secondaryLangId;
            options.grow = exeTexts_->mayGrow;
            // Another program's write after this read is not overwritten.
            options.expected = read;
            const SaveResult saved =
                asPlanned ? saveStrings(name, work.plan.write, options, callbacks)
                          : saveStrings(name, work.plan.prepared, options, callbacks);
            if (!saved.saved) {
                throw FileError("The translated texts no longer fit into \"" + path.string() +
                                "\"; it is unchanged");
            }
            if (afterReplace_) {
                afterReplace_(path);
            }
            // The changes read back; the rest was copied inside the system, as by the save of
            // the editor and of tarntool.
            bool asWritten = false;
            try {
                PartialFile now(game, name);
                asWritten = fileHoldsWrittenParts(now, original.size(), written,
                                                  reshaped ? &*reshaped : nullptr);
            } catch (const FileError&) {
            }
            if (linked) {
                // Made again from the new file only where that file read back as written.
                const auto fromNewFile = [&](const ByteWriter& write) {
                    PartialFile now(game, name);
                    writeOldBytes(now, overwritten, write);
                };
                exeBackup_.confirmKept(
                    name, asWritten ? OriginalsBackup::Original(fromNewFile) : originalBytes, read);
            }
            if (!asWritten) {
                streamFileAtomically(name, originalBytes, noFollowIn(game));
                throw FileError("The file \"" + path.string() +
                                "\" did not read back as written; the file as it was has been "
                                "put back");
            }
            exeSums_.confirm(name, digest.get());
        } catch (const LinkError& e) {
            refuse(kMsgLink, {shownLink(e)});
            return;
        } catch (const std::exception& e) {
            report(kMsgSaveError, name, e.what());
            return;
        }
    }
    line();
    line(loadMessage(kMsgExeDone, {name, std::to_string(work.plan.written + work.plan.done)}));
    if (work.plan.kept != 0) {
        line(loadMessage(kMsgExeTextsKept, {std::to_string(work.plan.kept)}));
    }
}

bool TarnPatch::restoreGameExecutable(std::size_t& restored) {
    if (!exeBackup_.exists()) {
        return true;
    }
    const std::string folderName = exeBackup_.folder().filename().string();
    const std::string separator = fs::path("/").make_preferred().string();
    bool complete = true;
    try {
        exeSums_.load();
        const FolderHandle game = FolderHandle::open(gameFolder_);
        std::optional<FolderHandle> backup = game.folder(folderName);
        for (const FolderHandle::Entry& entry :
             backup ? backup->list() : std::vector<FolderHandle::Entry>{}) {
            const std::string& name = entry.name;
            if (isOwnTemporaryFile(name)) {
                backup->remove(name);
                continue;
            }
            const std::string target = platform::findEntryIgnoringCase(game, name).value_or(name);
            const FolderHandle::Kind targetKind = game.kind(target);
            if (entry.kind == FolderHandle::Kind::Link || targetKind == FolderHandle::Kind::Link) {
                refuse(kMsgLink,
                       {entry.kind == FolderHandle::Kind::Link ? folderName + separator + name
                                                               : target});
                complete = false;
                continue;
            }
            try {
                const Bytes original = backup->read(name);
                if (targetKind == FolderHandle::Kind::File) {
                    const Bytes current = game.read(target);
                    if (current == original) {
                        continue;
                    }
                    const auto confirmed = exeSums_.digestOf(name);
                    const bool asWritten = confirmed ? *confirmed == sha256Hex(current)
                                                     : !exeSums_.pendingDigestOf(name);
                    if (!asWritten && !askRestoreChanged(name)) {
                        complete = false;
                        continue;
                    }
                }
                writeFileAtomically(target, original, noFollowIn(game));
                ++restored;
            } catch (const LinkError& e) {
                refuse(kMsgLink, {shownLink(e)});
                complete = false;
            } catch (const std::exception& e) {
                report(kMsgSaveError, name, e.what());
                complete = false;
            }
        }
        // Let go first: on Windows a folder held open cannot be removed.
        backup.reset();
        if (complete) {
            game.flush();
            exeBackup_.remove();
            exeSums_.removeWithLeftovers();
        }
    } catch (const LinkError& e) {
        refuse(kMsgLink, {shownLink(e)});
        complete = false;
    } catch (const std::exception& e) {
        report(kMsgOpenError, folderName, e.what());
        complete = false;
    }
    return complete;
}

}  // namespace tarn
