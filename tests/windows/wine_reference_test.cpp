// SPDX-License-Identifier: GPL-3.0-or-later
// Our settings file and message formatter held against Windows' own functions, as Wine's
// kernel32 implements them: the same scripts run through ProfileFile and formatMessage here and
// through GetPrivateProfileStringW, WritePrivateProfileStringW and FormatMessageW in the Windows
// reference program under Wine. Values read, files written (byte for byte) and formatted texts
// must agree, except where Wine is known to differ from Windows (listed below with the reason).
//
// The scripts come from the hand-made corpus (tests/windows/profile_corpus, message_corpus) and
// from a generator of random settings files and messages with a fixed seed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <random>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/profile_file.h"
#include "common/tests/temp_dir.h"
#include "enduser/message_formatter.h"
#include "enduser/utf16_text.h"
#include "platform/core/console.h"
#include "tests/windows/reference/script_format.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;
using reference::escapeField;

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string readText(const fs::path& path) {
    return fileExists(path) ? toString(readWholeFile(path)) : std::string("<no file>");
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// --- Our side of a script ---------------------------------------------------------------

std::string runOurOperation(const std::vector<std::string>& op, ProfileFile& ini) {
    if (op[0] == "get" && op.size() == 4) {
        return "get\t" + escapeField(ini.readString(op[1], op[2], op[3]));
    }
    if (op[0] == "set" && op.size() == 4) {
        // Windows writes at every call; ours keeps changes until save().
        try {
            ini.writeString(op[1], op[2], op[3]);
            ini.save();
            return "set\t1";
        } catch (const FileError&) {
            return "set\t0";
        }
    }
    if (op[0] == "fmt" && op.size() >= 2) {
        std::vector<std::u16string> inserts;
        for (std::size_t i = 2; i < op.size(); ++i) {
            inserts.push_back(utf8ToUtf16(op[i]).value_or(u"?"));
        }
        const auto formatted = formatMessage(utf8ToUtf16(op[1]).value_or(u"?"), inserts);
        return formatted ? "fmt\t" + escapeField(platform::toConsoleText(*formatted)) : "fmt\t!failed";
    }
    return "bad\t" + escapeField(op[0]);
}

std::string runOurScript(const fs::path& base) {
    ProfileFile ini(fs::path(base).replace_extension(".ini"));
    std::string answers;
    for (const auto& line :
         reference::scriptLines(readText(fs::path(base).replace_extension(".script")))) {
        answers += runOurOperation(reference::splitLine(line), ini) + "\n";
    }
    return answers;
}

// --- Where Wine differs from Windows ----------------------------------------------------

// Windows ends the formatter's line breaks with CR LF; ours writes LF, which the console turns
// into its own line end (the end-user program's output is compared that way elsewhere too).
std::string withLfBreaks(std::string text) {
    for (std::size_t at = text.find("\\r\\n"); at != std::string::npos;
         at = text.find("\\r\\n", at)) {
        text.replace(at, 4, "\\n");
    }
    return text;
}

// Wine writes a settings file anew from what it read: every line trimmed, "name=value" without
// spaces around '=', "[name]" headers, blank lines dropped, CR LF everywhere. Windows, like ours,
// changes only the line it writes and keeps every other byte (our unit tests hold that byte for
// byte). Wine also writes a section named "" without its "[]" header, as it writes the nameless
// section before the first header. The files are therefore compared in that form: which keys
// and sections there are, in which order, with which values and which text encoding.
std::string normalizedProfile(const std::string& bytes) {
    std::string text = bytes;
    std::string encoding = "8-bit";
    if (text.size() >= 2 && text[0] == '\xFF' && text[1] == '\xFE') {
        std::u16string units;
        for (std::size_t i = 2; i + 1 < text.size(); i += 2) {
            units.push_back(static_cast<char16_t>(static_cast<unsigned char>(text[i]) |
                                                  static_cast<unsigned char>(text[i + 1]) << 8));
        }
        text = platform::toConsoleText(units);
        encoding = "UTF-16LE";
    }
    const std::string_view blanks = " \t\n\v\f\r\x1a";
    auto trimmed = [&](std::string line) {
        line.erase(0, std::min(line.size(), line.find_first_not_of(blanks)));
        line.erase(line.find_last_not_of(blanks) + 1);
        return line;
    };
    std::string out = encoding + ":\n";
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        end = end == std::string::npos ? text.size() : end;
        std::string line = trimmed(text.substr(start, end - start));
        start = end + 1;
        const std::size_t close = line.rfind(']');
        if (!line.empty() && line[0] == '[' && close != std::string::npos && close > 0) {
            line = "[" + trimmed(line.substr(1, close - 1)) + "]";
        } else if (const std::size_t eq = line.find('='); eq != std::string::npos) {
            line = trimmed(line.substr(0, eq)) + "=" + trimmed(line.substr(eq + 1));
        }
        if (!line.empty() && line != "[]") {
            out += line + "\n";
        }
    }
    return out;
}

