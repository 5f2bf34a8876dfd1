// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/edit_lock.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

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
#ifndef _WIN32
        // Readable by every user, so that another user's program sees it is live.
        EXPECT_EQ(std::filesystem::status(lock).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms(0644));
#endif
    }
    EXPECT_FALSE(std::filesystem::exists(lock));
    // No temporary file left behind: the game folder and, where links work, the link.
    EXPECT_EQ(dir.fileCount(), opened.filename() == "link.exe" ? 2u : 1u);
}

// However a folder is named, its lock is the one file beside the real folder.
TEST(EditLock, AFoldersLockLiesBesideTheRealFolderWhateverItsName) {
    TempDir dir;
    const auto game = dir.path() / "game";
    std::filesystem::create_directories(game / "ObjData");
    const auto lock = game / ".ObjData.tarnlock";
    std::vector<std::filesystem::path> names = {game / "ObjData", game / "ObjData" / "",
                                                game / "." / "ObjData",
                                                game / "ObjData" / ".." / "ObjData"};
#ifndef _WIN32  // links need a privilege on Windows
    std::filesystem::create_directory_symlink(game / "ObjData", dir.path() / "linked");
    names.push_back(dir.path() / "linked");
#endif
    for (const std::filesystem::path& name : names) {
        EXPECT_EQ(lockFileFor(folderLockTarget(name)), lock) << name;
    }
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

#ifndef _WIN32
// A holder that has ended but is not yet collected by its parent is as gone as any other.
TEST(EditLock, AZombieHolderIsStale) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    const std::string stat = "/proc/" + std::to_string(child) + "/stat";
    for (int wait = 0; wait < 200 && contents(stat).find(") Z ") == std::string::npos; ++wait) {
        ::usleep(10000);
    }
    TempDir dir;
    const auto target = dir.path() / "Tarn.exe";
    writeLock(lockFileFor(target), {static_cast<unsigned long>(child), currentHostName(), "x"});
    EXPECT_FALSE(liveLockHolder(target));
    LockHolder holder;
    EXPECT_TRUE(EditLock::take(target, "TarnEdit", holder));
    ::waitpid(child, nullptr, 0);
}

// Whatever is put where the lock belongs, reading it neither blocks nor floods memory, and a
// file that is not a lock of ours counts as held, named with what to do. Another user reads a
// lock as its holder's (root only: that user is played by a child as nobody).
TEST(EditLock, WhatIsNotOurLockCountsAsHeldAndIsNamed) {
    TempDir dir;
    const auto target = dir.path() / "Tarn.exe";
    const auto lock = lockFileFor(target);
    struct Case {
        const char* what;
        std::function<void()> plant;
    };
    const Case cases[] = {
        {"a pipe", [&] { ASSERT_EQ(::mkfifo(lock.c_str(), 0644), 0); }},
        {"a link to a device", [&] { std::filesystem::create_symlink("/dev/zero", lock); }},
        {"a link to a lock", [&] {
             writeLock(dir.path() / "other", {endedPid(), currentHostName(), "TarnEdit"});
             std::filesystem::create_symlink(dir.path() / "other", lock);
         }},
        {"a folder", [&] { std::filesystem::create_directory(lock); }},
        {"a large file", [&] { std::ofstream(lock) << "pid=1\n" << std::string(5000, 'x'); }},
        {"no process id", [&] { std::ofstream(lock) << "host=here\n"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(lock);
        c.plant();
        const std::optional<LockHolder> live = liveLockHolder(target);
        ASSERT_TRUE(live);
        EXPECT_EQ(describeHolder(*live),
                  "another program (" + lock.string() +
                      " is not a lock file TarnEdit made; remove it if no one is editing)");
        LockHolder holder;
        EXPECT_FALSE(EditLock::take(target, "TarnEdit", holder));
        EXPECT_EQ(holder, *live);
    }
    std::filesystem::remove_all(lock);

    if (::geteuid() != 0) {
        GTEST_SKIP() << "another user's view of the lock needs root to play that user";
    }
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    LockHolder unused;
    const std::optional<EditLock> mine = EditLock::take(target, "TarnEdit", unused);
    ASSERT_TRUE(mine && mine->held());
    const auto asNobody = [&](const std::function<bool()> check) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && check() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    };
    const unsigned long holderPid = currentProcessId();
    EXPECT_TRUE(asNobody([&] {
        const std::optional<LockHolder> live = liveLockHolder(target);
        return live && live->pid == holderPid && live->problem.empty();
    }));
    // A lock nobody else may read is held, not stale.
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0700));
    EXPECT_TRUE(asNobody([&] {
        const std::optional<LockHolder> live = liveLockHolder(target);
        return live && live->problem.find(" cannot be read (") != std::string::npos;
    }));
}
#endif

