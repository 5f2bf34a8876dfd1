// SPDX-License-Identifier: GPL-3.0-or-later
// Spelling in the main window: the translation's language (Other > Spelling language...,
// "[Spelling]"), its dictionary and the personal word list beside the settings file, the wavy
// underline in the cell editor, the dictionary's suggestions and "Add to dictionary" in the
// editor's menu, and the spelling findings of the Checks panel.
#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main/table_proposal.h"
#include "app/main/window_parts.h"
#include "textcodes/translation_checks.h"

class QAction;
class QLineEdit;
class QMenu;
class QPoint;

namespace tarn {

class SpellChecker;

class SpellingActions : public QObject {
    Q_OBJECT
public:
    // editorMenu: the cell editor's context menu, which the spelling items head.
    SpellingActions(WindowParts& parts, QMenu& editorMenu);
    ~SpellingActions() override;

    QAction* languageAction() const { return languageAction_; }
    const SpellChecker* checker() const { return checker_.get(); }

    // Opens the stored language's dictionary.
    void applySettings();
    void chooseLanguage();
    // A cell editor opened: its unknown words are underlined.
    void watchEditor(QLineEdit& editor);
    // The spelling findings of every translated text; none without a language. Only the texts
    // that changed since the last call are checked again.
    std::vector<TextFinding> findings() const;
    // The personal word list: beside the settings file.
    QString personalWordsPath() const;
    // Marks the page's bytes of the dictionary's letters; none without a dictionary, or when
    // its word list cannot be read.
    void markWordBytes(const CodePage& page, UsedBytes& bytes) const;

signals:
    // The words the checker knows changed (another language, a word added).
    void wordsChanged();

private:
    void openChecker();
    void addMenuItems(const QPoint& globalPos);
    void addWord(const QString& word);
    std::string proposedLanguage() const;

    WindowParts& parts_;
    QMenu& editorMenu_;
    QAction* languageAction_;
    std::unique_ptr<SpellChecker> checker_;
    std::vector<QAction*> menuItems_;  // the spelling items the editor's menu shows now

    // Each text's last checked translation and its finding, by row; emptied when the words
    // the checker knows or the code page change.
    struct Checked {
        std::string text;
        std::optional<CheckFinding> finding;
    };
    mutable std::vector<std::optional<Checked>> checked_;
    mutable std::optional<CodePage> checkedPage_;
};

}  // namespace tarn
