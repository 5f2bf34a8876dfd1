// SPDX-License-Identifier: GPL-3.0-or-later
// What a rewrite must keep of the file it replaces and of its folder: a symbolic link stays a
// link, the owner, group, extended attributes and access list stay, a file the user may not
// write is refused, and no temporary file stays behind, after a kill or a signal either. On
// Windows: the attributes stay and leftovers of ended processes go.
#include <gtest/gtest.h>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <functional>
#include <iostream>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/folder_handle.h"
#include "common/profile_file.h"
#include "common/temporary_files.h"
#include "common/tests/temp_dir.h"
#include "common/this_process.h"

namespace tarn {
namespace {

class FileKeeping : public ::testing::Test {
protected:
    void TearDown() override { setWriteFaultForTesting({}); }
    // A folder another user may enter and write.
    void openFolderToAll() { fs::permissions(dir.path(), fs::perms::all); }

    TempDir dir;
    fs::path file = dir.path() / "Tarn.exe";
};

// A process id that ran and has ended.
unsigned long endedProcess() {
#ifdef _WIN32
    // Windows gives process ids in steps of four: this one never runs.
    return 0xFFFFFFF1ul;
#else
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(0);
    }
    ::waitpid(pid, nullptr, 0);
    return static_cast<unsigned long>(pid);
#endif
}

#ifndef _WIN32
constexpr uid_t kOtherUser = 65534;  // "nobody"
constexpr gid_t kOtherGroup = 65534;

// Runs body in a child process as another user, answering its exit code (or -1 when it did not
// exit). Needs root; the caller skips otherwise.
int runAsOtherUser(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(kOtherGroup) != 0 || ::setuid(kOtherUser) != 0) {
            ::_exit(100);
        }
        int code = 101;
        try {
            code = body();
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(FileKeeping, LinkStaysALinkAndTheRealFileIsWrittenByEveryWriter) {
    fs::create_directory(dir.path() / "disk");
    const fs::path real = dir.path() / "disk" / "Tarn.exe";
    writeFileAtomically(real, Bytes{1, 2, 3});
    fs::create_symlink("disk/Tarn.exe", file);
    fs::create_symlink("Tarn.exe", dir.path() / "chain.exe");  // a link to the link

    writeFileAtomically(dir.path() / "chain.exe", Bytes{4, 5, 6});
    EXPECT_EQ(readWholeFile(real), (Bytes{4, 5, 6}));
    writeFileRangesAtomically(file, {{1, {9}}});
    EXPECT_EQ(readWholeFile(real), (Bytes{4, 9, 6}));
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "chain.exe"));
    EXPECT_EQ(dir.fileCount(), 3u);  // disk, the two links: no temporary file beside them

    // A dangling link is written through: the file it names is created.
    fs::create_symlink("disk/new.dat", dir.path() / "new.dat");
    writeFileAtomically(dir.path() / "new.dat", Bytes{7});
    EXPECT_TRUE(fs::is_symlink(dir.path() / "new.dat"));
    EXPECT_EQ(readWholeFile(dir.path() / "disk" / "new.dat"), Bytes{7});

    // Where no temporary file can be made, the message names the real file's folder.
    setWriteFaultForTesting({WriteFault::Step::CreateTemporary, 0});
    try {
        writeFileAtomically(file, Bytes{8});
        FAIL() << "the write reported success";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot create file \"" + file.string() + "\". The folder \"" +
                      (dir.path() / "disk").string() +
                      "\" cannot hold a temporary file: " + std::strerror(EACCES));
    }
}

// Below a held folder nothing is followed: each use of a link is refused, naming it, and what
// it leads to stays as it was; a link inside a folder removed goes, not what it names. The held
// folder itself may be reached through a link of the user's own.
TEST_F(FileKeeping, NothingBelowAHeldFolderIsFollowed) {
    const fs::path outside = dir.path() / "outside";
    fs::create_directories(outside / "folder");
    writeFileAtomically(outside / "owned", Bytes{1});
    const fs::path game = dir.path() / "game";
    fs::create_directories(game / "kept");
    fs::create_symlink(outside / "owned", game / "file");
    fs::create_symlink(outside / "owned", game / "kept" / "file");
    fs::create_directory_symlink(outside / "folder", game / "folder");
    fs::create_directory_symlink(game, dir.path() / "shortcut");
    const FolderHandle held = FolderHandle::open(dir.path() / "shortcut");
    bool made = false;
    const std::vector<std::pair<std::string, std::function<void()>>> uses = {
        {"file", [&] { held.read("file"); }},
        {"file", [&] { writeFileAtomically("file", Bytes{2}, noFollowIn(held)); }},
        {"folder", [&] { held.folder("folder"); }},
        {"folder", [&] { held.makeFolder("folder", made); }},
    };
    for (const auto& [name, use] : uses) {
        try {
            use();
            ADD_FAILURE() << name << " was followed";
        } catch (const LinkError& e) {
            EXPECT_EQ(e.path(), dir.path() / "shortcut" / name);
        }
    }
    EXPECT_FALSE(held.hardLink(held, "file", "second"));
    EXPECT_EQ(held.kind("file"), FolderHandle::Kind::Link);
    held.removeFolder("kept");
    held.remove("folder");
    EXPECT_EQ(held.list().size(), 1u);
    EXPECT_EQ(readWholeFile(outside / "owned"), Bytes{1});
    EXPECT_TRUE(fs::is_directory(outside / "folder"));
    // A pipe planted under a name is refused at once, never waited on.
    ASSERT_EQ(::mkfifo((game / "pipe").c_str(), 0600), 0);
    EXPECT_THROW(held.read("pipe"), FileError);
}

