#include "exetext/string_table_writer.h"

#include <stdexcept>

#include "common/errors.h"
#include "common/file_io.h"
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

std::string_view savePhaseText(SavePhase phase) {
    return phase == SavePhase::Shortening ? "Shortening strings..." : "Arranging shortenings...";
}

std::string expandPictures(std::string_view raw) {
    std::string out;
    out.reserve(raw.size() + 8);
    std::size_t i = 0;
    while (i < raw.size()) {
        const auto byte = static_cast<std::uint8_t>(raw[i++]);
        out += static_cast<char>(byte);
        if (byte != kPictureCode || i >= raw.size()) {
            continue;
        }
        const auto count = static_cast<std::uint8_t>(raw[i++]);
        if (count >= 1 && count <= 4) {
            for (int k = 0; k < count; ++k) {
                out += i < raw.size() ? raw[i++] : '\0';
            }
            out.append(4u - count, '\0');
        } else if (count == kPictureZeroCount) {
            out.append(4, '\0');
        }
    }
    return out;
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

bool placeStrings(Bytes& file, const ExeProfile& profile, const std::vector<std::string>& stored,
                  const std::vector<int>& shareTargets, std::uint8_t primaryLangId,
                  std::uint8_t secondaryLangId, std::int64_t& freeSpace) {
    const std::size_t count = stored.size();
    if (count != static_cast<std::size_t>(kTextCount) || shareTargets.size() != count) {
        throw std::invalid_argument("the executable holds exactly 3453 texts");
    }
    if (file.size() != static_cast<std::size_t>(profile.FileSize)) {
        throw std::invalid_argument("the file's size does not match its profile");
    }

    // Positions first, so that a lack of space leaves the file untouched.
    const PlacementPlan plan = planPlacement(profile.TextAreas, stored, shareTargets);
    if (!plan.fits()) {
        return false;
    }
    const std::vector<std::int64_t>& position = plan.position;
    std::vector<std::uint32_t> address = plan.address;

    for (std::size_t n = 0; n < count; ++n) {
        if (position[n] >= 0) {
            const auto at = static_cast<std::size_t>(position[n]);
            std::copy(stored[n].begin(), stored[n].end(), file.begin() + static_cast<long>(at));
            file[at + stored[n].size()] = 0;
        }
    }
    for (std::size_t p = 0; p < count; ++p) {
        if (const int t = shareTargets[p]; t != 0) {
            const auto& container = stored[static_cast<std::size_t>(t - 1)];
            address[p] = address[static_cast<std::size_t>(t - 1)] +
                         static_cast<std::uint32_t>(container.size() - stored[p].size());
        }
    }

    std::size_t n = 0;
    for (const PointerBlock& block : profile.PointerBlocks) {
        for (int k = 0; k < block.pointerCount() && n < count; ++k, ++n) {
            writeU32LE(file.data() + block.First + 4 * k, address[n]);
        }
    }
    auto* copyRun = file.data() + profile.FixupSpots[PointerCopyRun];
    for (int k = 0; k < kPointerCopyCount; ++k) {
        writeU32LE(copyRun + 4 * k, address[static_cast<std::size_t>(kPointerCopyFirst - 1 + k)]);
    }
    auto endOfOwnCharacters = [&](int text) {
        const auto i = static_cast<std::size_t>(text - 1);
        return address[i] + static_cast<std::uint32_t>(stored[i].size()) - kTextPadding;
    };
    writeU32LE(file.data() + profile.FixupSpots[TextEndRef1], endOfOwnCharacters(kPaddedText1));
    writeU32LE(file.data() + profile.FixupSpots[TextEndRef2], endOfOwnCharacters(kPaddedText2));
    file[static_cast<std::size_t>(profile.FixupSpots[LangIdSpot])] = primaryLangId;
    file[static_cast<std::size_t>(profile.FixupSpots[LangIdSpot]) + kSecondaryLangIdOffset] =
        secondaryLangId;
    freeSpace = plan.freeSpace;
    return true;
}

SaveResult saveStrings(const std::filesystem::path& translatedPath,
                       const std::vector<std::string>& texts, const SaveOptions& options,
                       const SaveCallbacks& callbacks) {
    if (texts.size() != static_cast<std::size_t>(kTextCount)) {
        throw std::invalid_argument("the executable holds exactly 3453 texts");
    }
    StoredTexts prepared = storedTexts(texts, options.cstyle, callbacks.cstyleError);
    const std::vector<std::string>& stored = prepared.texts;

    auto phaseProgress = [&callbacks](SavePhase phase) -> std::function<void(int)> {
        if (!callbacks.progress) {
            return {};
        }
        callbacks.progress(phase, 0);
        return [&callbacks, phase](int done) { callbacks.progress(phase, done); };
    };
    SaveResult result;
    result.cstyleErrors = std::move(prepared.cstyleErrors);
    result.shareTargets = findShareTargets(stored, phaseProgress(SavePhase::Shortening));
    followShareChains(result.shareTargets, phaseProgress(SavePhase::Arranging));

    // Replacing the file through a rename would pass over its read-only flag.
    if (isReadOnlyFile(translatedPath)) {
        throw FileError("Cannot write file \"" + translatedPath.string() +
                        "\". The file is read-only.");
    }
    Bytes file = readWholeFile(translatedPath);
    result.profile = findProfile(static_cast<std::int64_t>(file.size()));
    if (result.profile == -1) {
        throw FileError("The file \"" + translatedPath.string() +
                        "\" is not a known Tarn executable: its size changed to " +
                        std::to_string(file.size()) + " bytes.");
    }
    if (!placeStrings(file, profileByNumber(result.profile), stored, result.shareTargets,
                      options.primaryLangId, options.secondaryLangId, result.freeSpace)) {
        return result;
    }
    writeFileAtomically(translatedPath, file);
    result.saved = true;
    return result;
}

}  // namespace tarn
