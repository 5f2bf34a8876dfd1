// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/object_texts_check.h"

#include "objfiles/object_container.h"
#include "textcodes/consistency_check.h"

namespace tarn {

std::vector<ObjectTextPair> objectTextPairs(const std::vector<ObjectFile>& files,
                                            std::uint8_t sourceId, std::uint8_t targetId) {
    std::vector<ObjectTextPair> pairs;
    for (std::size_t f = 0; f < files.size(); ++f) {
        const ObjectFile& file = files[f];
        for (std::size_t g = 0; g < file.texts.size(); ++g) {
            const ObjectText* source = nullptr;
            const ObjectText* target = nullptr;
            for (const ObjectText& entry : file.texts[g]) {
                source = entry.id == sourceId && !source ? &entry : source;
                target = entry.id == targetId && !target ? &entry : target;
            }
            if (source && target) {
                pairs.push_back({f, g, source->text, target->text});
            }
        }
    }
    return pairs;
}

std::string groupLabel(const std::vector<ObjectFile>& files, const ObjectTextPair& pair) {
    return files.at(pair.file).fileName + " " + std::to_string(pair.group);
}

std::optional<CheckFinding> checksumFinding(const ObjectFile& file) {
    if (!file.wrongChecksum) {
        return std::nullopt;
    }
    return CheckFinding{Severity::Warning, "checksum", wrongChecksumText(*file.wrongChecksum)};
}

std::vector<TextFinding> checkObjectTexts(const std::vector<ObjectFile>& files,
                                          const std::vector<ObjectTextPair>& pairs,
                                          const ByteCharacters& characters) {
    std::vector<TextFinding> findings;
    std::vector<CheckFinding> found;
    std::vector<std::string> sources;
    std::vector<std::string> targets;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        found.clear();
        checkTranslation(pairs[i].source, pairs[i].target, Notation::Raw, characters, found);
        for (CheckFinding& f : found) {
            findings.push_back({static_cast<int>(i + 1), std::move(f)});
        }
        sources.push_back(pairs[i].source);
        targets.push_back(pairs[i].target);
    }
    std::vector<TextFinding> across;
    for (const Inconsistency& i : findInconsistencies(sources, targets, characters)) {
        across.push_back({static_cast<int>(i.index + 1),
                          inconsistentFinding(groupLabel(files, pairs[i.prevailing]))});
    }
    mergeFindings(findings, std::move(across));
    return findings;
}

}  // namespace tarn
