// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/object_po.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "exchange/exe_po.h"
#include "exchange/po_text.h"

namespace tarn {

namespace {

constexpr std::string_view kPrefix = "obj/";

const ObjectText* findText(const ObjectTextGroup& group, std::uint8_t id) {
    const auto it =
        std::find_if(group.begin(), group.end(), [id](const ObjectText& t) { return t.id == id; });
    return it == group.end() ? nullptr : &*it;
}

}  // namespace

std::string objectContext(const std::string& fileName, std::size_t groupNumber) {
    return std::string(kPrefix) + fileName + "/" + std::to_string(groupNumber);
}

std::string objectReferenceFile(const std::string& fileName) {
    return "ObjData/" + fileName;
}

std::optional<ObjectContext> parseObjectContext(std::string_view context) {
    const std::size_t slash = context.rfind('/');
    if (!context.starts_with(kPrefix) || slash < kPrefix.size() + 1) {
        return std::nullopt;
    }
    const std::string_view number = context.substr(slash + 1);
    if (number.empty() || number.size() > 9 || number[0] == '0' ||
        !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    ObjectContext parsed;
    parsed.fileName = std::string(context.substr(kPrefix.size(), slash - kPrefix.size()));
    parsed.groupNumber = std::stoul(std::string(number));
    return parsed;
}

std::vector<PoEntry> objectTextsToPo(const std::vector<ObjectFile>& files, std::uint8_t sourceId,
                                  std::uint8_t targetId, const CodePage& codePage,
                                  std::vector<Problem>& problems) {
    std::vector<PoEntry> entries;
    for (const ObjectFile& file : files) {
        if (!isUtf8(file.fileName)) {
            problems.push_back(Problem::in(file.fileName, "the file name is not UTF-8"));
            continue;
        }
        for (std::size_t g = 0; g < file.texts.size(); ++g) {
            const ObjectText* source = findText(file.texts[g], sourceId);
            if (source == nullptr) {
                continue;
            }
            PoEntry entry;
            entry.hasContext = true;
            entry.context = objectContext(file.fileName, g + 1);
            entry.references.push_back({objectReferenceFile(file.fileName), g});
            entry.source = rawToPoText(source->text, codePage);
            if (const ObjectText* target = findText(file.texts[g], targetId)) {
                setExportedTranslation(entry, target->text, codePage);
            }
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

std::function<bool(const std::string& context)> namesObjectGroup(const std::vector<ObjectFile>& files) {
    std::map<std::string, std::size_t, std::less<>> groups;
    for (const ObjectFile& file : files) {
        groups.emplace(file.fileName, file.texts.size());
    }
    return [groups = std::move(groups)](const std::string& context) {
        const auto parsed = parseObjectContext(context);
        const auto file = parsed ? groups.find(parsed->fileName) : groups.end();
        return file != groups.end() && parsed->groupNumber <= file->second;
    };
}

PoImportReport applyObjectPo(std::vector<ObjectFile>& files, const std::vector<PoEntry>& entries,
                          std::uint8_t targetId, const CodePage& codePage, TypedCodes typedCodes,
                          PoProblems problems) {
    PoImportReport report;
    std::map<std::string, std::size_t> byName;
    for (std::size_t i = 0; i < files.size(); ++i) {
        byName.emplace(files[i].fileName, i);
    }
    std::vector<ObjectFile> result = files;
    std::set<std::pair<std::size_t, std::size_t>> seen;
    for (const PoEntry& entry : entries) {
        const auto context = entry.hasContext ? parseObjectContext(entry.context) : std::nullopt;
        const auto file = context ? byName.find(context->fileName) : byName.end();
        if (file == byName.end() || context->groupNumber > result[file->second].texts.size()) {
            skipUnknown(entry, report);
            continue;
        }
        ObjectFile& object = result[file->second];
        const std::size_t g = context->groupNumber - 1;
        if (!seen.emplace(file->second, g).second) {
            report.problems.push_back(
                Problem::in(entry.context, "a second message for the same group"));
            continue;
        }
        std::string raw;
        if (!translationToApply(entry, report, raw, codePage, typedCodes)) {
            continue;
        }
        ObjectTextGroup& group = object.texts[g];
        auto target = std::find_if(group.begin(), group.end(),
                                   [targetId](const ObjectText& t) { return t.id == targetId; });
        if (target != group.end() && target->text == raw) {
            ++report.counts.unchanged;
            continue;
        }
        if (target == group.end()) {
            group.push_back({targetId, std::move(raw)});
        } else {
            target->text = std::move(raw);
        }
        object.modified = true;
        ++report.counts.applied;
    }
    if (report.problems.empty() || problems == PoProblems::SkipMessages) {
        files = std::move(result);
    }
    return report;
}

std::unique_ptr<ObjectTextsEdit> objectPoStep(ObjectTextsDocument& document,
                                           const std::vector<PoEntry>& entries,
                                           std::uint8_t targetId, const CodePage& codePage,
                                           PoImportReport& report, TypedCodes typedCodes,
                                           PoProblems problems) {
    std::vector<ObjectFile> files = document.files();
    report = applyObjectPo(files, entries, targetId, codePage, typedCodes, problems);
    if (!report.problems.empty() && problems == PoProblems::RefuseFile) {
        return nullptr;
    }
    const int n = report.counts.applied;
    return document.replaceTextsStep(
        files, "PO import (" + std::to_string(n) + (n == 1 ? " text)" : " texts)"));
}

}  // namespace tarn
