// SPDX-License-Identifier: GPL-3.0-or-later
// Every tarntool command line that scripts may use, with its exact standard output, standard
// error and exit status, replayed from tests/tool/golden/tarntool.golden in one scratch folder.
//
// The golden file is a script read from top to bottom:
//   # text            a comment, kept as it is
//   $ ARGS            runs tarntool with ARGS (split at spaces; 'single quotes' keep spaces)
//   > LINE / >| TEXT  a line of standard output / output that ends without a line end
//   ! LINE / !| TEXT  the same for standard error
//   >#digest N H      standard output of N bytes whose FNV-1a 64 hash is H (for long outputs)
//   = N               the exit status
//   % file PATH       checks a file the commands made: "= N H" (size and hash) or "= missing"
//   % fault STEP      the next $ step runs with a write fault injected at STEP (create, copy,
//                     write, flush or rename): tarntool's commands run in a child of this test
// Bytes outside printable ASCII and the backslash are written as \xNN and \\.
//
// With TARN_GOLDEN_WINDOWS=1 the script checks a Windows tarntool (run under Wine through
// TARN_GOLDEN_TARNTOOL): line ends are compared as LF and, in error messages, "\" as "/"; a
// step whose expected output holds a system error text (which Windows words differently) is
// compared by its exit status alone, and steps with a fault, which only this process can inject,
// are left out. Both kinds are listed on standard output.
//
// TARN_GOLDEN_PART=K/N (with TARN_GOLDEN_WINDOWS) checks only the K-th of N equal runs of
// steps, so that the parts can run side by side; the steps before and after it still run, through
// this build's tarntool and unchecked, to leave the folder as the script expects it.
//
// Run with TARN_UPDATE_GOLDEN=1 to write the results of the tarntool under test back into the
// file instead of comparing them (to record a deliberate change, reviewed in its diff).
// TARN_GOLDEN_TARNTOOL and TARN_GOLDEN_FILE replay another tarntool or another script.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/exe_profile.h"
#include "exetext/sample_executable.h"
#include "objfiles/object_container.h"
#include "objfiles/sample_objects.h"
#include "tarntool/commands.h"

namespace tarn {
namespace {

constexpr std::size_t kLongOutput = 2048;

std::string escape(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (b < 0x20 || b >= 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", b);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::string digest(std::string_view bytes) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const char c : bytes) {
        h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%zu %016llx", bytes.size(),
                  static_cast<unsigned long long>(h));
    return text;
}

// One output stream as golden lines with the given marker ('>' or '!').
std::string describeStream(char marker, const std::string& bytes) {
    if (marker == '>' && bytes.size() > kLongOutput) {
        return ">#digest " + digest(bytes) + "\n";
    }
    std::string lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            lines += std::string(1, marker) + "| " + escape(bytes.substr(start)) + "\n";
            break;
        }
        lines += std::string(1, marker) + " " + escape(bytes.substr(start, end - start)) + "\n";
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> splitArgs(const std::string& line) {
    std::vector<std::string> args;
    std::string current;
    bool inArg = false;
    bool quoted = false;
    for (const char c : line) {
        if (c == '\'') {
            quoted = !quoted;
            inArg = true;
        } else if (c == ' ' && !quoted) {
            if (inArg) {
                args.push_back(current);
            }
            current.clear();
            inArg = false;
        } else {
            current += c;
            inArg = true;
        }
    }
    if (inArg) {
        args.push_back(current);
    }
    return args;
}

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string setting(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : fallback;
}

std::optional<WriteFault> faultNamed(const std::string& name) {
    static const std::map<std::string, WriteFault::Step> steps = {
        {"create", WriteFault::Step::CreateTemporary}, {"copy", WriteFault::Step::CopyOld},
        {"write", WriteFault::Step::WriteData},        {"flush", WriteFault::Step::Flush},
        {"rename", WriteFault::Step::Rename},
    };
    const auto it = steps.find(name);
    if (it == steps.end()) {
        return std::nullopt;
    }
    return WriteFault{it->second, 0};
}

// Runs tarntool with args in folder; with a fault, runs its commands in a child of this process
// with the fault injected.
ToolRun runTarntool(const fs::path& folder, const fs::path& scratch,
                    const std::vector<std::string>& args, const std::optional<WriteFault>& fault,
                    const std::string& tarntool = setting("TARN_GOLDEN_TARNTOOL", TARNTOOL_PATH)) {
    const fs::path out = scratch / "stdout";
    const fs::path err = scratch / "stderr";
    std::vector<std::string> argv{tarntool};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargs;
    for (std::string& a : argv) {
        cargs.push_back(a.data());
    }
    cargs.push_back(nullptr);
    std::cout.flush();  // nothing buffered here may reach the child's output
    std::cerr.flush();
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int in = ::open("/dev/null", O_RDONLY);
        if (o < 0 || e < 0 || in < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0 || ::dup2(in, 0) < 0 ||
            ::chdir(folder.c_str()) != 0) {
            ::_exit(127);
        }
        if (fault) {
            setWriteFaultForTesting(*fault);
            const int status = tool::runTarntool(args);
            std::cout.flush();
            std::cerr.flush();
            std::fflush(nullptr);
            ::_exit(status);
        }
        ::execv(cargs[0], cargs.data());
        ::_exit(127);
    }
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, toString(readWholeFile(out)),
            toString(readWholeFile(err))};
}

