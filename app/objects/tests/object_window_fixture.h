// SPDX-License-Identifier: GPL-3.0-or-later
// What the object texts window's tests share: a sample game, the window over it, a scripted
// prompter, and opening the window until its files are loaded.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTreeView>

#include "app/objects/object_texts_window.h"
#include "app/widgets/scripted_prompter.h"
#include "app/widgets/test_support/child_by_name.h"
#include "app/widgets/test_support/sample_object_game.h"
#include "app/widgets/test_support/test_application.h"
#include "app/widgets/test_support/tree_node.h"
#include "app/widgets/text_grid_view.h"

namespace tarn {

// The object window's grid as its tests address it: rows counted from 0, as the group's entries.
struct ObjectGridProbe {
    TextGridView* view = nullptr;

    int rowCount() const { return view->model()->rowCount(); }
    int currentRow() const { return view->currentRow() - 1; }
    void setCurrentCell(int row, int column) const { view->moveTo(row + 1, column); }
    void editCurrentCell() const { view->editCurrentCell(); }
    bool isEditing() const { return view->isEditing(); }
    QLineEdit* cellEditor() const { return view->cellEditor(); }
    QModelIndex index(int row, int column) const { return view->model()->index(row, column); }
    QString text(int row, int column) const { return index(row, column).data().toString(); }
    Qt::ItemFlags flags(int row, int column) const { return index(row, column).flags(); }
    // As the cell editor writes a text.
    void setText(int row, int column, const QString& text) const {
        view->model()->setData(index(row, column), text);
    }
    void setFocus() const { view->setFocus(); }
};

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
    const ObjectGridProbe* grid() const {
        probe_.view = gridView();
        return &probe_;
    }
    TextGridView* gridView() const { return childByName<TextGridView>(window, "textGrid"); }

    QApplication& app = testApplication();  // before every widget
    SampleObjectGame game;
    ScriptedPrompter prompter;
    ObjectTextsWindow window;
    int loads = 0;

private:
    mutable ObjectGridProbe probe_;
};

}  // namespace tarn
