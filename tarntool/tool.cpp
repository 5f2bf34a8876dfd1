// SPDX-License-Identifier: GPL-3.0-or-later
#include "tarntool/tool.h"

#include <algorithm>
#include <iostream>

namespace tarn::tool {

namespace {

bool looksLikeOption(const std::string& token) {
    return token.size() > 1 && token[0] == '-';
}

bool takesValue(const CLI::Option& option) {
    return option.get_expected_max() != 0;
}

}  // namespace

Tool::Tool(const std::string& description, const std::string& version)
    : app_(description, "tarntool") {
    app_.set_help_flag("--help", "Print this help message and exit");
    app_.set_version_flag("--version", "tarntool " + version);
    app_.require_subcommand(0, 1);
    app_.allow_extras();
    // Options are written -o and --option on every system; on Windows a word such as
    // /Gry/Tarn.exe is a path on the current drive, not an option. Subcommands inherit this.
    app_.allow_windows_style_options(false);
    // A repeated option counts once, with its last value.
    app_.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    root_.app = &app_;
}

CLI::App& Tool::addFamily(const std::string& name, const std::string& description,
                          const UsageStyle& style) {
    CLI::App* app = app_.add_subcommand(name, description);
    app->require_subcommand(0, 1);
    app->allow_extras();
    Node& node = nodes_[name];
    node.app = app;
    node.style = style;
    order_.push_back(name);
    return *app;
}

CLI::App& Tool::family(const std::string& name) {
    return *nodes_.at(name).app;
}

CLI::App& Tool::addCommand(CLI::App& family, const CommandInfo& info, CommandRun run) {
    Node& owner = nodes_.at(family.get_name());
    CLI::App* app = family.add_subcommand(info.name, info.description);
    app->allow_extras();
    owner.commandOrder.push_back(info.name);
    Node& node = nodes_[family.get_name() + " " + info.name];
    node.app = app;
    node.family = &family;
    node.style = owner.style;
    node.info = info;
    node.run = std::move(run);
    return *app;
}

CLI::App& Tool::addCommand(const CommandInfo& info, const UsageStyle& style, CommandRun run) {
    CLI::App* app = app_.add_subcommand(info.name, info.description);
    app->allow_extras();
    Node& node = nodes_[info.name];
    node.app = app;
    node.style = style;
    node.info = info;
    node.run = std::move(run);
    order_.push_back(info.name);
    return *app;
}

Tool::Node* Tool::find(const std::string& familyName, const std::string& commandName) {
    const auto it = nodes_.find(commandName.empty() ? familyName : familyName + " " + commandName);
    return it == nodes_.end() ? nullptr : &it->second;
}

std::string Tool::usage(const Node& node) const {
    if (node.family != nullptr) {
        return usage(nodes_.at(node.family->get_name()));
    }
    std::vector<std::string> lines;
    if (node.run) {
        lines.push_back("tarntool " + node.info.usage);
    }
    for (const std::string& name : node.commandOrder) {
        lines.push_back("tarntool " + node.app->get_name() + " " +
                        nodes_.at(node.app->get_name() + " " + name).info.usage);
    }
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += (i == 0 ? "usage: " : "       ") + lines[i] + "\n";
    }
    return text;
}

std::string Tool::programUsage() const {
    std::string text;
    for (std::size_t i = 0; i < order_.size(); ++i) {
        const Node& node = nodes_.at(order_[i]);
        std::string line = "tarntool ";
        if (node.run) {
            line += node.info.usage;
        } else {
            std::string names;
            for (const std::string& name : node.commandOrder) {
                names += (names.empty() ? "" : "|") + name;
            }
            line += order_[i] + " " + names + " ...";
        }
        text += (i == 0 ? "usage: " : "       ") + line + "\n";
    }
    return text;
}

int Tool::badUse(const Node& node, const std::string& message) const {
    std::cerr << "tarntool: " << message << "\n";
    if (node.style.usageAfterErrors) {
        std::cerr << usage(node);
    }
    return kBadUse;
}

void Tool::checkOptions(const CLI::App& command, const std::vector<std::string>& tokens,
                        const UsageStyle& style) const {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (!looksLikeOption(tokens[i])) {
            continue;
        }
        const CLI::Option* option = command.get_option_no_throw(tokens[i]);
        if (option == nullptr) {
            throw UsageError("unknown option " + tokens[i]);
        }
        if (takesValue(*option)) {
            if (i + 1 == tokens.size()) {
                throw UsageError(style.needsValue + tokens[i] + " needs a value");
            }
            ++i;
        }
    }
}