// --- Random cases -----------------------------------------------------------------------

class CaseGenerator {
public:
    explicit CaseGenerator(unsigned seed) : random_(seed) {}

    // A settings file of a few sections and keys with the spacing, quoting, comments and line
    // ends a translator's hand may leave; and a script reading and writing it.
    std::pair<std::string, std::string> profileCase() {
        std::string ini;
        std::vector<std::pair<std::string, std::string>> keys;  // section, key
        const int sections = pick(0, 3);
        if (chance(4)) {
            ini += name() + "=" + value() + lineEnd();  // a key before any section
        }
        for (int s = 0; s < sections; ++s) {
            const std::string section = name();
            ini += spaces() + "[" + spaces() + section + spaces() + "]" + spaces() + lineEnd();
            const int count = pick(0, 5);
            for (int k = 0; k < count; ++k) {
                if (chance(6)) {
                    ini += ";" + name() + "=" + value() + lineEnd();
                    continue;
                }
                if (chance(8)) {
                    ini += lineEnd();
                    continue;
                }
                const std::string key = name();
                ini += spaces() + key + spaces() + "=" + spaces() + value() + spaces() + lineEnd();
                keys.emplace_back(section, key);
            }
        }
        if (!ini.empty() && chance(4)) {
            ini.erase(ini.find_last_not_of("\r\n") + 1);  // no final line end
        }

        std::string script;
        const int operations = pick(3, 10);
        for (int i = 0; i < operations; ++i) {
            const bool known = !keys.empty() && !chance(3);
            const auto& [section, key] =
                known ? keys[static_cast<std::size_t>(pick(0, static_cast<int>(keys.size()) - 1))]
                      : std::pair<std::string, std::string>{name(), name()};
            if (chance(2)) {
                script += "get\t" + escapeField(recased(section)) + "\t" +
                          escapeField(recased(key)) + "\t" + escapeField(name()) + "\n";
            } else {
                script += "set\t" + escapeField(recased(section)) + "\t" +
                          escapeField(recased(key)) + "\t" + escapeField(value()) + "\n";
            }
        }
        return {ini, script};
    }

    // A message with inserts, format codes, spaces and long words around the width of 80.
    std::string messageCase() {
        const int inserts = pick(0, 3);
        std::string text;
        const int pieces = pick(1, 25);
        for (int i = 0; i < pieces; ++i) {
            switch (pick(0, 9)) {
                case 0:
                    if (inserts > 0) {
                        text += "%" + std::to_string(pick(1, inserts));
                    }
                    break;
                case 1: text += std::string(static_cast<std::size_t>(pick(1, 4)), ' '); break;
                case 2: text += oneOf({"%%", "%.", "%!", "%n", "% ", "\r\n", "\n", "\t"}); break;
                case 3: text += std::string(static_cast<std::size_t>(pick(1, 90)), 'w'); break;
                default: text += name() + " "; break;
            }
        }
        std::string line = "fmt\t" + escapeField(text);
        for (int i = 0; i < inserts; ++i) {
            line += "\t" + escapeField(chance(3) ? std::string(static_cast<std::size_t>(pick(1, 85)), 'i')
                                                 : name() + " " + name());
        }
        return line + "\n";
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int oneIn) { return pick(1, oneIn) == 1; }
    std::string oneOf(std::initializer_list<const char*> options) {
        return *(options.begin() + pick(0, static_cast<int>(options.size()) - 1));
    }
    std::string name() {
        return std::string(oneOf({"Font", "Size", "Paths", "Original", "Translated", "Preview",
                                  "Left", "Top", "ObjTrans", "EXESettings", "Key", "a", "B c"}));
    }
    std::string value() {
        switch (pick(0, 6)) {
            case 0: return "";
            case 1: return "\"" + name() + "\"";
            case 2: return "'" + name() + "'";
            case 3: return name() + "=" + name();
            case 4: return std::to_string(pick(-5, 70000));
            case 5: return name() + " ; " + name();
            default: return name() + " " + name();
        }
    }
    std::string spaces() { return chance(3) ? std::string(oneOf({" ", "  ", "\t", " \t "})) : ""; }
    std::string lineEnd() { return chance(5) ? oneOf({"\n", "\r", "\r\r\n"}) : "\r\n"; }
    std::string recased(std::string text) {
        for (char& c : text) {
            if (chance(4)) {
                c = static_cast<char>(std::islower(static_cast<unsigned char>(c)) ? std::toupper(c)
                                                                                : std::tolower(c));
            }
        }
        return text;
    }

