// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/character_table_actions.h"

#include <QFileInfo>
#include <QMainWindow>

#include "app/main/app_settings.h"
#include "app/main/character_table_dialog.h"
#include "app/main/window_font.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/prompter.h"
#include "common/code_page_choice.h"
#include "exetext/string_table_document.h"
#include "textcodes/character_table.h"

namespace tarn {

namespace {

// The font's page without any table.
CodePage fontPage(const WindowFont& font) {
    return codePageForCharset(font.charset()).codePage;
}

}  // namespace

CharacterTableActions::CharacterTableActions(WindowParts& parts, WindowFont& font)
    : QObject(&parts.window), parts_(parts), font_(font) {}

void CharacterTableActions::applySettings() {
    const QString path = QString::fromStdString(parts_.settings.characters.tableFile);
    if (path.isEmpty()) {
        if (!path_.isEmpty()) {
            use(QString(), {});  // another translation, without a table
        }
        return;
    }
    folder_ = nativePath(QFileInfo(path).absolutePath()).toStdString();
    TableFileRead read = readTableFile(path, fontPage(font_));
    if (!read.error.isEmpty()) {
        // The setting stays: the file may be mended before the next start.
        prompter().message(read.error, QStringLiteral("Character table"), MessageIcon::Warning,
                           MessageButtons::Ok);
        return;
    }
    use(path, std::move(read.contents));
}

void CharacterTableActions::choose() {
    ByteUse inUse;
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        for (const int column :
             {StringTableDocument::OriginalColumn, StringTableDocument::TranslatedColumn}) {
            for (const char c : parts_.document.cell(row, column)) {
                inUse.byTexts[static_cast<unsigned char>(c)] = true;
            }
        }
    }
    const CodePage page = fontPage(font_);
    if (markOtherBytes_) {
        markOtherBytes_(page, inUse);
    }
    CharacterTableDialog dialog(page, path_, contents_, inUse, folder_, &parts_.window);
    if (prompter().runModal(dialog) == QDialog::Accepted) {
        use(dialog.tablePath(), dialog.tableContents());
    }
}

void CharacterTableActions::use(const QString& path, std::string contents) {
    path_ = path;
    contents_ = std::move(contents);
    parts_.settings.characters.tableFile = path_.toStdString();
    font_.applyPageLayer();
}

CodePage CharacterTableActions::over(const CodePage& page, QString& note) const {
    if (path_.isEmpty()) {
        return page;
    }
    const CharacterTable table = readCharacterTable(contents_, page);
    if (!table.ok()) {
        note = QStringLiteral(
                   "The character table %1 does not fit code page %2 (%3); the texts "
                   "show without it")
                   .arg(path_)
                   .arg(page.number())
                   .arg(QString::fromStdString(table.error));
        return page;
    }
    return table.over(page);
}

}  // namespace tarn