TEST_F(FileKeeping, OwnerGroupAndSpecialModeBitsAreKept) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a file to another owner needs root";
    }
    writeFileAtomically(file, Bytes{1});
    ASSERT_EQ(::chown(file.c_str(), 12345, 23456), 0);
    ASSERT_EQ(::chmod(file.c_str(), 02750), 0);
    writeFileAtomically(file, Bytes{2});
    writeFileRangesAtomically(file, {{0, {4}}});
    // Through a held folder the same is kept.
    const FolderHandle folder = FolderHandle::open(dir.path());
    writeFileAtomically("Tarn.exe", Bytes{3}, noFollowIn(folder));
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 12345u);
    EXPECT_EQ(st.st_gid, 23456u);
    EXPECT_EQ(st.st_mode & 07777, 02750u);
    EXPECT_EQ(readWholeFile(file), Bytes{3});
}

// The user attribute and the access list (a POSIX ACL in the kernel's own xattr layout: user
// owner rw, user 12345 r, group r, mask r, others nothing).
TEST_F(FileKeeping, ExtendedAttributesAndAccessListAreKept) {
    writeFileAtomically(file, Bytes{1});
    if (::setxattr(file.c_str(), "user.tarn", "kept", 4, 0) != 0) {
        GTEST_SKIP() << "this file system refuses user extended attributes: "
                     << std::strerror(errno);
    }
    auto entry = [](std::uint16_t tag, std::uint16_t perm, std::uint32_t id) {
        Bytes e(8);
        e[0] = static_cast<std::uint8_t>(tag);
        e[1] = static_cast<std::uint8_t>(tag >> 8);
        e[2] = static_cast<std::uint8_t>(perm);
        writeU32LE(e.data() + 4, id);
        return e;
    };
    Bytes acl = {2, 0, 0, 0};  // version 2
    for (const Bytes& e :
         {entry(0x01, 6, 0xFFFFFFFF), entry(0x02, 4, 12345), entry(0x04, 4, 0xFFFFFFFF),
          entry(0x10, 4, 0xFFFFFFFF), entry(0x20, 0, 0xFFFFFFFF)}) {
        acl.insert(acl.end(), e.begin(), e.end());
    }
    const bool withAcl =
        ::setxattr(file.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;

    writeFileAtomically(file, Bytes{2});
    writeFileRangesAtomically(file, {{0, {4}}});
    const FolderHandle folder = FolderHandle::open(dir.path());
    writeFileAtomically("Tarn.exe", Bytes{3}, noFollowIn(folder));
    char value[16] = {};
    EXPECT_EQ(::getxattr(file.c_str(), "user.tarn", value, sizeof value), 4);
    EXPECT_EQ(std::string(value), "kept");
    if (withAcl) {
        Bytes kept(64);
        const ssize_t n = ::getxattr(file.c_str(), "system.posix_acl_access", kept.data(), 64);
        ASSERT_GT(n, 0);
        kept.resize(static_cast<std::size_t>(n));
        EXPECT_EQ(kept, acl);
    } else {
        std::cout << "access lists are not supported here; only the user attribute was checked\n";
    }
}

// Another user who may write the folder but not the file must not replace it (a rename would
// make it theirs); one who may write the file but cannot give the new file its owner is refused
// too, never written in place.
TEST_F(FileKeeping, AnotherUsersFileIsNeitherReplacedNorTakenOver) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "acting as another user needs root";
    }
    openFolderToAll();
    writeFileAtomically(file, Bytes{1, 2});
    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
    const fs::path shared = dir.path() / "shared.dat";
    writeFileAtomically(shared, Bytes{3});
    ASSERT_EQ(::chmod(shared.c_str(), 0666), 0);

    const int code = runAsOtherUser([&] {
        if (!isReadOnlyFile(file)) {
            return 1;
        }
        try {
            writeFileAtomically(file, Bytes{9});
            return 2;
        } catch (const FileError& e) {
            if (std::string(e.what()) !=
                "Cannot write file \"" + file.string() + "\". The file is read-only.") {
                return 3;
            }
        }
        try {
            writeFileAtomically(shared, Bytes{9});
            return 4;
        } catch (const FileError& e) {
            if (std::string(e.what()) != "Cannot write file \"" + shared.string() +
                                             "\". Its owner \"root\" and group \"root\" could not "
                                             "be kept: " +
                                             std::strerror(EPERM)) {
                return 5;
            }
        }
        return 0;
    });
    EXPECT_EQ(code, 0);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 0u);
    EXPECT_EQ(readWholeFile(file), (Bytes{1, 2}));
    EXPECT_EQ(readWholeFile(shared), Bytes{3});
    EXPECT_EQ(dir.fileCount(), 2u);
}

