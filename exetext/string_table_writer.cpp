// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/string_table_writer.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/folder_handle.h"
#include "common/partial_file.h"
#include "common/utf8_path.h"
#include "exetext/added_section.h"
#include "exetext/exe_layout.h"
#include "exetext/found_texts_check.h"
#include "exetext/save_plan.h"
#include "textcodes/code_table.h"

namespace tarn {

std::string cstyleErrorBoxText(int textNumber, std::string_view message) {
    return "C-string error in string number " + std::to_string(textNumber) + ":\n\r" +
           std::string(message) + "\n\rThe string won't be saved";
}

std::string progressCountText(int done) {
    return std::to_string(done) + "/" + std::to_string(kTextCount) + " strings completed";
}

std::string freeSpaceText(std::int64_t freeSpace) {
    return std::to_string(freeSpace) + " unused bytes remaining";
}

std::string addedSectionText(int texts, std::int64_t bytes) {
    return "added section: " + std::to_string(texts) + " texts, " + std::to_string(bytes) +
           " bytes";
}

std::string languageIdsText(const LanguageIds& ids) {
    return "language ids: " + std::to_string(ids.primary) + " " + std::to_string(ids.secondary);
}

std::string_view savePhaseText(SavePhase phase) {
    return phase == SavePhase::Shortening ? "Shortening strings..." : "Arranging shortenings...";
}

void followShareChains(std::vector<int>& shareTargets, const std::function<void(int)>& progress) {
    const int n = static_cast<int>(shareTargets.size());
    std::vector<int>& s = shareTargets;
    for (int p = 1; p <= n; ++p) {
        if (progress && p % 10 == 0) {
            progress(p);
        }
        int t = s[static_cast<std::size_t>(p - 1)];
        while (t != 0 && s[static_cast<std::size_t>(t - 1)] != 0) {
            t = s[static_cast<std::size_t>(t - 1)];
        }
        // Point every text on the walked path straight at the final container, so that long
        // chains are walked once; the results are the same as walking each chain anew.
        int u = s[static_cast<std::size_t>(p - 1)];
        s[static_cast<std::size_t>(p - 1)] = t;
        while (u != 0 && u != t) {
            const int next = s[static_cast<std::size_t>(u - 1)];
            s[static_cast<std::size_t>(u - 1)] = t;
            u = next;
        }
    }
}

namespace {

// The placed texts with their terminators, as few ranges as they allow: the texts placed in an
// area follow one another from its start, so each area used becomes one range.
FileRanges placedTextRanges(const std::vector<std::int64_t>& position,
                            const std::vector<std::string>& stored) {
    std::vector<std::size_t> order;
    for (std::size_t n = 0; n < position.size(); ++n) {
        if (position[n] >= 0) {
            order.push_back(n);
        }
    }
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return position[a] < position[b]; });
    FileRanges ranges;
    for (const std::size_t n : order) {
        const auto at = static_cast<std::uint64_t>(position[n]);
        if (ranges.empty() || ranges.back().offset + ranges.back().data.size() != at) {
            ranges.push_back({at, {}});
        }
        Bytes& data = ranges.back().data;
        data.insert(data.end(), stored[n].begin(), stored[n].end());
        data.push_back(0);
    }
    return ranges;
}

}  // namespace

