// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the real main window on the offscreen platform over generated game executables, with a
// scripted prompter answering every message box and modal dialog.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <memory>

#include "app/main/main_window.h"
#include "app/main/tarn_edit_application.h"
#include "app/main/tests/sample_game.h"
#include "app/widgets/scripted_prompter.h"
#include "app/widgets/test_support/child_by_name.h"
#include "app/widgets/test_support/test_application.h"
#include "app/widgets/text_grid_view.h"
#include "common/file_io.h"
#include "exetext/exe_profile.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_reader.h"

namespace tarn {

class EditorTest : public ::testing::Test, protected SampleGame {
protected:
    static void SetUpTestSuite() { testApplication<TarnEditApplication>(); }

    void SetUp() override {
        texts = sampleTexts();
        texts[0] = "Hi";
    }
    // The full sample leaves about 90 bytes free: tests whose translations are all longer
    // than their originals take the small repetitive sample instead.
    void useRepetitiveSample() {
        texts = repetitiveSampleTexts();
        texts[0] = "Hi";
    }
    void TearDown() override {
        if (window) {
            window->hide();
            window.reset();
        }
        setWriteFaultForTesting({});
    }

    using SampleGame::writeGame;
    void writeGame() { writeGame(texts, texts); }

    std::string settingsText() const {
        const Bytes data = readWholeFile(settingsPath);
        return std::string(data.begin(), data.end());
    }

    // Creates and shows the main window and lets its start-up run.
    MainWindow& start() {
        window = openMainWindow();
        return *window;
    }

    // The main window's action, dialog or widget of that objectName.
    QAction* action(const char* name) const { return childByName<QAction>(*window, name); }
    template <typename T>
    T* child(const char* name) const {
        return childByName<T>(*window, name);
    }

public:
    // The grid of the texts: its current cell, its editor and moves through its rules.
    TextGridView* grid() const { return child<TextGridView>("textGrid"); }

protected:
    // Types into the current cell, opening its editor first.
    void type(const QString& text) {
        if (!grid()->isEditing()) {
            QTest::keyClick(grid(), Qt::Key_Return);
            ASSERT_NE(grid()->cellEditor(), nullptr);
            QTest::keyClick(grid()->cellEditor(), Qt::Key_End);  // the text opens selected
        }
        ASSERT_NE(grid()->cellEditor(), nullptr);
        QTest::keyClicks(grid()->cellEditor(), text);
    }
    // One character typed into a line edit, as a keyboard of that language sends it.
    static void typeCharacter(QWidget* target, const QString& character) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, character);
        QApplication::sendEvent(target, &press);
    }
    // The editor of the given cell, opened with the text as it is.
    QLineEdit* openEditorAt(int row, int column) {
        EXPECT_TRUE(grid()->moveTo(row, column));
        type("");
        return grid()->cellEditor();
    }
    void pressInEditor(Qt::Key key) {
        ASSERT_NE(grid()->cellEditor(), nullptr);
        QTest::keyClick(grid()->cellEditor(), key);
    }
    std::vector<std::string> translatedOnDisk() const {
        LoadedExecutables loaded;
        loadExecutables(origPath, transPath, Notation::Raw, loaded);
        return loaded.translated;
    }
    QStringList messageTexts() const {
        QStringList out;
        for (const auto& m : prompter.messages()) {
            out << m.text;
        }
        return out;
    }

    std::vector<std::string> texts;
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> window;
};

}  // namespace tarn
