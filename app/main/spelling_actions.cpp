// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/spelling_actions.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <fstream>

#include "app/main/app_settings.h"
#include "app/main/document_columns.h"
#include "app/main/spelling_language_dialog.h"
#include "app/main/status_line.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/prompter.h"
#include "app/widgets/spelling_highlighter.h"
#include "app/widgets/text_grid_view.h"
#include "exchange/po_header.h"
#include "spelling/spell_checker.h"
#include "spelling/spelling_check.h"

namespace tarn {

namespace {

// How many of the dictionary's suggestions the menu offers.
constexpr std::size_t kMenuSuggestions = 6;

}  // namespace

SpellingActions::SpellingActions(WindowParts& parts, QMenu& editorMenu)
    : QObject(&parts.window), parts_(parts), editorMenu_(editorMenu) {
    languageAction_ = new QAction(QStringLiteral("&Spelling language..."), &parts.window);
    languageAction_->setObjectName(QStringLiteral("spellingLanguageAction"));
    languageAction_->setStatusTip(
        QStringLiteral("Choose the language whose dictionary checks the translation"));
    // Ahead of the format-code menu, which shows the editor's menu.
    connect(&parts.grid, &TextGridView::contextMenuRequested, this, &SpellingActions::addMenuItems);
}

SpellingActions::~SpellingActions() = default;

QString SpellingActions::personalWordsPath() const {
    return nativePath(QFileInfo(parts_.settingsPath)
                          .dir()
                          .filePath(QStringLiteral("tarnedit-words.txt")));
}

void SpellingActions::markWordBytes(const CodePage& page, UsedBytes& bytes) const {
    if (!checker_) {
        return;
    }
    try {
        for (const char32_t c : checker_->wordCharacters()) {
            if (const std::optional<unsigned char> byte = page.fromUnicode(c)) {
                bytes[*byte] = true;
            }
        }
    } catch (const SpellingError&) {
        // The proposal then goes without the dictionary's letters, as without a dictionary.
    }
}

std::string SpellingActions::proposedLanguage() const {
    return proposedPoLanguage(parts_.settings.spelling.language, parts_.codePage.number());
}

void SpellingActions::applySettings() {
    openChecker();
}

void SpellingActions::openChecker() {
    checker_.reset();
    checkedPage_.reset();
    const SpellingSettings& stored = parts_.settings.spelling;
    const std::vector<std::filesystem::path> folders = dictionaryFolders(
        stored.dictionaryFolder.empty() ? std::nullopt
                                        : std::optional(pathFromUtf8(stored.dictionaryFolder)));
    if (availableLanguages(folders).empty()) {
        languageAction_->setStatusTip(missingDictionaryNote(proposedLanguage()));
    }
    if (stored.language.empty()) {
        emit wordsChanged();
        return;
    }
    try {
        checker_ = SpellChecker::open(stored.language, folders);
        std::ifstream words(toFilePath(personalWordsPath()));
        for (std::string word; std::getline(words, word);) {
            if (!word.empty()) {
                checker_->addWord(word);
            }
        }
    } catch (const std::exception& e) {
        checker_.reset();
        parts_.status.setNote(QString::fromStdString(e.what()));
    }
    emit wordsChanged();
}

void SpellingActions::chooseLanguage() {
    SpellingSettings& stored = parts_.settings.spelling;
    SpellingLanguageDialog dialog(stored.language, stored.dictionaryFolder, proposedLanguage(),
                                  &parts_.window);
    if (prompter().runModal(dialog) != QDialog::Accepted) {
        return;
    }
    stored.language = dialog.language();
    stored.dictionaryFolder = nativeSeparators(dialog.folder());
    openChecker();
    if (QLineEdit* editor = parts_.grid.cellEditor()) {
        if (auto* highlighter = editor->findChild<SpellingHighlighter*>()) {
            highlighter->rehighlight();
        }
    }
}

void SpellingActions::watchEditor(QLineEdit& editor) {
    new SpellingHighlighter(editor, parts_.codePage, parts_.document.notation(),
                            [this] { return checker_.get(); });
}

std::vector<TextFinding> SpellingActions::findings() const {
    if (!checker_) {
        return {};
    }
    const std::vector<std::string> originals =
        columnBytes(parts_.document, StringTableDocument::OriginalColumn);
    const std::vector<std::string> translations =
        columnBytes(parts_.document, StringTableDocument::TranslatedColumn);
    if (!checkedPage_ || !(*checkedPage_ == parts_.codePage)) {
        checked_.assign(translations.size(), std::nullopt);
        checkedPage_ = parts_.codePage;
    }
    std::vector<TextFinding> found;
    for (std::size_t i = 0; i < translations.size(); ++i) {
        if (translations[i] == originals[i]) {
            continue;  // still in the original's language
        }
        std::optional<Checked>& entry = checked_[i];
        if (!entry || entry->text != translations[i]) {
            entry = Checked{translations[i],
                            checkSpelling(translations[i], parts_.codePage, *checker_)};
        }
        if (entry->finding) {
            found.push_back({static_cast<int>(i) + 1, *entry->finding});
        }
    }
    return found;
}

void SpellingActions::addMenuItems(const QPoint& globalPos) {
    for (QAction* item : menuItems_) {
        editorMenu_.removeAction(item);
        delete item;
    }
    menuItems_.clear();
    QLineEdit* editor = parts_.grid.cellEditor();
    auto* highlighter = editor != nullptr ? editor->findChild<SpellingHighlighter*>() : nullptr;
    if (highlighter == nullptr || !checker_) {
        return;
    }
    const SpellingHighlighter::Word* word =
        highlighter->wordAt(editor->cursorPositionAt(editor->mapFromGlobal(globalPos)));
    if (word == nullptr) {
        return;
    }
    const int start = word->start;
    const int length = word->length;
    const QString unknown = word->word;
    QAction* first = editorMenu_.actions().isEmpty() ? nullptr : editorMenu_.actions().first();
    const auto add = [&](QAction* item) {
        editorMenu_.insertAction(first, item);
        menuItems_.push_back(item);
    };
    std::vector<std::string> suggestions = checker_->suggestions(unknown.toStdString());
    if (suggestions.size() > kMenuSuggestions) {
        suggestions.resize(kMenuSuggestions);
    }
    for (const std::string& suggestion : suggestions) {
        auto* item = new QAction(QString::fromStdString(suggestion), &editorMenu_);
        item->setObjectName(QStringLiteral("spellingSuggestion"));
        QPointer<QLineEdit> target(editor);
        connect(item, &QAction::triggered, this, [target, start, length, item] {
            if (target) {
                target->setSelection(start, length);
                target->insert(item->text());
            }
        });
        add(item);
    }
    auto* learn = new QAction(QStringLiteral("Add to dictionary"), &editorMenu_);
    learn->setObjectName(QStringLiteral("addToDictionaryAction"));
    connect(learn, &QAction::triggered, this, [this, unknown] { addWord(unknown); });
    add(learn);
    auto* separator = new QAction(&editorMenu_);
    separator->setSeparator(true);
    add(separator);
}

void SpellingActions::addWord(const QString& word) {
    if (!checker_ || word.isEmpty()) {
        return;
    }
    checker_->addWord(word.toStdString());
    checkedPage_.reset();  // every text is checked again
    std::ofstream words(toFilePath(personalWordsPath()), std::ios::app);
    words << word.toStdString() << '\n';
    if (!words) {
        parts_.status.show(
            QStringLiteral("The word could not be added to %1").arg(personalWordsPath()));
    }
    if (QLineEdit* editor = parts_.grid.cellEditor()) {
        if (auto* highlighter = editor->findChild<SpellingHighlighter*>()) {
            highlighter->rehighlight();
        }
    }
    emit wordsChanged();
}

}  // namespace tarn