namespace {

// The bytes a placement plan writes: the placed texts, every pointer block, PointerCopyRun,
// TextEndRef1/2 and the two language ID bytes.
FileRanges planRanges(const ExeProfile& profile, const PlacementPlan& plan,
                      const std::vector<std::string>& stored, const std::vector<int>& shareTargets,
                      std::uint8_t primaryLangId, std::uint8_t secondaryLangId) {
    const std::size_t count = stored.size();
    std::vector<std::uint32_t> address = plan.address;
    for (std::size_t p = 0; p < count; ++p) {
        if (const int t = shareTargets[p]; t != 0) {
            const auto& container = stored[static_cast<std::size_t>(t - 1)];
            address[p] = address[static_cast<std::size_t>(t - 1)] +
                         static_cast<std::uint32_t>(container.size() - stored[p].size());
        }
    }

    FileRanges ranges = placedTextRanges(plan.position, stored);
    auto addresses = [&ranges](std::int64_t at, std::size_t first, std::size_t number,
                               const std::vector<std::uint32_t>& values) {
        FileRange range{static_cast<std::uint64_t>(at), Bytes(4 * number)};
        for (std::size_t k = 0; k < number; ++k) {
            writeU32LE(range.data.data() + 4 * k, values[first + k]);
        }
        ranges.push_back(std::move(range));
    };
    std::size_t n = 0;
    for (const PointerBlock& block : profile.pointerBlocks) {
        const std::size_t number =
            std::min(static_cast<std::size_t>(block.pointerCount()), count - n);
        addresses(block.first, n, number, address);
        n += number;
    }
    addresses(profile.fixupSpot(FixupSpot::PointerCopyRun), kPointerCopyFirst - 1,
              kPointerCopyCount, address);
    auto endOfOwnCharacters = [&](int text) {
        const auto i = static_cast<std::size_t>(text - 1);
        return address[i] + static_cast<std::uint32_t>(stored[i].size()) - kTextPadding;
    };
    const std::vector<std::uint32_t> textEnds{endOfOwnCharacters(kPaddedText1),
                                              endOfOwnCharacters(kPaddedText2)};
    addresses(profile.fixupSpot(FixupSpot::TextEndRef1), 0, 1, textEnds);
    addresses(profile.fixupSpot(FixupSpot::TextEndRef2), 1, 1, textEnds);
    const auto langSpot = static_cast<std::uint64_t>(profile.fixupSpot(FixupSpot::LangIdSpot));
    ranges.push_back({langSpot, Bytes{primaryLangId}});
    ranges.push_back({langSpot + kSecondaryLangIdOffset, Bytes{secondaryLangId}});
    return ranges;
}

void requireAllTexts(const std::vector<std::string>& stored, const std::vector<int>& shares) {
    if (stored.size() != static_cast<std::size_t>(kTextCount) || shares.size() != stored.size()) {
        throw std::invalid_argument("the executable holds exactly 3453 texts");
    }
}

}  // namespace

std::optional<FileRanges> placeStringRanges(const ExeProfile& profile,
                                            const std::vector<std::string>& stored,
                                            const std::vector<int>& shareTargets,
                                            std::uint8_t primaryLangId,
                                            std::uint8_t secondaryLangId, std::int64_t& freeSpace) {
    requireAllTexts(stored, shareTargets);
    // Positions first, so that a lack of space leaves the file untouched.
    const PlacementPlan plan = planPlacement(profile.textAreas, stored, shareTargets);
    if (!plan.fits()) {
        return std::nullopt;
    }
    freeSpace = plan.freeSpace;
    return planRanges(profile, plan, stored, shareTargets, primaryLangId, secondaryLangId);
}

ReshapedPlacement placeStringsReshaping(ByteSource& file, int profile,
                                        const std::vector<std::string>& stored,
                                        const std::vector<int>& shareTargets,
                                        std::uint8_t primaryLangId, std::uint8_t secondaryLangId,
                                        bool grow) {
    requireAllTexts(stored, shareTargets);
    const ExeProfile& build = profileByNumber(profile);
    ReshapedPlacement result;
    PlacementPlan plan = grow ? planPlacementForGrowth(build.textAreas, stored, shareTargets)
                              : planPlacement(build.textAreas, stored, shareTargets);
    if (grow ? !paddedTextsPlaced(plan) : !plan.fits()) {
        result.unplaced = plan.unplaced;
        return result;
    }
    const std::optional<std::size_t> textBytes =
        plan.fits() ? std::nullopt : std::optional(static_cast<std::size_t>(plan.neededBytes));
    SectionEdit edit = textSectionEdit(file, profile, textBytes);
    if (edit.area) {
        const TextArea& area = *edit.area;
        result.addedBytes = area.last - area.first + 1;
        // Texts that share the tail of a text placed there point into it too.
        std::vector<bool> added(stored.size() + 1, false);
        for (const int text : plan.unplaced) {
            added[static_cast<std::size_t>(text)] = true;
        }
        for (std::size_t n = 0; n < stored.size(); ++n) {
            const int container = shareTargets[n] != 0 ? shareTargets[n] : static_cast<int>(n + 1);
            result.addedTexts += added[static_cast<std::size_t>(container)] ? 1 : 0;
        }
        placeInAddedArea(plan, area, stored);
    }
    result.freeSpace = plan.freeSpace;
    result.reshape = std::move(edit.reshape);
    result.ranges = std::move(edit.ranges);
    FileRanges placed =
        planRanges(build, plan, stored, shareTargets, primaryLangId, secondaryLangId);
    std::move(placed.begin(), placed.end(), std::back_inserter(result.ranges));
    result.placed = true;
    return result;
}

