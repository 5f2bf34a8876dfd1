// SPDX-License-Identifier: GPL-3.0-or-later
// What the object texts window's tests share: a sample game, the window over it, a scripted
// prompter, and opening the window until its files are loaded.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTreeView>

#include "app/objects/group_texts_grid.h"
#include "app/objects/object_texts_window.h"
#include "app/widgets/scripted_prompter.h"
#include "app/widgets/test_support/child_by_name.h"
#include "app/widgets/test_support/sample_object_game.h"
#include "app/widgets/test_support/test_application.h"
#include "app/widgets/test_support/tree_node.h"

namespace tarn {

class ObjectWindowTest : public ::testing::Test {
protected:
    ObjectWindowTest() {
        window.setTranslatedExecutable(QString::fromStdString(game.exePath().string()));
        QObject::connect(&window, &ObjectTextsWindow::filesLoaded, [this] { ++loads; });
    }
    ~ObjectWindowTest() override { window.hide(); }

    // Shows the window and waits until it has loaded the game's files (again).
    void open() {
        const int before = loads;
        window.show();
        ASSERT_TRUE(processEventsUntil([&] { return loads > before; }));
        QApplication::processEvents();
    }
    QTreeView* tree() const { return childByName<QTreeView>(window, "objectTree"); }
    TreeNode root() const { return TreeNode::top(*tree()); }
    GroupTextsGrid* grid() const { return childByName<GroupTextsGrid>(window, "textGrid"); }

    QApplication& app = testApplication();  // before every widget
    SampleObjectGame game;
    ScriptedPrompter prompter;
    ObjectTextsWindow window;
    int loads = 0;
};

}  // namespace tarn
