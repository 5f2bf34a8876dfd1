// SPDX-License-Identifier: GPL-3.0-or-later
// Every file the system rewrites, with the write failing at each step: the temporary file
// cannot be created, cannot take the old file's owner or extended attributes, the old file's bytes
// cannot be copied (the translated executable, which is written as ranges over a copy), the disk
// fills part way through the data, the flush fails, the rename over the old file is refused. In
// each case the old file stays whole, no temporary file is left behind, the caller hears a clear
// error, and state that a failed save keeps (a model's Modified flag, the settings' unsaved
// changes) is kept for a retry, which then succeeds.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/profile_file.h"
#include "common/tests/temp_dir.h"
#include "enduser/end_user_program.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"
#include "objfiles/object_folder.h"
#include "objfiles/object_texts_document.h"
#include "objfiles/sample_objects.h"
#include "patcher/tarn_patch.h"

namespace tarn {
namespace {

const std::array<std::uint8_t, 8> kName{'F', 'A', 'U', 'L', 'T', '0', '0', '1'};

struct Fault {
    WriteFault::Step step;
    std::size_t bytesBeforeFailure;
    const char* expectedError;  // start of the FileError's message
};

const Fault kFaults[] = {
    {WriteFault::Step::CreateTemporary, 0, "Cannot create file"},
    {WriteFault::Step::WriteData, 0, "Cannot write file"},   // disk full at once
    {WriteFault::Step::WriteData, 10, "Cannot write file"},  // disk full part way
    {WriteFault::Step::Flush, 0, "Cannot write file"},
    {WriteFault::Step::Rename, 0, "Cannot replace file"},
    {WriteFault::Step::KeepOwner, 0, "Cannot write file"},
    {WriteFault::Step::CopyAttributes, 0, "Cannot write file"},
};

// The translated executable also copies the old file's bytes before writing its ranges.
const Fault kExecutableFaults[] = {
    kFaults[0], {WriteFault::Step::CopyOld, 0, "Cannot write file"},
    kFaults[1], kFaults[2],
    kFaults[3], kFaults[4],
    kFaults[5], kFaults[6],
};

void PrintTo(const Fault& fault, std::ostream* os) {
    *os << fault.expectedError << " after " << fault.bytesBeforeFailure << " bytes";
}

class WriteFaults : public ::testing::TestWithParam<Fault> {
protected:
    void TearDown() override { setWriteFaultForTesting({}); }
    // noKernelCopy: the file system offers neither a clone nor copy_file_range.
    void inject(bool noKernelCopy = false) {
        WriteFault fault{GetParam().step, GetParam().bytesBeforeFailure};
        fault.noClone = fault.noKernelCopy = noKernelCopy;
        setWriteFaultForTesting(fault);
    }
    void clearFault() { setWriteFaultForTesting({}); }

    // The error is the file layer's own, naming the file and the reason.
    void expectClearError(const std::exception& e, const fs::path& path) {
        const std::string what = e.what();
        EXPECT_EQ(what.rfind(GetParam().expectedError, 0), 0u) << what;
        EXPECT_NE(what.find(path.string()), std::string::npos) << what;
    }

