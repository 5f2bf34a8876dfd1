// SPDX-License-Identifier: GPL-3.0-or-later
// Proves: decodeObjectFile, readTextGroups and writeTextGroups never crash nor read outside
// their input, whatever the file holds; when a file decodes and its tables read, writing the
// tables back gives data whose tables read as the same groups, and encoding that data again
// (both run-length encoders) decodes to the same data.
#include "common/errors.h"
#include "fuzz/fuzz_check.h"
#include "objfiles/object_container.h"
#include "objfiles/text_tables.h"

using namespace tarn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ObjectFile object;
    Bytes decoded;
    try {
        decoded = decodeObjectFile(data, size, object);
        readTextGroups(decoded, object);
    } catch (const StreamReadError&) {
        return 0;
    }
    FUZZ_CHECK(object.texts.size() == TextTableCount[object.objectType()]);

    // Edit the model a little, as the translation window would, then write it back.
    if (!object.texts.empty()) {
        object.texts.front().push_back({7, "new"});
    }
    const Bytes rebuilt = writeTextGroups(decoded, object);
    ObjectFile again = object;
    again.texts.clear();
    readTextGroups(rebuilt, again);
    FUZZ_CHECK(again.texts == object.texts);

    for (const bool enhanced : {false, true}) {
        ObjectFile reread;
        const Bytes file = encodeObjectFile(rebuilt, object, enhanced);
        if (object.encoding != kEncodingStored && object.encoding != kEncodingRLE &&
            object.encoding != kEncodingScrambled) {
            continue;  // unreachable: such files have no data and no tables
        }
        FUZZ_CHECK(decodeObjectFile(file, reread) == rebuilt);
        FUZZ_CHECK(reread.flags == object.flags && reread.name == object.name &&
                   reread.encoding == object.encoding);
    }
    return 0;
}