// A settings file that exists but cannot be read reads as empty and is never written over.
TEST_F(FileKeeping, UnreadableSettingsFileIsNeverWritten) {
    const fs::path ini = dir.path() / "tarnedit.ini";
    const std::string text = "[Paths]\r\nOrigExePath=/games/Tarn.exe\r\n";
    writeFileAtomically(ini, toBytes(text));
    ASSERT_EQ(::chmod(ini.c_str(), 0200), 0);
    auto attempt = [&] {
        ProfileFile settings(ini);
        if (settings.readError().empty() ||
            !settings.readString("Paths", "OrigExePath", "").empty()) {
            return 1;
        }
        settings.writeString("Paths", "OrigExePath", "");
        settings.writeString("Options", "FontName", "Arial");
        try {
            settings.save();
            return 2;
        } catch (const FileError& e) {
            const std::string expected = "Unable to write to " + ini.string() +
                                         ". The file could not be read: " + std::strerror(EACCES);
            return std::string(e.what()) == expected ? 0 : 3;
        }
    };
    if (::geteuid() == 0) {
        openFolderToAll();
        ASSERT_EQ(::chown(ini.c_str(), kOtherUser, kOtherGroup), 0);
        EXPECT_EQ(runAsOtherUser(attempt), 0);
    } else {
        EXPECT_EQ(attempt(), 0);
    }
    ASSERT_EQ(::chmod(ini.c_str(), 0600), 0);
    EXPECT_EQ(toString(readWholeFile(ini)), text);
}

// A signal that ends the process while the complete temporary file has its name removes it;
// the process still ends by that signal, and the old file is whole.
TEST_F(FileKeeping, EndingSignalsLeaveNoTemporaryFile) {
    writeFileAtomically(file, Bytes{1, 2, 3});
    for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
        for (const bool noUnnamedFile : {false, true}) {
            SCOPED_TRACE(std::string(strsignal(sig)) + (noUnnamedFile ? ", named" : ", unnamed"));
            const pid_t pid = ::fork();
            if (pid == 0) {
                WriteFault fault;
                fault.noUnnamedFile = noUnnamedFile;
                fault.signalBeforeRename = sig;
                setWriteFaultForTesting(fault);
                try {
                    writeFileAtomically(file, Bytes(100000, 7));
                } catch (...) {
                }
                ::_exit(0);
            }
            int status = 0;
            ::waitpid(pid, &status, 0);
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
            EXPECT_EQ(readWholeFile(file), (Bytes{1, 2, 3}));
            EXPECT_EQ(dir.fileCount(), 1u);
        }
    }
}

#else

// What the tests above check has no Windows form: the cases are listed as skipped.
TEST_F(FileKeeping, LinkStaysALinkAndTheRealFileIsWrittenByEveryWriter) {
    GTEST_SKIP() << "symbolic links need a privilege on Windows";
}
TEST_F(FileKeeping, OwnerGroupAndSpecialModeBitsAreKept) {
    GTEST_SKIP() << "POSIX owners, groups and mode bits";
}
TEST_F(FileKeeping, ExtendedAttributesAndAccessListAreKept) {
    GTEST_SKIP() << "POSIX extended attributes; on Windows the attribute case below";
}
TEST_F(FileKeeping, AnotherUsersFileIsNeitherReplacedNorTakenOver) {
    GTEST_SKIP() << "acting as another user needs fork and setuid";
}
TEST_F(FileKeeping, UnreadableSettingsFileIsNeverWritten) {
    GTEST_SKIP() << "a file its owner may not read is made with POSIX modes";
}
TEST_F(FileKeeping, EndingSignalsLeaveNoTemporaryFile) {
    GTEST_SKIP() << "Windows ends no writer with SIGTERM, SIGINT or SIGHUP";
}

