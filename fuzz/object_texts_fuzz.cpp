// SPDX-License-Identifier: GPL-3.0-or-later
// Proves: reading OBJTEXTS front to back as the end-user program does (header, then for each
// file record its name and applyNewTexts into a model) never crashes nor reads past the data,
// however the counts and lengths lie (StreamReadError); merging keeps the model's group count,
// never stores the table end 0xFF as a language ID, and gives every ID read the text read.
// Records written by writeObjTexts from the merged models read back the same way.
#include <vector>

#include "common/errors.h"
#include "enduser/obj_texts.h"
#include "fuzz/fuzz_check.h"

using namespace tarn;

namespace {

ObjFileTexts sampleModel() {
    return {{{0, "Sword"}, {5, "Schwert"}}, {}, {{0, "A sharp blade"}}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ObjTextsReader reader(Bytes(data, data + size));
    std::vector<ObjFile> merged;
    try {
        reader.readHeader();
        // A record takes at least two bytes, so a larger count than that ends early anyway.
        for (std::uint32_t i = 0; i < reader.fileCount() && i <= size; ++i) {
            ObjFile file;
            file.fileName = reader.readFileName();
            file.texts = sampleModel();
            applyNewTexts(reader.stream(), file.texts);
            FUZZ_CHECK(file.texts.size() == sampleModel().size());
            for (const ObjTextGroup& group : file.texts) {
                for (const ObjText& entry : group) {
                    FUZZ_CHECK(entry.id != 0xFF);
                }
            }
            merged.push_back(std::move(file));
        }
    } catch (const StreamReadError&) {
    }

    // What the builder writes from these models, the end-user program reads back unchanged.
    const Bytes written = writeObjTexts(merged, {});
    ObjTextsReader again(written);
    again.readHeader();
    FUZZ_CHECK(again.fileCount() == merged.size());
    for (const ObjFile& file : merged) {
        FUZZ_CHECK(again.readFileName() == file.fileName);
        ObjFileTexts texts(file.texts.size());
        applyNewTexts(again.stream(), texts);
        FUZZ_CHECK(texts == file.texts);
    }
    FUZZ_CHECK(again.stream().remaining() == 0);
    return 0;
}