    std::mt19937 random_;
};

// --- The run ----------------------------------------------------------------------------

class WineReference : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new TempDir;
        ::setenv("WINEPREFIX", (folder_->path() / "prefix").c_str(), 1);
        ::setenv("WINEDEBUG", "-all", 1);
        ::setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
        ::setenv("LANG", "C.UTF-8", 1);
        ::unsetenv("LC_ALL");
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        if (!std::string(WINESERVER_PATH).empty()) {
            ::setenv("WINESERVER", WINESERVER_PATH, 1);
        }
        windows_ = folder_->path() / "windows";
        ours_ = folder_->path() / "ours";
        fs::create_directories(windows_);
        fs::create_directories(ours_);
        prepareCases();
        const fs::path errors = folder_->path() / "wine-errors.txt";
        const std::string command = quoted(WINE64_PATH) + " " + quoted(REFERENCE_PATH) + " " +
                                    quoted(windowsPath(windows_)) + " >/dev/null 2>" +
                                    quoted(errors.string());
        wineStatus_ = std::system(command.c_str());
        if (wineStatus_ != 0) {
            wineErrors_ = readText(errors);
        }
    }
    static void TearDownTestSuite() {
        if (!std::string(WINESERVER_PATH).empty()) {
            [[maybe_unused]] const int ignored =
                std::system((quoted(WINESERVER_PATH) + " -k >/dev/null 2>&1").c_str());
        }
        delete folder_;
        folder_ = nullptr;
    }

    // Z: is the whole Unix file system in every Wine prefix.
    static std::string windowsPath(const fs::path& path) {
        std::string text = "Z:" + path.string();
        for (char& c : text) {
            c = c == '/' ? '\\' : c;
        }
        return text;
    }

    // The same case in both folders: the settings file (when there is one) and the script.
    static void addCase(const std::string& name, const std::string* ini, const std::string& script) {
        for (const fs::path& dir : {windows_, ours_}) {
            if (ini != nullptr) {
                writeText(dir / (name + ".ini"), *ini);
            }
            writeText(dir / (name + ".script"), script);
        }
        names_.push_back(name);
    }

    static void prepareCases() {
        for (const char* corpus : {"profile_corpus", "message_corpus"}) {
            for (const auto& entry : fs::directory_iterator(fs::path(SOURCE_DIR) / corpus)) {
                if (entry.path().extension() != ".script") {
                    continue;
                }
                const std::string name = entry.path().stem().string();
                const fs::path ini = fs::path(entry.path()).replace_extension(".ini");
                const std::string iniText = readText(ini);
                addCase(name, fileExists(ini) ? &iniText : nullptr, readText(entry.path()));
            }
        }
        CaseGenerator generator(20261208);
        for (int i = 0; i < 300; ++i) {
            const auto [ini, script] = generator.profileCase();
            addCase("random_profile_" + std::to_string(i), &ini, script);
        }
        std::string messages;
        for (int i = 0; i < 300; ++i) {
            messages += generator.messageCase();
        }
        addCase("random_messages", nullptr, messages);
    }

    static TempDir* folder_;
    static fs::path windows_;
    static fs::path ours_;
    static std::vector<std::string> names_;
    static int wineStatus_;
    static std::string wineErrors_;
};

TempDir* WineReference::folder_ = nullptr;
fs::path WineReference::windows_;
fs::path WineReference::ours_;
std::vector<std::string> WineReference::names_;
int WineReference::wineStatus_ = 0;
std::string WineReference::wineErrors_;

TEST_F(WineReference, ValuesFilesAndMessagesAgreeWithWindows) {
    ASSERT_EQ(wineStatus_, 0) << wineErrors_;
    ASSERT_GT(names_.size(), 300u);
    for (const std::string& name : names_) {
        const std::string ours = runOurScript(ours_ / name);
        const std::string windows = readText(windows_ / (name + ".out"));
        const auto ourLines = reference::scriptLines(ours);
        const auto windowsLines = reference::scriptLines(windows);
        const auto scriptLines = reference::scriptLines(readText(ours_ / (name + ".script")));
        ASSERT_EQ(ourLines.size(), windowsLines.size()) << name << "\n" << windows;
        for (std::size_t i = 0; i < ourLines.size(); ++i) {
            EXPECT_EQ(ourLines[i], withLfBreaks(windowsLines[i]))
                << name << ", operation " << i + 1 << ": " << scriptLines[i];
        }
        EXPECT_EQ(normalizedProfile(readText(ours_ / (name + ".ini"))),
                  normalizedProfile(readText(windows_ / (name + ".ini"))))
            << name << "\n" << readText(ours_ / (name + ".script"));
    }
}

}  // namespace
}  // namespace tarn