// A Windows program's output in the form the script holds: LF line ends and, in standard error
// (where paths are named), "/" between folders.
std::string fromWindows(const std::string& bytes, bool errors) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            continue;
        }
        out.push_back(errors && bytes[i] == '\\' ? '/' : bytes[i]);
    }
    return out;
}

// The expected lines of a step as a Windows program's output is compared with them.
std::string expectedOnWindows(const std::string& block) {
    std::string out;
    std::istringstream lines(block);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("!")) {
            line = std::regex_replace(line, std::regex(R"(\\\\)"), "/");
        }
        out += line + "\n";
    }
    return out;
}

// The steps of the script this run checks: all of them, or TARN_GOLDEN_PART's share.
struct CheckedSteps {
    std::size_t first = 0;
    std::size_t end = SIZE_MAX;

    bool contains(std::size_t step) const { return step >= first && step < end; }
};

CheckedSteps checkedSteps(const std::vector<std::string>& lines, bool windows) {
    const char* part = std::getenv("TARN_GOLDEN_PART");
    if (part == nullptr || !windows) {
        return {};
    }
    std::size_t k = 0;
    std::size_t n = 0;
    char slash = 0;
    std::istringstream in(part);
    if (!(in >> k >> slash >> n) || slash != '/' || n == 0 || k == 0 || k > n) {
        ADD_FAILURE() << "TARN_GOLDEN_PART is K/N with 1 <= K <= N, not " << part;
        return {0, 0};
    }
    const auto steps = static_cast<std::size_t>(std::count_if(
        lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("$ "); }));
    return {steps * (k - 1) / n, steps * k / n};
}

bool holdsSystemErrorText(const std::string& block) {
    static const std::regex text(
        "No such file or directory|Is a directory|Not a directory|Permission denied|"
        "No space left on device|Read-only file system|filesystem error");
    return std::regex_search(block, text);
}

std::string exitStatusOf(const std::string& block) {
    const std::size_t at = block.rfind("= ");
    return at == std::string::npos ? "" : block.substr(at);
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& line : lines) {
        s += line + "\n";
    }
    return s;
}

void spit(const fs::path& path, const std::string& contents) {
    writeFileAtomically(path, toBytes(contents));
}