// The temporary file of a taker killed before it put its lock in place is removed by the next.
TEST(EditLock, AKilledTakersTemporaryFileIsRemovedByTheNext) {
    TempDir dir;
    const auto target = dir.path() / "Tarn.exe";
    std::ofstream(target) << "x";
    const auto leftover =
        dir.path() / (".Tarn.exe.tarnlock.tmp-" + std::to_string(endedPid()) + "-a8Xk2Q");
    writeLock(leftover, {endedPid(), currentHostName(), "TarnEdit"});
    LockHolder holder;
    std::optional<EditLock> taken = EditLock::take(target, "TarnEdit", holder);
    ASSERT_TRUE(taken && taken->held());
    EXPECT_FALSE(std::filesystem::exists(leftover));
    EXPECT_EQ(dir.fileCount(), 2u);
}

#ifndef _WIN32  // the racers are forked
// Processes that take the same lock at the same moment: link() lets exactly one of them in, the
// others see that one as the holder, and nobody's temporary file is left beside the target.
TEST(EditLock, OneOfManyProcessesTakingItAtOnceHoldsIt) {
    constexpr int kRacers = 8;
    constexpr int kRounds = 10;
    struct Report {
        int took = 0;
        unsigned long holder = 0;
    };
    for (int round = 0; round < kRounds; ++round) {
        TempDir dir;
        const auto target = dir.path() / "Tarn.exe";
        std::ofstream(target) << "x";
        int start[2];
        int finish[2];
        ASSERT_EQ(::pipe(start), 0);
        ASSERT_EQ(::pipe(finish), 0);
        std::vector<pid_t> racers;
        std::vector<int> reports;
        for (int r = 0; r < kRacers; ++r) {
            int report[2];
            ASSERT_EQ(::pipe(report), 0);
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                ::close(start[1]);
                ::close(finish[1]);
                ::close(report[0]);
                char go = 0;
                (void)::read(start[0], &go, 1);  // the end of the pipe starts every racer at once
                LockHolder holder;
                std::optional<EditLock> lock = EditLock::take(target, "racer", holder);
                const Report mine{lock && lock->held() ? 1 : 0, holder.pid};
                (void)::write(report[1], &mine, sizeof mine);
                (void)::read(finish[0], &go, 1);  // held until every racer has reported
                lock.reset();
                ::_exit(0);
            }
            ::close(report[1]);
            racers.push_back(child);
            reports.push_back(report[0]);
        }
        ::close(start[0]);
        ::close(finish[0]);
        ::close(start[1]);

        std::vector<Report> results(kRacers);
        for (int r = 0; r < kRacers; ++r) {
            ASSERT_EQ(::read(reports[r], &results[r], sizeof(Report)),
                      static_cast<ssize_t>(sizeof(Report)));
            ::close(reports[r]);
        }
        int holders = 0;
        unsigned long winner = 0;
        for (int r = 0; r < kRacers; ++r) {
            if (results[r].took) {
                ++holders;
                winner = static_cast<unsigned long>(racers[r]);
            }
        }
        EXPECT_EQ(holders, 1) << "round " << round;
        for (int r = 0; r < kRacers; ++r) {
            if (!results[r].took) {
                EXPECT_EQ(results[r].holder, winner) << "round " << round;
            }
        }
        EXPECT_EQ(dir.fileCount(), 2u) << "round " << round;  // the target and the one lock

        ::close(finish[1]);
        for (const pid_t child : racers) {
            ::waitpid(child, nullptr, 0);
        }
        EXPECT_EQ(dir.fileCount(), 1u) << "round " << round;  // released by its holder
    }
}
#endif

}  // namespace
}  // namespace tarn
