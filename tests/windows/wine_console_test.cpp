// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows end-user program writing to a console under the 32-bit Wine, run in a
// pseudo-terminal as a player's console window: every letter of a Polish message shows as written
// whatever the console's code page, 437 (the English default) or 852 (Polish Windows), neither
// of which holds „ ” and – (and 437 no ł or ą).
#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "tests/run_child.h"
#include "tests/windows/wine_prefix.h"

namespace tarn {
namespace {

const auto* const kWine =
    ::testing::AddGlobalTestEnvironment(new WinePrefix(WINESERVER_PATH));

// A reply typed once the console shows the text it waits for. The console reads keys, so
// Enter is "\r".
struct Reply {
    std::string waitFor;
    std::string keys;
};

struct ConsoleRun {
    int code = -1;
    std::string screen;  // everything the console wrote, its control sequences included
};

// Runs command through the shell in folder, its standard streams a pseudo-terminal, typing the
// replies in turn; the child is killed after timeout.
ConsoleRun runInConsole(const fs::path& folder, const std::string& command,
                        const std::vector<Reply>& replies, std::chrono::seconds timeout) {
    int master = -1;
    const pid_t child = ::forkpty(&master, nullptr, nullptr, nullptr);
    if (child == 0) {
        // A key typed before the console reads it stays the key: Enter is not made a line feed.
        termios terminal{};
        ::tcgetattr(STDIN_FILENO, &terminal);
        terminal.c_iflag &= ~static_cast<tcflag_t>(ICRNL);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &terminal);
        if (::chdir(folder.c_str()) != 0) {
            ::_exit(127);
        }
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ConsoleRun run;
    if (child < 0) {
        return run;
    }
    std::size_t next = 0;
    std::size_t searchedFrom = 0;
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        pollfd p{master, POLLIN, 0};
        if (::poll(&p, 1, 200) > 0) {
            char buffer[4096];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0) {
                break;  // the child's side is closed: it ended
            }
            run.screen.append(buffer, static_cast<std::size_t>(n));
        }
        if (next < replies.size()) {
            const std::size_t at = run.screen.find(replies[next].waitFor, searchedFrom);
            if (at != std::string::npos) {
                const std::string& keys = replies[next].keys;
                EXPECT_EQ(::write(master, keys.data(), keys.size()),
                          static_cast<ssize_t>(keys.size()));
                searchedFrom = at + replies[next].waitFor.size();
                ++next;
            }
        }
    }
    int status = 0;
    if (::waitpid(child, &status, WNOHANG) == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        ADD_FAILURE() << "still running after the time allowed; the console showed:\n"
                      << run.screen;
    }
    ::close(master);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(WineConsole, PolishLettersShowAsWrittenUnderCodePages437And852) {
    TempDir scratch;
    const auto tool = [&scratch](const std::string& args) {
        return runIn(scratch.path(), tarntool(args), "", scratch.path()).code;
    };
    ASSERT_EQ(tool("sample-game translator"), 0);
    ASSERT_EQ(tool("obj set translator/ObjData/Door.dat --group 0 --id 14 --hex 44727a7769"), 0);
    const std::string done = "\xE2\x80\x9EGotowe\xE2\x80\x9D \xE2\x80\x93 \xC5\x82\xC4\x85ka";
    {
        std::ofstream messages(scratch.path() / "pl.txt", std::ios::binary);
        for (int k = 0; k < 31; ++k) {
            messages << (k == 2   ? "Zmieni\xC4\x87 pliki? [T/N]"
                         : k == 8 ? done
                                  : "Wiadomo\xC5\x9B\xC4\x87 " + std::to_string(k))
                     << "\n";
        }
    }
    ASSERT_EQ(tool("patch build --game translator --target windows -o TarnPatch.exe --messages "
                   "pl.txt --yes-chars t"),
              0);
    for (const int codePage : {437, 852}) {
        const std::string player = "player" + std::to_string(codePage);
        ASSERT_EQ(tool("sample-game " + player), 0);
        fs::copy_file(scratch.path() / "TarnPatch.exe", scratch.path() / player / "TarnPatch.exe");
        const std::string command = shellQuoted(WINE32_PATH) + " cmd /c 'chcp " +
                                    std::to_string(codePage) + " >nul & TarnPatch.exe'";
        const ConsoleRun run =
            runInConsole(scratch.path() / player, command,
                         {{"[T/N]", "t\r"}, {"Wiadomo\xC5\x9B\xC4\x87 10", "\r"}},
                         std::chrono::seconds(90));
        EXPECT_EQ(run.code, 0) << run.screen;
        EXPECT_NE(run.screen.find("Zmieni\xC4\x87 pliki? [T/N]"), std::string::npos) << run.screen;
        EXPECT_NE(run.screen.find(done), std::string::npos) << codePage << ":\n" << run.screen;
        EXPECT_TRUE(fs::exists(scratch.path() / player / "TarnPatch-backup" / "Door.dat"))
            << codePage;
    }
}

}  // namespace
}  // namespace tarn
