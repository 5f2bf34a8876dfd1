#include "enduser/end_user_program.h"

#include <gtest/gtest.h>

#include "enduser/resource_bundle.h"

namespace tarn {
namespace {

TEST(EndUserProgram, IsThePatcherCopyWithBothResourcesAttached) {
    const Bytes patcher{'E', 'L', 'F', 0, 1, 2};
    ObjFile file;
    file.FileName = "A.DAT";
    file.Texts = {{{3, "drei"}}};
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
    EXPECT_EQ(*texts, writeObjTexts({file}, options.texts));

    // Building from a program that already carries resources replaces them.
    options.yesChars = "o";
    const Bytes again = buildEndUserProgram(program, {file}, options);
    EXPECT_EQ(loadString(ResourceBundle::parse(again), 11), u"o");
    EXPECT_EQ(again.size(), program.size() - 2);

    file.FileName = std::string(300, 'x');
    EXPECT_THROW(buildEndUserProgram(patcher, {file}, options), ObjTextsLimitError);
}

}  // namespace
}  // namespace tarn