bool placeStrings(Bytes& file, const ExeProfile& profile, const std::vector<std::string>& stored,
                  const std::vector<int>& shareTargets, std::uint8_t primaryLangId,
                  std::uint8_t secondaryLangId, std::int64_t& freeSpace) {
    if (file.size() != static_cast<std::size_t>(profile.fileSize)) {
        throw std::invalid_argument("the file's size does not match its profile");
    }
    const auto ranges =
        placeStringRanges(profile, stored, shareTargets, primaryLangId, secondaryLangId, freeSpace);
    if (!ranges) {
        return false;
    }
    applyFileRanges(file, *ranges);
    return true;
}

PreparedTexts prepareTexts(const std::vector<std::string>& texts, Notation notation,
                           const std::vector<TextError>& textErrors,
                           const SaveCallbacks& callbacks) {
    auto phaseProgress = [&callbacks](SavePhase phase) -> std::function<void(int)> {
        if (!callbacks.progress) {
            return {};
        }
        callbacks.progress(phase, 0);
        return [&callbacks, phase](int done) { callbacks.progress(phase, done); };
    };
    PreparedTexts prepared;
    prepared.stored = storedTexts(texts, notation, callbacks.cstyleError, textErrors);
    prepared.shareTargets =
        findShareTargets(prepared.stored.texts, phaseProgress(SavePhase::Shortening));
    followShareChains(prepared.shareTargets, phaseProgress(SavePhase::Arranging));
    return prepared;
}

SaveResult saveStrings(const std::filesystem::path& translatedPath,
                       const std::vector<std::string>& texts, const SaveOptions& options,
                       const SaveCallbacks& callbacks) {
    if (texts.size() != static_cast<std::size_t>(kTextCount)) {
        throw std::invalid_argument("the executable holds exactly 3453 texts");
    }
    return saveStrings(translatedPath,
                       prepareTexts(texts, options.notation, options.textErrors, callbacks),
                       options, callbacks);
}

namespace {

// The file a save names, in messages and in the folder it goes through.
struct SaveTarget {
    const FolderHandle* folder;
    std::string name;  // inside folder, when given
    std::filesystem::path shown;

    SaveTarget(const std::filesystem::path& path, const FolderHandle* in)
        : folder(in),
          name(in != nullptr ? pathToUtf8(path) : std::string()),
          shown(in != nullptr ? in->pathOf(name) : path) {}

    void refuseReadOnly(const std::filesystem::path& path) const {
        if (folder != nullptr) {
            refuseReadOnlyFile(*folder, name);
        } else {
            refuseReadOnlyFile(path);
        }
    }
};

// Writes a planned write, the file refused already where it is read-only.
SaveResult writePlanned(const std::filesystem::path& translatedPath, const SaveWrite& write,
                        const SaveOptions& options, const SaveCallbacks& callbacks) {
    SaveResult result;
    result.profile = write.profile;
    if (!write.placed) {
        return result;
    }
    if (callbacks.beforeWrite) {
        callbacks.beforeWrite(write.ranges, write.reshape ? &*write.reshape : nullptr);
    }
    WriteOptions writing;
    writing.expected = options.expected;
    writing.folder = options.folder;
    writing.beforeReplace = callbacks.beforeReplace;
    writeFileRangesAtomically(translatedPath, write.ranges, write.reshape, writing);
    result.freeSpace = write.freeSpace;
    result.addedTexts = write.addedTexts;
    result.addedBytes = write.addedBytes;
    result.saved = true;
    return result;
}

}  // namespace

