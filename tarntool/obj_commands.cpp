// tarntool obj info|recode|set: one object file from the command line.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <sstream>

#include "common/errors.h"
#include "common/file_io.h"
#include "objfiles/object_container.h"
#include "objfiles/object_folder.h"
#include "objfiles/text_tables.h"
#include "tarntool/command_line.h"
#include "tarntool/commands.h"

namespace tarn::tool {

namespace {

const char* const kObjUsage =
    "usage: tarntool obj info FILE\n"
    "       tarntool obj recode FILE -o OUT [--normal-rle]\n"
    "       tarntool obj set FILE --group G --id ID --hex HEX [--normal-rle]\n";

std::string hex32(std::uint32_t v) {
    char buffer[9];
    std::snprintf(buffer, sizeof buffer, "%08x", v);
    return buffer;
}

int info(const CommandLine& cl) {
    if (cl.positional().size() != 1) {
        throw UsageError("obj info takes one FILE");
    }
    ObjFile object;
    Bytes decoded;
    Bytes file;
    try {
        file = readWholeFile(cl.positional()[0]);
        decoded = decodeObjectFile(file, object);
        readTextGroups(decoded, object);
    } catch (const std::exception& e) {
        std::cerr << "tarntool: " << cl.positional()[0] << ": " << e.what() << "\n";
        return 1;
    }
    std::ostringstream json;
    json << "{\"flags\": " << object.Flags << ", \"type\": " << object.objectType()
         << ", \"name\": \"" << toHex(std::string(object.Name.begin(), object.Name.end()))
         << "\", \"encoding\": " << unsigned{object.Encoding}
         << ", \"length\": " << readU32LE(file.data() + 17) << ", \"stored_checksum\": \""
         << hex32(readU32LE(file.data() + 12)) << "\", \"checksum\": \""
         << hex32(objectChecksum(object, decoded.data(), decoded.size())) << "\", \"groups\": [";
    for (std::size_t g = 0; g < object.Texts.size(); ++g) {
        json << (g ? ", [" : "[");
        for (std::size_t i = 0; i < object.Texts[g].size(); ++i) {
            const ObjText& t = object.Texts[g][i];
            json << (i ? ", " : "") << "{\"id\": " << unsigned{t.ID} << ", \"hex\": \""
                 << toHex(t.Text) << "\"}";
        }
        json << "]";
    }
    json << "]}\n";
    std::cout << json.str();
    return 0;
}

int recode(const CommandLine& cl) {
    const auto out = cl.value("-o");
    if (cl.positional().size() != 1 || !out) {
        throw UsageError("obj recode takes FILE -o OUT");
    }
    try {
        const Bytes file = readWholeFile(cl.positional()[0]);
        ObjFile object = readObjectFile(file, "");
        writeFileAtomically(*out, rewriteObjectFile(file, object, !cl.has("--normal-rle")));
    } catch (const std::exception& e) {
        std::cerr << "tarntool: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

int set(const CommandLine& cl) {
    const auto group = cl.value("--group");
    const auto id = cl.value("--id");
    const auto hex = cl.value("--hex");
    if (cl.positional().size() != 1 || !group || !id || !hex) {
        throw UsageError("obj set takes FILE --group G --id ID --hex HEX");
    }
    const unsigned g = parseNumber(*group, 0, 254, "the group");
    const auto languageId = static_cast<std::uint8_t>(parseNumber(*id, 0, 254, "the language ID"));
    const std::string text = fromHex(*hex);
    if (text.find('\0') != std::string::npos) {
        throw UsageError("a text cannot hold the byte 00");
    }
    const fs::path path = cl.positional()[0];
    try {
        ObjFile object = loadObjectFile(path);
        if (g >= object.Texts.size()) {
            std::cerr << "tarntool: " << path.string() << " has no group " << g << " (it has "
                      << object.Texts.size() << ")\n";
            return 1;
        }
        ObjTextGroup& entries = object.Texts[g];
        auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const ObjText& t) { return t.ID == languageId; });
        if (it == entries.end()) {
            entries.push_back({languageId, text});
        } else {
            it->Text = text;
        }
        saveObjectFile(path, object, !cl.has("--normal-rle"));
    } catch (const std::exception& e) {
        std::cerr << "tarntool: " << path.string() << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int runObjCommand(const Args& args) {
    try {
        if (args.empty()) {
            throw UsageError("obj needs a command");
        }
        const std::string& command = args[0];
        if (command == "check")
            return runObjCheckCommand(args);
        const CommandLine cl(args, 1, {"-o", "--group", "--id", "--hex"}, {"--normal-rle"});
        if (command == "info")
            return info(cl);
        if (command == "recode")
            return recode(cl);
        if (command == "set")
            return set(cl);
        throw UsageError("unknown obj command \"" + command + "\"");
    } catch (const UsageError& e) {
        std::cerr << "tarntool: " << e.what() << "\n" << kObjUsage;
        return 2;
    }
}

}  // namespace tarn::tool
