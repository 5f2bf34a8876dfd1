// Proves: reading OBJTEXTS front to back as the end-user program does (header, then for each
// file record its name and ApplyNewTexts into a model) never crashes nor reads past the data,
// however the counts and lengths lie (StreamReadError); merging keeps the model's group count,
// never stores the table end 0xFF as a language ID, and gives every ID read the text read.
// Records written by WriteObjTexts from the merged models read back the same way.
#include <vector>

#include "common/errors.h"
#include "enduser/obj_texts.h"
#include "fuzz/fuzz_check.h"

using namespace tarn;

namespace {

TObjFileTexts sampleModel() {
    return {{{0, "Sword"}, {5, "Schwert"}}, {}, {{0, "A sharp blade"}}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ObjTextsReader reader(Bytes(data, data + size));
    std::vector<TObjFile> merged;
    try {
        reader.readHeader();
        // A record takes at least two bytes, so a larger count than that ends early anyway.
        for (std::uint32_t i = 0; i < reader.fileCount() && i <= size; ++i) {
            TObjFile file;
            file.FileName = reader.readFileName();
            file.Texts = sampleModel();
            ApplyNewTexts(reader.stream(), file.Texts);
            FUZZ_CHECK(file.Texts.size() == sampleModel().size());
            for (const TObjTextGroup& group : file.Texts) {
                for (const TObjText& entry : group) {
                    FUZZ_CHECK(entry.ID != 0xFF);
                }
            }
            merged.push_back(std::move(file));
        }
    } catch (const StreamReadError&) {
    }

    // What the builder writes from these models, the end-user program reads back unchanged.
    const Bytes written = WriteObjTexts(merged, {});
    ObjTextsReader again(written);
    again.readHeader();
    FUZZ_CHECK(again.fileCount() == merged.size());
    for (const TObjFile& file : merged) {
        FUZZ_CHECK(again.readFileName() == file.FileName);
        TObjFileTexts texts(file.Texts.size());
        ApplyNewTexts(again.stream(), texts);
        FUZZ_CHECK(texts == file.Texts);
    }
    FUZZ_CHECK(again.stream().remaining() == 0);
    return 0;
}
