#include "common/edit_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "common/tests/temp_dir.h"

namespace tarn {
namespace {

std::string hostName() {
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

// The id of a process that has ended.
unsigned long endedPid() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return static_cast<unsigned long>(child);
}

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
    std::filesystem::create_symlink(dir.path() / "game" / "Tarn.exe", dir.path() / "link.exe");
    const auto lock = dir.path() / "game" / ".Tarn.exe.tarnlock";
    EXPECT_EQ(lockFileFor(dir.path() / "link.exe"), lock);
    {
        LockHolder holder;
        std::optional<EditLock> taken = EditLock::take(dir.path() / "link.exe", "TarnEdit", holder);
        ASSERT_TRUE(taken && taken->held());
        EXPECT_EQ(contents(lock), "pid=" + std::to_string(::getpid()) + "\nhost=" + hostName() +
                                      "\nprogram=TarnEdit\n");
        EXPECT_FALSE(liveLockHolder(dir.path() / "game" / "Tarn.exe"));  // our own
    }
    EXPECT_FALSE(std::filesystem::exists(lock));
    EXPECT_EQ(dir.fileCount(), 2u);  // no temporary file left behind
}

TEST(EditLock, LiveHoldersAreRespectedAndStaleOnesTakenOver) {
    struct Case {
        const char* what;
        LockHolder holder;
        bool live;
    };
    const Case cases[] = {
        {"a running process here",
         {static_cast<unsigned long>(::getppid()), hostName(), "TarnEdit"},
         true},
        {"an ended process here", {endedPid(), hostName(), "TarnEdit"}, false},
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
            EXPECT_NE(contents(lockFileFor(target)).find(std::to_string(::getpid())),
                      std::string::npos)
                << c.what;
        }
    }
    EXPECT_EQ(describeHolder({4711, "workstation", "TarnEdit"}),
              "TarnEdit (process 4711 on workstation)");
}

}  // namespace
}  // namespace tarn
