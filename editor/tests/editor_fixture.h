// Runs the real main window on the offscreen platform over generated game executables, with a
// scripted prompter answering every message box and modal dialog.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "common/file_io.h"
#include "editor/string_grid.h"
#include "editor/tarn_application.h"
#include "editor/tests/sample_game.h"
#include "editor/tfo_form.h"
#include "exetext/exe_profile.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_reader.h"
#include "app/widgets/scripted_prompter.h"
#include "app/widgets/test_support/test_application.h"

namespace tarn {

class EditorTest : public ::testing::Test, protected SampleGame {
protected:
    static void SetUpTestSuite() { testApplication<TarnApplication>(); }

    void SetUp() override {
        texts = sampleTexts();
        texts[0] = "Hi";
    }
    void TearDown() override {
        if (form) {
            form->hide();
            form.reset();
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
    TFoForm& start() {
        form = openMainWindow();
        return *form;
    }

    // Types into the current cell, opening its editor first.
    void type(const QString& text) {
        if (!form->isEditing()) {
            QTest::keyClick(form->StringGrid1, Qt::Key_Return);
            ASSERT_NE(form->cellEditor(), nullptr);
            QTest::keyClick(form->cellEditor(), Qt::Key_End);  // the text opens selected
        }
        ASSERT_NE(form->cellEditor(), nullptr);
        QTest::keyClicks(form->cellEditor(), text);
    }
    void pressInEditor(Qt::Key key) {
        ASSERT_NE(form->cellEditor(), nullptr);
        QTest::keyClick(form->cellEditor(), key);
    }
    std::vector<std::string> translatedOnDisk() const {
        LoadedExecutables loaded;
        loadExecutables(origPath, transPath, false, loaded);
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
    std::unique_ptr<TFoForm> form;
};

}  // namespace tarn
