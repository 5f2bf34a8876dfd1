// SPDX-License-Identifier: GPL-3.0-or-later
// The command tree of tarntool on CLI11: families of commands ("exe", "obj", "patch") and
// single commands ("sample-game"), `--help` at every level, `--version` on the program.
//
// A command is a function over a small options struct that CLI11 fills. To add one, write
//     void addExeCheckCommand(Tool& tool) {
//         auto o = std::make_shared<CheckOptions>();
//         CLI::App& cmd = tool.addCommand(tool.family("exe"), {"check", "Lists ...",
//                                         "check FILE", "exe check takes one FILE"},
//                                         [o] { return check(*o); });
//         cmd.add_option("FILE", o->file, "the game executable")->required();
//     }
// and call it from main. Positionals and options marked required() make up the command's
// shape: a wrong number of positionals or a missing required option is reported with the
// command's badUse message.
//
// Command lines keep the grammar scripts have used: options are written out in full, one
// argument each ("--id 5", never "--id=5" or "-oOUT"), the last of a repeated option counts,
// and every bad use is reported in its family's wording with exit status 2. A command accepts
// only its own options; another command's option is an unknown option.
//
// A command answers its exit status (0, or 1 when its result says something failed, such as
// findings with errors) or raises CommandError (command_error.h). Tool alone turns an error
// into its message and exit status.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tarntool/command_error.h"

namespace tarn::tool {

// How a family words bad use. Scripts have seen these texts; each family keeps its own.
struct UsageStyle {
    bool usageAfterErrors = true;         // "tarntool: MESSAGE" is followed by the usage
    bool bareUsageForBadCommand = false;  // a missing or unknown command prints the usage alone
    bool sharedOptions = false;  // the family knows its commands' options, so that an unknown
                                 // option is reported before an unknown command
    std::string needsValue;      // words before "X needs a value"
};

struct CommandInfo {
    std::string name;         // "export"
    std::string description;  // one line for --help
    std::string usage;        // after "tarntool FAMILY ": "export FILE [-o OUT]"; may hold
                              // continuation lines
    std::string badUse;       // a wrong number of positionals or a missing required option
    bool positionalsOnly = false;  // every argument but a lone --help is positional
};

using CommandRun = std::function<int()>;

class Tool {
public:
    Tool(const std::string& description, const std::string& version);

    // A family of commands under the program ("tarntool exe ...").
    CLI::App& addFamily(const std::string& name, const std::string& description,
                        const UsageStyle& style);
    CLI::App& family(const std::string& name);

    // A command of a family, or (family == nullptr) one directly under the program.
    CLI::App& addCommand(CLI::App& family, const CommandInfo& info, CommandRun run);
    CLI::App& addCommand(const CommandInfo& info, const UsageStyle& style, CommandRun run);

    // Parses the command line, runs the command and answers the exit status.
    int run(int argc, char** argv);

private:
    struct Node {
        CLI::App* app = nullptr;
        CLI::App* family = nullptr;  // the family of a command; nullptr for a family or a
                                     // command directly under the program
        UsageStyle style;
        CommandInfo info;
        CommandRun run;
        std::vector<std::string> commandOrder;  // of a family
    };

    int runParsed(const Node& command, const std::vector<std::string>& tokens,
                  std::vector<std::string> argv);
    int badUse(const Node& node, const std::string& message) const;
    int failed(const Node& command) const;  // the error being handled: message and exit status
    std::string usage(const Node& node) const;
    std::string programUsage() const;
    void checkOptions(const CLI::App& command, const std::vector<std::string>& tokens,
                      const UsageStyle& style) const;
    void shareSiblingOptions(Node& family);
    Node* find(const std::string& familyName, const std::string& commandName);

    CLI::App app_;
    Node root_;
    std::vector<std::string> order_;       // names under the program, in registration order
    std::map<std::string, Node> nodes_;    // "exe", "exe export", "sample-game"
};

}  // namespace tarn::tool
