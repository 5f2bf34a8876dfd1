// SPDX-License-Identifier: GPL-3.0-or-later
// Other > Character table...: the translation's character table file, or none. Shows what the
// chosen table changes, the characters of the code page that fall on game codes and the bytes
// free for them, and proposes a starting table for the characters the translator ticks. A table
// that cannot be used is refused with the reader's line-numbered message.
#pragma once

#include <QDialog>
#include <string>

#include "app/main/table_proposal.h"
#include "common/code_page.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace tarn {

class CharacterTableDialog : public QDialog {
    Q_OBJECT
public:
    // page: the font's code page without a table; path and contents: the table in use (empty:
    // none); used: the bytes the texts use; folder: where the file dialogs open (updated).
    CharacterTableDialog(const CodePage& page, const QString& path, const std::string& contents,
                         const ByteUse& use, std::string& folder, QWidget* parent);

    // The table chosen, once the dialog is accepted: its file and contents (empty: none).
    const QString& tablePath() const { return path_; }
    const std::string& tableContents() const { return contents_; }

    void chooseFile();
    void chooseNone();
    void proposeTable();

private:
    // Takes the file as the table unless it cannot be read or is not a sound table.
    bool take(const QString& path);
    void showTable();

    CodePage page_;
    ByteUse use_;
    std::string& folder_;
    QString path_;
    std::string contents_;
    QLineEdit* fileEdit_;
    QPlainTextEdit* report_;
    QListWidget* onCodes_;
    QListWidget* free_;
};

// Reads a table file and checks it over page: the contents, or the message naming the file
// ("file: line 3: ...", or the file's read error).
struct TableFileRead {
    std::string contents;
    QString error;
};
TableFileRead readTableFile(const QString& path, const CodePage& page);

}  // namespace tarn
