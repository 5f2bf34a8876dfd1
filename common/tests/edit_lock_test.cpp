#include "common/edit_lock.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <fstream>
#include <sstream>

#include "common/tests/temp_dir.h"
#include "common/this_process.h"

namespace tarn {
namespace {

#ifdef _WIN32

// Another process that runs while it is in scope: this test program, started suspended.
class OtherProcess {
public:
    OtherProcess() {
        wchar_t self[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!::CreateProcessW(self, nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                              nullptr, &startup, &info_)) {
            info_ = {};
        }
    }
    ~OtherProcess() {
        if (info_.hProcess != nullptr) {
            ::TerminateProcess(info_.hProcess, 0);
            ::CloseHandle(info_.hThread);
            ::CloseHandle(info_.hProcess);
        }
    }
    unsigned long pid() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_{};
};

// Windows gives process ids in steps of four: this one never runs.
unsigned long endedPid() {
    return 0xFFFFFFF1ul;
}

#else

class OtherProcess {
public:
    unsigned long pid() const { return static_cast<unsigned long>(::getppid()); }
};

// The id of a process that has ended.
unsigned long endedPid() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return static_cast<unsigned long>(child);
}

#endif

void writeLock(const std::filesystem::path& lock, const LockHolder& holder) {
    std::ofstream(lock, std::ios::binary) << "pid=" << holder.pid << "\nhost=" << holder.host
                                          << "\nprogram=" << holder.program << "\n";
}

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

TEST(EditLock, IsTakenBesideTheRealFileAndRemovedWhenReleased) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "game");
    std::ofstream(dir.path() / "game" / "Tarn.exe") << "x";
    std::filesystem::path opened = dir.path() / "game" / "Tarn.exe";
#ifndef _WIN32  // links need a privilege on Windows
    std::filesystem::create_symlink(opened, dir.path() / "link.exe");
    opened = dir.path() / "link.exe";
#endif
    const auto lock = dir.path() / "game" / ".Tarn.exe.tarnlock";
    EXPECT_EQ(lockFileFor(opened), lock);
    {
        LockHolder holder;
        std::optional<EditLock> taken = EditLock::take(opened, "TarnEdit", holder);
        ASSERT_TRUE(taken && taken->held());
        EXPECT_EQ(contents(lock), "pid=" + std::to_string(currentProcessId()) +
                                      "\nhost=" + currentHostName() + "\nprogram=TarnEdit\n");
        EXPECT_FALSE(liveLockHolder(dir.path() / "game" / "Tarn.exe"));  // our own
    }
    EXPECT_FALSE(std::filesystem::exists(lock));
    // No temporary file left behind: the game folder and, where links work, the link.
    EXPECT_EQ(dir.fileCount(), opened.filename() == "link.exe" ? 2u : 1u);
}

TEST(EditLock, LiveHoldersAreRespectedAndStaleOnesTakenOver) {
    struct Case {
        const char* what;
        LockHolder holder;
        bool live;
    };
    const OtherProcess running;
    ASSERT_NE(running.pid(), 0u);
    const Case cases[] = {
        {"a running process here", {running.pid(), currentHostName(), "TarnEdit"}, true},
        {"an ended process here", {endedPid(), currentHostName(), "TarnEdit"}, false},
        {"a process on another host", {endedPid(), "elsewhere", "TarnEdit"}, true},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto target = dir.path() / "Tarn.exe";
        writeLock(lockFileFor(target), c.holder);
        EXPECT_EQ(liveLockHolder(target).has_value(), c.live) << c.what;
        LockHolder holder;
        std::optional<EditLock> taken = EditLock::take(target, "TarnEdit", holder);
        EXPECT_EQ(!taken, c.live) << c.what;
        if (c.live) {
            EXPECT_EQ(holder, c.holder) << c.what;
            EXPECT_EQ(dir.fileCount(), 1u) << c.what;  // the holder's lock only
        } else {
            EXPECT_NE(contents(lockFileFor(target)).find(std::to_string(currentProcessId())),
                      std::string::npos)
                << c.what;
        }
    }
    EXPECT_EQ(describeHolder({4711, "workstation", "TarnEdit"}),
              "TarnEdit (process 4711 on workstation)");
}

}  // namespace
}  // namespace tarn
