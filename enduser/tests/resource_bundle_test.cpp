// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/resource_bundle.h"

#include <gtest/gtest.h>

#include <memory>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "enduser/message_table.h"

namespace tarn {
namespace {

const Bytes kExe{'M', 'Z', 1, 2, 3, 4, 5};
const ResourceKey kStrings{6, ResourceName::number(1), 0};
const ResourceKey kTexts{10, ResourceName::string("ObjTexts"), 0};

// Every resource's key and bytes, to compare two readings.
std::string describe(const ResourceBundle& bundle) {
    std::string text;
    for (const Resource& r : bundle.resources()) {
        text += std::to_string(r.key.type) + "/" + std::to_string(r.key.name.id) + r.key.name.text +
                "/" + std::to_string(r.key.language) + ":" +
                std::string(r.data.begin(), r.data.end()) + ";";
    }
    return text;
}

TEST(ResourceBundle, AppendsAfterTheExecutableAndFindsByTypeNameAndLanguage) {
    const Bytes file = addResources(kExe, {{kStrings, {1, 2}}, {kTexts, {3}}});
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 7), kExe);
    EXPECT_EQ(ResourceBundle::executableSize(file.data(), file.size()), kExe.size());
    const ResourceBundle bundle = ResourceBundle::parse(file);
    ASSERT_NE(bundle.find(kStrings), nullptr);
    EXPECT_EQ(*bundle.find(kStrings), (Bytes{1, 2}));
    EXPECT_EQ(*bundle.find({10, ResourceName::string("OBJTEXTS"), 0}), Bytes{3});
    EXPECT_EQ(bundle.find({10, ResourceName::string("OBJTEXTS"), 7}), nullptr);
    EXPECT_EQ(bundle.find({6, ResourceName::number(2), 0}), nullptr);
    EXPECT_EQ(bundle.find({10, ResourceName::number(1), 0}), nullptr);
    EXPECT_TRUE(ResourceBundle::parse(kExe).resources().empty());
}

TEST(ResourceBundle, AddingAgainReplacesTheSameKeyAndKeepsTheOthers) {
    const Bytes first = addResources(kExe, {{kStrings, {1}}, {kTexts, {2}}});
    const Bytes second =
        addResources(first, {{kTexts, {9, 9}}, {{10, ResourceName::number(5), 0}, {4}}});
    const ResourceBundle bundle = ResourceBundle::parse(second);
    EXPECT_EQ(bundle.resources().size(), 3u);
    EXPECT_EQ(*bundle.find(kStrings), Bytes{1});
    EXPECT_EQ(*bundle.find(kTexts), (Bytes{9, 9}));
    EXPECT_EQ(ResourceBundle::executableSize(second.data(), second.size()), kExe.size());
}

TEST(ResourceBundle, LyingFootersAndDirectoriesAreRefusedWithoutReadingOutside) {
    const TempDir dir;
    const std::filesystem::path path = dir.path() / "TarnPatch";
    const Bytes good = addResources(kExe, {{kStrings, {1, 2, 3}}, {kTexts, {4}}});
    const std::size_t footer = good.size() - 24;
    // Every single-byte change of the directory and footer either still parses or is refused
    // with the bundle's own error; the sanitizer build proves nothing is read outside.
    for (std::size_t at = kExe.size() + 4; at < footer + 16; ++at) {
        for (std::uint8_t value : {std::uint8_t{0}, std::uint8_t{0x7F}, std::uint8_t{0xFF}}) {
            Bytes bad = good;
            bad[at] = value;
            const auto copy = std::make_unique<std::uint8_t[]>(bad.size());
            std::copy(bad.begin(), bad.end(), copy.get());
            // Read from a file, only its bundle is read, with the same outcome.
            writeFileAtomically(path, bad);
            std::string parsed;
            std::string read;
            try {
                parsed = describe(ResourceBundle::parse(copy.get(), bad.size()));
            } catch (const ResourceBundleError& e) {
                EXPECT_NE(std::string(e.what()).find("damaged"), std::string::npos);
                parsed = e.what();
            }
            try {
                read = describe(ResourceBundle::read(path));
            } catch (const ResourceBundleError& e) {
                read = e.what();
            }
            EXPECT_EQ(read, parsed) << at;
        }
    }
    Bytes huge = good;
    writeU32LE(huge.data() + footer + 12, 0xFFFFFFF0u);
    EXPECT_THROW(ResourceBundle::parse(huge), ResourceBundleError);
    writeFileAtomically(path, huge);
    EXPECT_THROW(ResourceBundle::read(path), ResourceBundleError);
    const Bytes onlyFooter(good.end() - 24, good.end());
    EXPECT_THROW(ResourceBundle::parse(onlyFooter), ResourceBundleError);
    for (const Bytes& plain : {kExe, Bytes{}}) {
        writeFileAtomically(path, plain);
        EXPECT_TRUE(ResourceBundle::read(path).resources().empty());
    }
}

TEST(ResourceBundle, LoadStringReadsBlockOneLikeTheWindowsLoader) {
    MessageTexts messages = defaultMessages();
    messages[8] = "";
    messages[11] = "";
    const Bytes file = addResources(kExe, {{kStrings, buildMessageTableBlock(messages, "y")}});
    const ResourceBundle bundle = ResourceBundle::parse(file);
    EXPECT_EQ(loadString(bundle, 3), u"Processing files, please be patient...");
    EXPECT_EQ(loadString(bundle, 11), u"y");
    EXPECT_TRUE(loadString(bundle, 8).empty());
    EXPECT_TRUE(loadString(bundle, 12).empty());
    EXPECT_EQ(loadString(bundle, 13), u"%1 file(s) restored");
    EXPECT_TRUE(loadString(bundle, 16).empty());  // block 2 is missing
    EXPECT_TRUE(loadString(ResourceBundle(), 0).empty());
    // Another language is found when no neutral block exists.
    const ResourceBundle german = ResourceBundle::parse(addResources(
        kExe, {{{6, ResourceName::number(1), 0x407}, buildMessageTableBlock(messages, "j")}}));
    EXPECT_EQ(loadString(german, 11), u"j");
}

}  // namespace
}  // namespace tarn