// A save keeps what Windows keeps on a file beside its bytes: its attributes and, where the file
// system stores one that is set (not under Wine on Linux), its creation time.
TEST_F(FileKeeping, ReplacementKeepsTheFilesAttributesAndCreationTime) {
    writeFileAtomically(file, Bytes{1});
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    const FILETIME old{1, 1};
    const HANDLE h =
        ::CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ::SetFileTime(h, &old, nullptr, nullptr);
    ::CloseHandle(h);
    auto creationTime = [&] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
        return std::pair(data.ftCreationTime.dwLowDateTime, data.ftCreationTime.dwHighDateTime);
    };
    const bool keepsCreationTime =
        creationTime() == std::pair(old.dwLowDateTime, old.dwHighDateTime);
    for (const bool ranges : {false, true}) {
        SCOPED_TRACE(ranges ? "range write" : "whole write");
        if (ranges) {
            writeFileRangesAtomically(file, FileRanges{{0, Bytes{3}}});
        } else {
            writeFileAtomically(file, Bytes{2});
        }
        EXPECT_EQ(readWholeFile(file), Bytes{static_cast<std::uint8_t>(ranges ? 3 : 2)});
        EXPECT_NE(::GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
        if (keepsCreationTime) {
            EXPECT_EQ(creationTime(), std::pair(old.dwLowDateTime, old.dwHighDateTime));
        }
    }
    EXPECT_EQ(dir.fileCount(), 1u);
}

// The read-only attribute is the one writability check on Windows: nothing is written, the
// file keeps its bytes, and the error says why.
TEST_F(FileKeeping, ReadOnlyAttributeRefusesEveryWriter) {
    writeFileAtomically(file, Bytes{1});
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(isReadOnlyFile(file));
    EXPECT_THROW(writeFileAtomically(file, Bytes{2}), FileError);
    EXPECT_THROW(writeFileRangesAtomically(file, FileRanges{{0, Bytes{3}}}), FileError);
    EXPECT_EQ(readWholeFile(file), Bytes{1});
    EXPECT_EQ(dir.fileCount(), 1u);
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

#endif

TEST(TemporaryNames, CarryTheWritersProcessAndAreRecognised) {
    EXPECT_EQ(temporaryNameFor("Tarn.exe", 4711, "a8Xk2Q"), ".Tarn.exe.tmp-4711-a8Xk2Q");
    const std::string longName(300, 'x');
    EXPECT_LE(temporaryNameFor(longName, 4294967295ul, "abcdef").size(), 255u);
    EXPECT_EQ(temporaryNameOwner(temporaryNameFor(longName, 42, "abcdef")), 42ul);

    const std::pair<const char*, std::optional<unsigned long>> names[] = {
        {".Tarn.exe.tmp-4711-a8Xk2Q", 4711},         {".a.tmp-b.tmp-1-zzzzzz", 1},
        {"Tarn.exe.tmp-4711-a8Xk2Q", std::nullopt},   // not hidden
        {".Tarn.exe.tmp-a8Xk2Q", std::nullopt},       // no process id (an older program's)
        {".Tarn.exe.tmp-4711-a8Xk2", std::nullopt},   // five characters
        {".Tarn.exe.tmp-4711-a8Xk.Q", std::nullopt},  // not a letter or digit
        {".Tarn.exe.tmp--a8Xk2Q", std::nullopt},     {".Tarn.exe.tmp-0711-a8Xk2Q", std::nullopt},
        {".tmp-4711-a8Xk2Q", std::nullopt},          {".notes.txt", std::nullopt},
    };
    for (const auto& [name, owner] : names) {
        EXPECT_EQ(temporaryNameOwner(name), owner) << name;
    }
}

TEST_F(FileKeeping, LeftoversOfEndedProcessesAreRemovedAtTheNextWriteBesideThem) {
    writeFileAtomically(file, Bytes{1});
    const std::string dead = temporaryNameFor("Tarn.exe", endedProcess(), "abcdef");
    const std::string alive = temporaryNameFor("Obj.dat", currentProcessId(), "abcdef");
    for (const std::string& name : {dead, alive, std::string(".Tarn.exe.tmp-notes")}) {
        writeFileAtomically(dir.path() / name, Bytes{0});
    }
    writeFileAtomically(dir.path() / "other.dat", Bytes{2});
    EXPECT_FALSE(fs::exists(dir.path() / dead));
    EXPECT_TRUE(fs::exists(dir.path() / alive));
    EXPECT_TRUE(fs::exists(dir.path() / ".Tarn.exe.tmp-notes"));
}

}  // namespace
}  // namespace tarn