SaveResult saveStrings(const std::filesystem::path& translatedPath, const PreparedTexts& prepared,
                       const SaveOptions& options, const SaveCallbacks& callbacks) {
    if (prepared.stored.texts.size() != static_cast<std::size_t>(kTextCount) ||
        prepared.shareTargets.size() != prepared.stored.texts.size()) {
        throw std::invalid_argument("the executable holds exactly 3453 texts");
    }
    const SaveTarget target(translatedPath, options.folder);
    // Refused before the work of placing the texts; the write would refuse it too.
    target.refuseReadOnly(translatedPath);
    SaveWrite write;
    try {
        // Closed again before the file is replaced.
        std::optional<PartialFile> opened;
        if (target.folder != nullptr) {
            opened.emplace(*target.folder, target.name);
        } else {
            opened.emplace(translatedPath);
        }
        write = planSaveWrite(*opened, target.shown, prepared, options);
    } catch (const GrowRefused& refused) {
        throw FileError(pathToUtf8(target.shown) + ": " + refused.what() + " Nothing was written.");
    }
    SaveResult result = writePlanned(translatedPath, write, options, callbacks);
    result.cstyleErrors = prepared.stored.cstyleErrors;
    result.shareTargets = prepared.shareTargets;
    return result;
}

SaveResult saveStrings(const std::filesystem::path& translatedPath, const SaveWrite& write,
                       const SaveOptions& options, const SaveCallbacks& callbacks) {
    if (write.placed) {
        SaveTarget(translatedPath, options.folder).refuseReadOnly(translatedPath);
    }
    return writePlanned(translatedPath, write, options, callbacks);
}

SaveWrite planSaveWrite(PartialFile& file, const std::filesystem::path& shown,
                        const PreparedTexts& prepared, const SaveOptions& options) {
    const std::vector<std::string>& stored = prepared.stored.texts;
    const std::optional<ExeLayout> layout = exeLayoutOfFile(file);
    if (!layout) {
        throw FileError("The file \"" + pathToUtf8(shown) +
                        "\" is not a known Tarn executable: its size changed to " +
                        std::to_string(file.size()) + " bytes.");
    }
    refuseUnrecognisedExecutable(shown, file, *layout);
    SaveWrite write;
    write.profile = layout->profile;
    if (!layout->added) {
        // Only the placed texts, the pointers and the fix-ups change; the rest of the file is
        // copied as it is.
        std::optional<FileRanges> ranges =
            placeStringRanges(layout->build(), stored, prepared.shareTargets, options.primaryLangId,
                              options.secondaryLangId, write.freeSpace);
        if (ranges) {
            write.placed = true;
            write.ranges = std::move(*ranges);
            return write;
        }
    }
    // A file that grows, has grown or shrinks back is rewritten through the same range writer:
    // the added section is made anew by every save, never a second one, the overlay moved
    // inside the kernel.
    if (options.grow || layout->added) {
        ReshapedPlacement placement =
            placeStringsReshaping(file, write.profile, stored, prepared.shareTargets,
                                  options.primaryLangId, options.secondaryLangId, options.grow);
        if (placement.placed) {
            write.placed = true;
            write.ranges = std::move(placement.ranges);
            write.reshape = std::move(placement.reshape);
            write.freeSpace = placement.freeSpace;
            write.addedTexts = placement.addedTexts;
            write.addedBytes = placement.addedBytes;
        }
    }
    return write;
}

}  // namespace tarn
