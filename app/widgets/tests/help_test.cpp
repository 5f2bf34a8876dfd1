// SPDX-License-Identifier: GPL-3.0-or-later
// The help: where the guide is found, the help window and its sections, the missing file.
#include <gtest/gtest.h>

#include <QDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "app/widgets/help_viewer.h"
#include "app/widgets/help_window.h"
#include "app/widgets/scripted_prompter.h"
#include "app/widgets/test_support/child_by_name.h"
#include "common/tests/temp_dir.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

QString qpath(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// The text of the block at the top of the browser's visible area.
QString topLine(const QTextBrowser& browser) {
    return browser.cursorForPosition(QPoint(4, 4)).block().text();
}

QList<HelpWindow*> helpWindows() {
    QList<HelpWindow*> found;
    for (QWidget* w : QApplication::allWidgets()) {
        if (auto* help = qobject_cast<HelpWindow*>(w)) {
            found << help;
        }
    }
    return found;
}

TEST(HeadingAnchor, FollowsTheMarkdownHostsRules) {
    const std::pair<const char*, const char*> cases[] = {
        {"Getting started", "getting-started"},
        {"The paths dialog", "the-paths-dialog"},
        {"Object texts and language IDs", "object-texts-and-language-ids"},
        {"What players see", "what-players-see"},
        {"Find and replace: \"quoted\", (more)!", "find-and-replace-quoted-more"},
        {"tarn_tool and x-y", "tarn_tool-and-x-y"},
        {"Übersetzen 2", "übersetzen-2"},
    };
    for (const auto& [heading, anchor] : cases) {
        EXPECT_EQ(headingAnchor(QString::fromUtf8(heading)), QString::fromUtf8(anchor)) << heading;
    }
}

TEST(HelpFile, TheGuideBesideTheProgramThenTheInstalledOneThenTheOlderHelpFile) {
    TempDir dir;
    const fs::path bin = dir.path() / "usr" / "bin";
    fs::create_directories(bin);
    const QString installed = qpath(dir.path() / "usr/share/tarnedit/docs/user-guide.md");
    // None: the installed place is named, where a broken installation lacks it.
    EXPECT_EQ(helpFileFor(qpath(bin)), installed);
    writeText(bin / "Ostrel2.hlp", "old");
    EXPECT_EQ(helpFileFor(qpath(bin)), qpath(bin / "Ostrel2.hlp"));
    writeText(dir.path() / "usr/share/tarnedit/docs/user-guide.md", "# Guide\n");
    EXPECT_EQ(helpFileFor(qpath(bin)), installed);
    writeText(bin / "docs" / "user-guide.md", "# Guide\n");
    EXPECT_EQ(helpFileFor(qpath(bin)), qpath(bin / "docs" / "user-guide.md"));
    // A program outside a bin folder (a build folder, the Windows package's folder, a copy made
    // alone) is named with the guide beside it when there is none.
    const fs::path alone = dir.path() / "Gry";
    fs::create_directories(alone);
    EXPECT_EQ(helpFileFor(qpath(alone)), qpath(alone / "docs" / "user-guide.md"));
}

class HelpWindowTest : public ::testing::Test {
protected:
    void TearDown() override { owner.reset(); }

    QTextBrowser& browser() const {
        const QList<HelpWindow*> windows = helpWindows();
        EXPECT_EQ(windows.size(), 1);
        return *childByName<QTextBrowser>(*windows.front(), "helpBrowser");
    }

    ScriptedPrompter prompter;
    std::unique_ptr<QWidget> owner = std::make_unique<QWidget>();
    const QString guide = QStringLiteral(TARN_USER_GUIDE);
};

TEST_F(HelpWindowTest, EveryContextOpensItsSectionOfTheGuideInOneWindow) {
    owner->show();
    showHelp(guide, 0, owner.get());
    ASSERT_EQ(helpWindows().size(), 1);
    HelpWindow& window = *helpWindows().front();
    EXPECT_EQ(window.objectName(), "helpWindow");
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(topLine(browser()), "TarnEdit user guide");
    // Rendered, not shown as Markdown source.
    EXPECT_FALSE(browser().toPlainText().contains("## Getting started"));

    const std::pair<int, const char*> sections[] = {{1, "Getting started"},
                                                    {3, "Codes and notations"},
                                                    {5, "The paths dialog"},
                                                    {6, "Saving and running the game"},
                                                    {8, "Editing texts"}};
    for (const auto& [context, heading] : sections) {
        showHelp(guide, context, owner.get());
        EXPECT_EQ(topLine(browser()), heading) << context;
    }
    EXPECT_EQ(helpWindows().size(), 1);  // the same window each time
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(HelpWindowTest, TheGuidesOwnLinksReachTheirSections) {
    owner->show();
    showHelp(guide, 0, owner.get());
    browser().setSource(QUrl(QStringLiteral("#the-preview")));
    EXPECT_EQ(topLine(browser()), "The preview");
}

TEST_F(HelpWindowTest, AMissingGuideIsReported) {
    TempDir dir;
    const QString missing = qpath(dir.path() / "share" / "user-guide.md");
    showHelp(missing, 1, owner.get());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              QStringLiteral("The help file ") + missing + QStringLiteral(" could not be found."));
    EXPECT_EQ(prompter.messages()[0].caption, "Help");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Error);
    EXPECT_TRUE(helpWindows().isEmpty());
}

}  // namespace
}  // namespace tarn