    TempDir dir;
};

class ExecutableWriteFaults : public WriteFaults {};

// Over a copy made in the kernel and through the whole-file path alike.
TEST_P(ExecutableWriteFaults, TranslatedExecutableStaysWholeAndTheRetrySaves) {
    const fs::path path = dir.path() / "Tarn.exe";
    for (const bool noKernelCopy : {false, true}) {
        SCOPED_TRACE(noKernelCopy ? "whole-file path" : "kernel copy");
        std::vector<std::string> texts = sampleTexts();
        const Bytes original = makeSampleExecutable(2, texts);
        writeFileAtomically(path, original);
        texts[0] = "Changed first text";

        inject(noKernelCopy);
        try {
            saveStrings(path, texts, {});
            FAIL() << "the save reported success";
        } catch (const FileError& e) {
            expectClearError(e, path);
        }
        EXPECT_EQ(readWholeFile(path), original);
        EXPECT_EQ(dir.fileCount(), 1u);

        clearFault();
        EXPECT_TRUE(saveStrings(path, texts, {}).saved);
        LoadedExecutables loaded;
        loadExecutables(path, path, Notation::Raw, loaded);
        EXPECT_EQ(loaded.translated[0], "Changed first text");
    }
}

TEST_P(WriteFaults, ObjectFileStaysWholeAndKeepsModifiedForARetry) {
    const fs::path path = dir.path() / "ITEM.DAT";
    const Bytes original = makeSampleObjectFile(1, 1, {{{0, "Sword"}}}, kName, 3, 2000);
    writeFileAtomically(path, original);
    ObjectTextsDocument document;
    ASSERT_TRUE(document.loadFolder(dir.path()).empty());
    document.setText(0, 0, document.addLanguageId(0, 0, 9).row, "Miecz");

    inject();
    ObjectSaveReport report = document.saveModified();
    ASSERT_EQ(report.failures.size(), 1u) << "the save reported success";
    // The write error's own words, which name the file.
    expectClearError(std::runtime_error(describe(report.failures[0])), path);
    EXPECT_TRUE(document.isModified(0));
    EXPECT_EQ(readWholeFile(path), original);
    EXPECT_EQ(dir.fileCount(), 1u);

    clearFault();
    report = document.saveModified();
    EXPECT_TRUE(report.ok());
    EXPECT_FALSE(document.isModified(0));
    EXPECT_EQ(loadObjectFile(path).texts, document.file(0).texts);
}

// The folder flush fails once the new file is in place: the file stays modified for a retry,
// but is not taken for another program's change.
TEST(ObjectWriteFault, AFileReplacedBeforeTheFailureIsNotAskedAbout) {
    TempDir dir;
    const fs::path path = dir.path() / "ITEM.DAT";
    writeFileAtomically(path, makeSampleObjectFile(1, 1, {{{0, "Sword"}}}, kName, 3, 2000));
    ObjectTextsDocument document;
    ASSERT_TRUE(document.loadFolder(dir.path()).empty());
    document.setText(0, 0, 0, "Blade");

    setWriteFaultForTesting({WriteFault::Step::FlushFolder, 0});
    ObjectSaveReport report = document.saveModified();
    setWriteFaultForTesting({});
    ASSERT_EQ(report.failures.size(), 1u) << "the save reported success";
    EXPECT_EQ(loadObjectFile(path).texts[0][0].text, "Blade");
    EXPECT_TRUE(document.isModified(0));
    EXPECT_TRUE(document.changedOnDisk().empty());
    EXPECT_TRUE(document.saveModified().ok());
}

TEST_P(WriteFaults, SettingsFileStaysWholeAndKeepsItsChangesForARetry) {
    const fs::path path = dir.path() / "tarnedit.ini";
    const std::string original = "; written by hand\r\n[Options]\r\nCStyleStrings=0\r\n";
    writeFileAtomically(path, Bytes(original.begin(), original.end()));
    ProfileFile ini(path);
    ini.writeBool("Options", "CStyleStrings", true);

    inject();
    try {
        ini.save();
        FAIL() << "the save reported success";
    } catch (const FileError& e) {
        // The path and the reason.
        const std::string prefix = "Unable to write to " + path.string() + ". ";
        EXPECT_EQ(std::string(e.what()).rfind(prefix, 0), 0u) << e.what();
        EXPECT_GT(std::string(e.what()).size(), prefix.size());
    }
    EXPECT_EQ(toString(readWholeFile(path)), original);
    EXPECT_EQ(dir.fileCount(), 1u);
    EXPECT_TRUE(ini.isModified());

    clearFault();
    ini.save();
    EXPECT_FALSE(ini.isModified());
    EXPECT_TRUE(ProfileFile(path).readBool("Options", "CStyleStrings", false));
}

// TarnPatch rewriting an end user's object files: every failed save is message 6 with the
// path and the error's text, then message 7; answering yes goes on with the next file, and
// the summary counts every failure. No file is half written.
TEST_P(WriteFaults, EndUserProgramReportsEverySaveAndLeavesTheFilesWhole) {
    const fs::path objData = dir.path() / "ObjData";
    fs::create_directory(objData);
    const Bytes a = makeSampleObjectFile(1, 1, {{{0, "Sword"}}}, kName, 1, 2000);
    const Bytes b = makeSampleObjectFile(10, 3, {{{0, "x"}}, {}, {{0, "z"}}}, kName, 2, 2000);
    writeFileAtomically(objData / "A.DAT", a);
    writeFileAtomically(objData / "B.DAT", b);
    // The translator's copies: the same objects with new texts.
    std::vector<ObjectFile> files = {readObjectFile(a, "A.DAT"), readObjectFile(b, "B.DAT")};
    files[0].texts = {{{0, "Schwert"}}};
    files[1].texts = {{{0, "y"}}, {}, {}};
    const Bytes program = buildEndUserProgram(Bytes{'E', 'X', 'E'}, files, {});

    // A run with errors ends with exit code 1, one without with 0.
    auto runPatch = [&](const std::string& answers, int code = 1) {
        std::istringstream in(answers);
        std::ostringstream out;
        TarnPatch patch(ResourceBundle::parse(program), {}, dir.path(), in, out);
        EXPECT_EQ(patch.run(), code);
        return out.str();
    };

    inject();
    const std::string console = runPatch("y\ny\ny\n\n");
    for (const char* name : {"A.DAT", "B.DAT"}) {
        const std::string shown = "ObjData" + fs::path("/").make_preferred().string() + name;
        const std::string message =
            "The following error occured while trying to save " + shown + ":\n";
        const auto at = console.find(message);
        ASSERT_NE(at, std::string::npos) << console;
        EXPECT_EQ(console.compare(at + message.size(), std::strlen(GetParam().expectedError),
                                  GetParam().expectedError),
                  0)
            << console;
    }
    EXPECT_NE(console.find("Do you want to ignore the error and try to process the remaining "
                           "files? [Y/N]"),
              std::string::npos);
    EXPECT_NE(console.find("Processing finished with 2 error(s)"), std::string::npos);
    EXPECT_EQ(readWholeFile(objData / "A.DAT"), a);
    EXPECT_EQ(readWholeFile(objData / "B.DAT"), b);
    EXPECT_EQ(dir.fileCount(), 1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(objData), fs::directory_iterator()), 2);

