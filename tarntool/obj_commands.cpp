// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool obj info|recode|set: one object file from the command line.
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "objfiles/object_container.h"
#include "objfiles/object_folder.h"
#include "objfiles/object_texts_document.h"
#include "objfiles/text_tables.h"
#include "tarntool/arguments.h"
#include "tarntool/commands.h"
#include "tarntool/json_output.h"
#include "tarntool/object_folder_input.h"

namespace tarn::tool {

namespace {

struct InfoOptions {
    std::string file;
};

struct RecodeOptions {
    std::string file;
    std::string out;
    bool normalRle = false;
};

struct SetOptions {
    std::string file;
    std::string group;
    std::string id;
    std::string hex;
    bool normalRle = false;
    bool force = false;
    bool repairChecksum = false;
};

std::string hex32(std::uint32_t v) {
    char buffer[9];
    std::snprintf(buffer, sizeof buffer, "%08x", v);
    return buffer;
}

int showInfo(const InfoOptions& o) {
    ObjectFile object;
    Bytes decoded;
    const Bytes file = readingInput(o.file, [&] {
        Bytes bytes = readWholeFile(pathFromUtf8(o.file));
        decoded = decodeObjectFile(bytes, object);
        readTextGroups(decoded, object);
        return bytes;
    });
    const ObjectFileHeader header = readObjectHeader(file);
    Json groups = Json::array();
    for (const ObjectTextGroup& group : object.texts) {
        Json entries = Json::array();
        for (const ObjectText& t : group) {
            entries.push_back({{"id", unsigned{t.id}}, {"hex", toHex(t.text)}});
        }
        groups.push_back(std::move(entries));
    }
    const std::uint32_t checksum = objectChecksum(object, decoded.data(), decoded.size());
    const Json info = {
        {"flags", object.flags},
        {"type", object.objectType()},
        {"name", toHex(std::string(object.name.begin(), object.name.end()))},
        {"encoding", unsigned{object.encoding}},
        {"length", header.length},
        {"stored_checksum", hex32(header.checksum)},
        {"checksum", hex32(checksum)},
        {"checksum_ok", header.checksum == checksum},
        {"groups", std::move(groups)},
    };
    std::cout << jsonLine(info) << "\n";
    return kOk;
}

int recode(const RecodeOptions& o) {
    ObjectFile object;
    FileIdentity identity;
    const Bytes file = readingInput(o.file, [&] {
        Bytes bytes = readWholeFile(pathFromUtf8(o.file), identity);
        object = readObjectFile(bytes, "");
        return bytes;
    });
    WriteOptions options;
    std::error_code sameFile;
    if (std::filesystem::equivalent(pathFromUtf8(o.file), pathFromUtf8(o.out), sameFile)) {
        options.expected = identity;  // rewritten in place: only the file read
    }
    writeFileAtomically(pathFromUtf8(o.out), rewriteObjectFile(file, object, !o.normalRle),
                        options);
    return kOk;
}

// Sets the text of one language in one group, adding the language when the group lacks it.
int setText(const SetOptions& o) {
    const unsigned group = parseNumber(o.group, 0, 254, "the group");
    const auto id = static_cast<std::uint8_t>(parseNumber(o.id, 0, 254, "the language ID"));
    const std::string text = fromHex(o.hex);
    if (text.find('\0') != std::string::npos) {
        throw UsageError("a text cannot hold the byte 00");
    }
    const fs::path path = pathFromUtf8(o.file);
    const std::optional<EditLock> lock = lockObjectFolderForWriting(path.parent_path(), o.force);
    ObjectTextsDocument document;
    const std::vector<Problem> problems = document.loadFiles(path.parent_path(), {path});
    if (!problems.empty()) {
        throw unreadableInput(describe(problems.front()));
    }
    reportUnfinishedSave(document);
    const std::size_t groups = document.file(0).texts.size();
    if (group >= groups) {
        throw CommandError(kBadUse, pathToUtf8(path) + " has no group " + std::to_string(group) +
                                        " (it has " + std::to_string(groups) + ")");
    }
    const AddLanguageIdResult entry = document.addLanguageId(0, group, id);
    document.setText(0, group, entry.row, text);
    ObjectSaveReport saved;
    try {
        refuseReadOnlyFile(path);
        saved = document.saveModified(
            {!o.normalRle, o.repairChecksum ? WrongChecksumSave::Repair : WrongChecksumSave::Refuse,
             "tarntool obj set"});
    } catch (const std::exception& e) {
        throw operationFailed(pathToUtf8(path) + ": " + e.what());
    }
    if (!saved.wrongChecksums.empty()) {
        throw operationFailed(describe(saved.problems.front()) +
                              "; --repair-checksum writes it with the right checksum");
    }
    if (!saved.ok()) {
        throw operationFailed(
            describe((saved.problems.empty() ? saved.failures : saved.problems).front()));
    }
    return kOk;
}

}  // namespace

void addObjCommands(Tool& tool) {
    UsageStyle style;
    style.sharedOptions = true;
    CLI::App& obj = tool.addFamily("obj", "One object file", style);

    auto inf = std::make_shared<InfoOptions>();
    tool.addCommand(obj,
                    {"info", "Prints the header, checksums and texts of an object file as JSON",
                     "info FILE", "obj info takes one FILE"},
                    [inf] { return showInfo(*inf); })
        .add_option("FILE", inf->file, "the object file")
        ->required()
        ->type_name("");

    auto rec = std::make_shared<RecodeOptions>();
    CLI::App& recodeCommand =
        tool.addCommand(obj,
                        {"recode", "Writes an object file again, as saving it does",
                         "recode FILE -o OUT [--normal-rle]", "obj recode takes FILE -o OUT"},
                        [rec] { return recode(*rec); });
    recodeCommand.add_option("FILE", rec->file, "the object file")->required()->type_name("");
    recodeCommand.add_option("-o", rec->out, "the object file to write")
        ->required()
        ->type_name("OUT");
    recodeCommand.add_flag("--normal-rle", rec->normalRle,
                           "the normal run-length encoder instead of the enhanced one");

    auto set = std::make_shared<SetOptions>();
    CLI::App& setCommand = tool.addCommand(
        obj,
        {"set", "Sets the text of one language ID in one text group and saves the file",
         "set FILE --group G --id ID --hex HEX [--normal-rle]",
         "obj set takes FILE --group G --id ID --hex HEX"},
        [set] { return setText(*set); });
    setCommand.add_option("FILE", set->file, "the object file, rewritten")
        ->required()
        ->type_name("");
    setCommand.add_option("--group", set->group, "the text group, from 0")
        ->required()
        ->type_name("G");
    setCommand.add_option("--id", set->id, "the language ID, 0 to 254 (added if missing)")
        ->required()
        ->type_name("ID");
    setCommand.add_option("--hex", set->hex, "the text's game bytes in hex")
        ->required()
        ->type_name("HEX");
    setCommand.add_flag("--normal-rle", set->normalRle,
                        "the normal run-length encoder instead of the enhanced one");
    addForceOption(setCommand, set->force);
    addRepairChecksumOption(setCommand, set->repairChecksum);
}

}  // namespace tarn::tool
