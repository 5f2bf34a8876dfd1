// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/sample_game_objects.h"

#include <gtest/gtest.h>

#include <set>

#include "objfiles/object_folder.h"

namespace tarn {
namespace {

TEST(SampleGameObjects, EveryTypeAndEncodingDecodesAndTheTextsUseTheGameCodes) {
    std::string all;
    std::set<unsigned> encodings;
    const std::vector<SampleObjectFile> files = sampleGameObjects();
    ASSERT_EQ(files.size(), 11u);
    for (std::size_t type = 0; type < files.size(); ++type) {
        const ObjectFile object = readObjectFile(files[type].contents, files[type].fileName);
        EXPECT_EQ(object.objectType(), type) << files[type].fileName;
        encodings.insert(object.encoding);
        for (const ObjectTextGroup& group : object.texts) {
            for (const ObjectText& text : group) {
                EXPECT_EQ(text.text.find('\0'), std::string::npos);
                all += text.text;
            }
        }
    }
    EXPECT_EQ(encodings, (std::set<unsigned>{0, 1, 3}));
    // Line break, thin letters, default colour, a picture, values, colours, accented letters.
    for (const char* code :
         {"\x05", "\x0A", "\x0E", "\x17\x01", "\x7B", "\x80", "\x8A", "\x91", "\x96", "\xFC"}) {
        EXPECT_NE(all.find(code), std::string::npos) << static_cast<int>(code[0] & 0xFF);
    }
}

}  // namespace
}  // namespace tarn
