// SPDX-License-Identifier: GPL-3.0-or-later
// Proves: reading OBJTEXTS front to back as the end-user program does (header, then for each
// file record its name and applyNewTexts into a model) never crashes nor reads past the data,
// however the counts and lengths lie (StreamReadError); merging keeps the model's group count,
// never stores the table end 0xFF as a language ID, and gives every ID read the text read.
// Records written by writeObjectTexts from the merged models read back the same way.
#include <vector>

#include "common/errors.h"
#include "enduser/object_texts.h"
#include "fuzz/fuzz_check.h"

using namespace tarn;

namespace {

ObjectFileTexts sampleModel() {
    return {{{0, "Sword"}, {5, "Schwert"}}, {}, {{0, "A sharp blade"}}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ObjectTextsReader reader(Bytes(data, data + size));
    std::vector<ObjectFile> merged;
    try {
        reader.readHeader();
        // A record takes at least two bytes, so a larger count than that ends early anyway.
        for (std::uint32_t i = 0; i < reader.fileCount() && i <= size; ++i) {
            ObjectFile file;
            file.fileName = reader.readFileName();
            file.texts = sampleModel();
            applyNewTexts(reader.stream(), file.texts);
            FUZZ_CHECK(file.texts.size() == sampleModel().size());
            for (const ObjectTextGroup& group : file.texts) {
                for (const ObjectText& entry : group) {
                    FUZZ_CHECK(entry.id != 0xFF);
                }
            }
            merged.push_back(std::move(file));
        }
    } catch (const StreamReadError&) {
    }

    // What the builder writes from these models, the end-user program reads back unchanged.
    const Bytes written = writeObjectTexts(merged, {});
    ObjectTextsReader again(written);
    again.readHeader();
    FUZZ_CHECK(again.fileCount() == merged.size());
    for (const ObjectFile& file : merged) {
        FUZZ_CHECK(again.readFileName() == file.fileName);
        ObjectFileTexts texts(file.texts.size());
        applyNewTexts(again.stream(), texts);
        FUZZ_CHECK(texts == file.texts);
    }
    FUZZ_CHECK(again.stream().remaining() == 0);
    return 0;
}
