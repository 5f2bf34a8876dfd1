// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/end_user_program.h"

#include <gtest/gtest.h>

#include "enduser/object_identity.h"
#include "enduser/resource_bundle.h"

namespace tarn {
namespace {

TEST(EndUserProgram, IsThePatcherCopyWithBothResourcesAttached) {
    const Bytes patcher{'E', 'L', 'F', 0, 1, 2};
    ObjectFile file;
    file.fileName = "A.DAT";
    file.texts = {{{3, "drei"}}};
    EndUserOptions options;
    options.yesChars = "jJ";
    options.texts = {3, false};
    const Bytes program = buildEndUserProgram(patcher, {file}, options);
    EXPECT_EQ(Bytes(program.begin(), program.begin() + 6), patcher);
    const ResourceBundle bundle = ResourceBundle::parse(program);
    EXPECT_EQ(loadString(bundle, 11), u"jJ");
    EXPECT_EQ(loadString(bundle, 9), u"Processing finished with %1 error(s)");
    const Bytes* texts = bundle.find({10, ResourceName::string("OBJTEXTS"), 0});
    ASSERT_NE(texts, nullptr);
    EXPECT_EQ(*texts, writeObjectTexts({file}, options.texts));
    // Beside the texts, the identity of the object they were made for, under a checksum.
    const Bytes* identities = bundle.find({10, ResourceName::string("OBJIDENT"), 0});
    ASSERT_NE(identities, nullptr);
    EXPECT_EQ(readObjectIdentities(*identities, *texts).at("A.DAT").groups, 1u);
    Bytes edited = *texts;
    edited.back() ^= 1;
    EXPECT_THROW(readObjectIdentities(*identities, edited), CarriedDataError);
    Bytes damaged = *identities;
    damaged[10] ^= 1;
    EXPECT_THROW(readObjectIdentities(damaged, *texts), CarriedDataError);

    // Building from a program that already carries resources replaces them.
    options.yesChars = "o";
    const Bytes again = buildEndUserProgram(program, {file}, options);
    EXPECT_EQ(loadString(ResourceBundle::parse(again), 11), u"o");
    EXPECT_EQ(again.size(), program.size() - 2);

    file.fileName = std::string(300, 'x');
    EXPECT_THROW(buildEndUserProgram(patcher, {file}, options), ObjectTextsLimitError);
}

TEST(EndUserProgram, APatchThatCarriesNoTextIsRefused) {
    const Bytes patcher{'E', 'L', 'F'};
    ObjectFile file;
    file.fileName = "A.DAT";
    file.texts = {{{3, "drei"}}, {}};
    EndUserOptions options;
    options.texts.onlyId = 7;
    try {
        buildEndUserProgram(patcher, {file}, options);
        FAIL() << "a patch without texts was built";
    } catch (const NoTextsError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "No object file has a text with language ID 7: the end-user program would "
                  "change nothing. Choose a language ID that the texts use, or all texts.");
    }
    options.texts.onlyId.reset();
    EXPECT_THROW(buildEndUserProgram(patcher, {}, options), NoTextsError);
    file.texts = {{}, {}};
    EXPECT_THROW(buildEndUserProgram(patcher, {file}, options), NoTextsError);
    file.texts = {{}, {{0, ""}}};  // an empty text is still a text to carry
    EXPECT_NO_THROW(buildEndUserProgram(patcher, {file}, options));
}

}  // namespace
}  // namespace tarn