// The inputs that the commands of the script cannot make themselves.
void writeInputs(const fs::path& dir) {
    spit(dir / "small.exe", "MZ");
    Bytes unresolved = makeSampleExecutable(2, sampleTexts());
    writeU32LE(unresolved.data() + profileByNumber(2).pointerBlocks[4].first, 0);
    writeFileAtomically(dir / "unresolved.exe", unresolved);

    std::vector<std::string> lines(3453, "Hallo");
    lines[0] = "\\p00001234 %N \\c3rot\\d";
    lines[1] = "\xC3\xA9\xC2\x9D\xC5\x93\\n";
    spit(dir / "hallo.txt", joinLines(lines));
    std::string crlf;
    for (const std::string& line : lines) {
        crlf += line + "\r\n";
    }
    spit(dir / "hallo-crlf.txt", crlf);
    std::vector<std::string> bad = lines;
    bad[4] = "100%";
    bad[6] = "\\ce";
    bad[8] = "\xFF";
    spit(dir / "bad.txt", joinLines(bad));
    spit(dir / "short.txt", joinLines({lines.begin(), lines.end() - 1}));
    std::vector<std::string> tooLong = lines;
    for (std::size_t i = 0; i < tooLong.size(); ++i) {
        tooLong[i] = "[" + std::to_string(i) + std::string(20, '.') + "]";
    }
    spit(dir / "long.txt", joinLines(tooLong));

    const std::array<std::uint8_t, 8> name{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
    Bytes x = makeSampleObjectFile(3, 0, {{{0, "Hi"}, {7, ""}, {1, "\xE4\\"}}}, name, 0x120, 20);
    writeU32LE(x.data() + 12, 0x0000ABCD);
    writeFileAtomically(dir / "x.dat", x);
    writeFileAtomically(dir / "three.dat",
                        makeSampleObjectFile(0, 1, {{{0, "a"}}, {{1, "b"}}, {}}, name, 5));
    Bytes unsupported = makeSampleObjectFile(2, 0, {{{0, "x"}}}, name, 1);
    unsupported[16] = kEncodingUnsupported;
    writeFileAtomically(dir / "unsupported.dat", unsupported);
    Bytes unknown = unsupported;
    unknown[16] = 7;
    writeFileAtomically(dir / "unknown.dat", unknown);
    Bytes cut = makeSampleObjectFile(2, 0, {}, name, 1, 0);
    cut.pop_back();
    writeU32LE(cut.data() + 17, static_cast<std::uint32_t>(cut.size() - kObjectHeaderSize));
    writeFileAtomically(dir / "cut.dat", cut);
    writeFileAtomically(dir / "readonly.dat", makeSampleObjectFile(1, 0, {{{0, "ro"}}}, name, 3));
    fs::permissions(dir / "readonly.dat", fs::perms::owner_read | fs::perms::group_read);
    spit(dir / "readonly.exe", "MZ");
    fs::permissions(dir / "readonly.exe", fs::perms::owner_read | fs::perms::group_read);

    std::vector<std::string> messages;
    for (int i = 1; i <= 11; ++i) {
        messages.push_back("Nachricht " + std::to_string(i) + " \xC3\xA4");
    }
    spit(dir / "messages.txt", joinLines(messages));
    spit(dir / "messages-short.txt", joinLines({"one", "two"}));
    fs::create_directories(dir / "badgame" / "ObjData");
    writeFileAtomically(dir / "badgame" / "ObjData" / "a.dat", x);
    writeFileAtomically(dir / "badgame" / "ObjData" / "b.dat", cut);
    fs::create_directories(dir / "damagedgame" / "ObjData");
    writeFileAtomically(dir / "damagedgame" / "ObjData" / "x.dat", x);
    fs::create_directories(dir / "emptygame");
}

std::string fileState(const fs::path& path) {
    if (!fs::exists(path)) {
        return "missing";
    }
    return digest(toString(readWholeFile(path)));
}

TEST(TarntoolGolden, EveryCommandLineKeepsItsOutputAndExitStatus) {
    const std::string goldenPath = setting("TARN_GOLDEN_FILE", TARN_GOLDEN_FILE);
    std::ifstream in(goldenPath, std::ios::binary);
    ASSERT_TRUE(in) << goldenPath;
    const bool update = std::getenv("TARN_UPDATE_GOLDEN") != nullptr;
    const bool windows = std::getenv("TARN_GOLDEN_WINDOWS") != nullptr;

    TempDir scratch;
    const fs::path work = scratch.path() / "work";
    fs::create_directory(work);
    writeInputs(work);

    std::string actual;  // the same script with this tarntool's results
    std::string block;   // expected lines of the current step
    std::string line;
    std::string byStatusOnly;  // Windows: steps compared by exit status alone, and left out
    auto finish = [&](const std::string& heading, const std::string& result) {
        actual += heading + result;
        if (update) {
            // recorded, not compared
        } else if (!windows) {
            EXPECT_EQ(block, result) << heading;
        } else if (holdsSystemErrorText(block)) {
            byStatusOnly += "status only: " + heading;
            EXPECT_EQ(exitStatusOf(block), exitStatusOf(result)) << heading;
        } else {
            EXPECT_EQ(expectedOnWindows(block), result) << heading;
        }
        block.clear();
    };
    std::vector<std::string> lines;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    const CheckedSteps checked = checkedSteps(lines, windows);
    std::size_t steps = 0;            // $ steps so far
    std::optional<WriteFault> fault;  // for the next $ step
    for (std::size_t i = 0; i < lines.size();) {
        const std::string& step = lines[i++];
        if (step.starts_with("$ ")) {
            ++steps;
        }
        const bool check = steps == 0 || checked.contains(steps - 1);
        if (step.starts_with("% fault ")) {
            fault = faultNamed(step.substr(8));
            ASSERT_TRUE(fault) << step;
            actual += step + "\n";
            continue;
        }
        if (!step.starts_with("$ ") && !step.starts_with("% file ")) {
            actual += step + "\n";  // comments and blank lines
            continue;
        }
        block.clear();
        while (i < lines.size() && (lines[i].starts_with(">") || lines[i].starts_with("!") ||
                                    lines[i].starts_with("="))) {
            block += lines[i++] + "\n";
        }
        if (!check) {
            // Outside the checked part: only what the step does to the folder matters.
            if (step.starts_with("$ ")) {
                runTarntool(work, scratch.path(), splitArgs(step.substr(2)), fault, TARNTOOL_PATH);
                fault.reset();
            }
            continue;
        }
        if (step.starts_with("$ ") && fault && windows) {
            byStatusOnly += "left out: " + step + "\n";
            actual += step + "\n" + block;
            fault.reset();
        } else if (step.starts_with("$ ")) {
            ToolRun r = runTarntool(work, scratch.path(), splitArgs(step.substr(2)), fault);
            fault.reset();
            if (windows) {
                r.out = fromWindows(r.out, false);
                r.err = fromWindows(r.err, true);
            }
            finish(step + "\n", describeStream('>', r.out) + describeStream('!', r.err) + "= " +
                                    std::to_string(r.status) + "\n");
        } else {
            finish(step + "\n", "= " + fileState(work / step.substr(7)) + "\n");
        }
    }
    if (update && !windows) {
        std::ofstream(goldenPath, std::ios::binary) << actual;
    }
    std::cout << byStatusOnly;
}

}  // namespace
}  // namespace tarn