    // Answering no stops at the first failure with one error counted.
    const std::string stopped = runPatch("y\nn\n\n");
    EXPECT_NE(stopped.find("Processing finished with 1 error(s)"), std::string::npos);
    EXPECT_EQ(
        stopped.find("trying to save ObjData" + fs::path("/").make_preferred().string() + "B.DAT"),
        std::string::npos);

    clearFault();
    EXPECT_NE(runPatch("y\n\n", 0).find("All OK"), std::string::npos);
    EXPECT_EQ(loadObjectFile(objData / "A.DAT").texts, (ObjectFileTexts{{{0, "Schwert"}}}));
}

std::string faultName(const ::testing::TestParamInfo<Fault>& info) {
    switch (info.param.step) {
        case WriteFault::Step::CreateTemporary:
            return "TemporaryNotCreated";
        case WriteFault::Step::CopyOld:
            return "OldBytesNotCopied";
        case WriteFault::Step::WriteData:
            return info.param.bytesBeforeFailure == 0 ? "DiskFullAtOnce" : "DiskFullPartWay";
        case WriteFault::Step::Flush:
            return "FlushFailed";
        case WriteFault::Step::Rename:
            return "RenameRefused";
        case WriteFault::Step::KeepOwner:
            return "OwnerNotKept";
        case WriteFault::Step::CopyAttributes:
            return "AttributesNotCopied";
        default:
            return "None";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryStep, WriteFaults, ::testing::ValuesIn(kFaults), faultName);
INSTANTIATE_TEST_SUITE_P(EveryStep, ExecutableWriteFaults, ::testing::ValuesIn(kExecutableFaults),
                         faultName);

}  // namespace
}  // namespace tarn