void Tool::shareSiblingOptions(Node& family) {
    // The family itself knows every option of its commands, so that a command line with an
    // unknown command is checked for unknown options first.
    for (const std::string& name : family.commandOrder) {
        const CLI::App* command = nodes_.at(family.app->get_name() + " " + name).app;
        for (const CLI::Option* option : command->get_options()) {
            if (option->get_positional() || option == command->get_help_ptr()) {
                continue;
            }
            for (const std::string& alias : option->get_lnames()) {
                if (family.app->get_option_no_throw("--" + alias) == nullptr) {
                    (!takesValue(*option) ? family.app->add_flag("--" + alias)
                                                  : family.app->add_option("--" + alias))
                        ->group("");
                }
            }
            for (const std::string& alias : option->get_snames()) {
                if (family.app->get_option_no_throw("-" + alias) == nullptr) {
                    (!takesValue(*option) ? family.app->add_flag("-" + alias)
                                                  : family.app->add_option("-" + alias))
                        ->group("");
                }
            }
        }
    }
}

int Tool::run(int argc, char** argv) {
    for (const std::string& name : order_) {
        Node& node = nodes_.at(name);
        if (node.style.sharedOptions) {
            shareSiblingOptions(node);
        }
        node.app->footer(usage(node));
    }
    app_.footer(programUsage());
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << programUsage();
        return kBadUse;
    }
    if (args[0] == "--help" || args[0] == "--version") {
        return runParsed(root_, {}, args);
    }
    Node* top = find(args[0], "");
    if (top == nullptr) {
        std::cerr << "tarntool: unknown command \"" << args[0] << "\"\n" << programUsage();
        return kBadUse;
    }
    if (top->run) {
        return runParsed(*top, {args.begin() + 1, args.end()}, args);
    }
    if (args.size() >= 2 && args[1] == "--help") {
        return runParsed(*top, {}, args);
    }
    Node* command = args.size() < 2 ? nullptr : find(args[0], args[1]);
    if (command == nullptr) {
        if (top->style.bareUsageForBadCommand) {
            std::cerr << usage(*top);
            return kBadUse;
        }
        if (args.size() < 2) {
            return badUse(*top, args[0] + " needs a command");
        }
        try {
            if (top->style.sharedOptions) {
                checkOptions(*top->app, {args.begin() + 2, args.end()}, top->style);
            }
        } catch (const UsageError& e) {
            return badUse(*top, e.what());
        }
        return badUse(*top, "unknown " + args[0] + " command \"" + args[1] + "\"");
    }
    return runParsed(*command, {args.begin() + 2, args.end()}, args);
}

int Tool::runParsed(const Node& command, const std::vector<std::string>& tokens,
                    std::vector<std::string> argv) {
    try {
        if (command.info.positionalsOnly) {
            if (!(tokens.size() == 1 && tokens[0] == "--help")) {
                argv.insert(argv.end() - static_cast<std::ptrdiff_t>(tokens.size()), "--");
            }
        } else if (command.run) {
            checkOptions(*command.app, tokens, command.style);
        }
        std::reverse(argv.begin(), argv.end());
        try {
            app_.parse(argv);
        } catch (const CLI::CallForHelp&) {
            std::cout << app_.help();
            return kOk;
        } catch (const CLI::CallForVersion& e) {
            std::cout << e.what() << "\n";
            return kOk;
        } catch (const CLI::RequiredError&) {
            throw UsageError(command.info.badUse);
        } catch (const CLI::ParseError& e) {
            throw UsageError(e.what());
        }
        if (!command.run) {
            std::cerr << programUsage();
            return kBadUse;
        }
        // Arguments no positional took, wherever CLI11 left them (the marker "--" included).
        std::vector<std::string> left = app_.remaining(true);
        if (command.info.positionalsOnly) {
            const auto marker = std::find(left.begin(), left.end(), "--");
            if (marker != left.end()) {
                left.erase(marker);
            }
        }
        if (!left.empty()) {
            throw UsageError(command.info.badUse);
        }
        return command.run();
    } catch (...) {
        return failed(command);
    }
}

// The one place where a command's error becomes its message and exit status.
int Tool::failed(const Node& command) const {
    try {
        throw;
    } catch (const UsageError& e) {
        return badUse(command, e.what());
    } catch (const CommandError& e) {
        if (*e.what() != '\0') {
            std::cerr << "tarntool: " << e.what() << "\n";
        }
        return e.status();
    } catch (const std::exception& e) {
        // The core's errors that no command turned into unreadable input: a write that failed
        // (with the system's reason), no memory, a file system error.
        std::cerr << "tarntool: " << e.what() << "\n";
        return kFailed;
    }
}

}  // namespace tarn::tool
