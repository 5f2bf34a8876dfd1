// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/character_table_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <set>

#include "app/widgets/file_paths.h"
#include "app/widgets/file_prompt.h"
#include "app/widgets/prompter.h"
#include "common/file_io.h"
#include "common/utf8.h"
#include "textcodes/character_table.h"
#include "textcodes/typed_codes.h"

namespace tarn {

namespace {

const QString kTitle = QStringLiteral("Character table");

// "8C  Ś  U+015A  (140), the value code %l": the code point tells apart characters that look
// alike (ˇ and ˘, ´ and ').
QString byteLine(unsigned char byte, char32_t character, const std::string& more) {
    std::string shown;
    appendUtf8(shown, character);
    return QStringLiteral("%1  %2  %3  (%4)%5")
        .arg(QString::number(byte, 16).toUpper().rightJustified(2, QChar('0')),
             QString::fromStdString(shown), QString::fromStdString(codePointName(character)),
             QString::number(byte), QString::fromStdString(more));
}

// The dialog adds "All files (*)" itself.
FilePrompt tablePrompt(const char* objectName, const char* title, bool save,
                       const QString& proposedName = {}) {
    return {QString::fromLatin1(objectName), QString::fromLatin1(title),
            QStringLiteral("Character tables (*.tbl *.txt)"), QStringLiteral("tbl"), save,
            proposedName};
}

}  // namespace

TableFileRead readTableFile(const QString& path, const CodePage& page) {
    TableFileRead read;
    try {
        const Bytes bytes = readWholeFile(toFilePath(path));
        read.contents.assign(bytes.begin(), bytes.end());
    } catch (const std::exception& e) {
        return {{}, QString::fromStdString(e.what())};
    }
    const CharacterTable table = readCharacterTable(read.contents, page);
    if (!table.ok()) {
        return {{}, path + QStringLiteral(": ") + QString::fromStdString(table.error)};
    }
    return read;
}

CharacterTableDialog::CharacterTableDialog(const CodePage& page, const QString& path,
                                           const std::string& contents, const ByteUse& use,
                                           std::string& folder, QWidget* parent)
    : QDialog(parent), page_(page), use_(use), folder_(folder), path_(path), contents_(contents) {
    setObjectName(QStringLiteral("characterTableDialog"));
    setWindowTitle(kTitle);

    fileEdit_ = new QLineEdit(this);
    fileEdit_->setObjectName(QStringLiteral("tableFileEdit"));
    fileEdit_->setReadOnly(true);
    auto* choose = new QPushButton(QStringLiteral("&Choose file..."), this);
    choose->setObjectName(QStringLiteral("chooseTableButton"));
    auto* none = new QPushButton(QStringLiteral("&None"), this);
    none->setObjectName(QStringLiteral("noTableButton"));
    report_ = new QPlainTextEdit(this);
    report_->setObjectName(QStringLiteral("tableReport"));
    report_->setReadOnly(true);

    std::set<char32_t> placedByTable;
    if (!path_.isEmpty()) {
        for (const CharacterTable::Line& line : readCharacterTable(contents_, page_).lines) {
            placedByTable.insert(line.placed.character);
        }
    }
    onCodes_ = new QListWidget(this);
    onCodes_->setObjectName(QStringLiteral("charactersOnCodesList"));
    for (const auto& [byte, character] : charactersOnCodes(page_)) {
        auto* item =
            new QListWidgetItem(byteLine(byte, character, ", " + codeName(byte)), onCodes_);
        item->setData(Qt::UserRole, static_cast<uint>(character));
        // Letters are ticked: the language most likely needs them; marks are the translator's call.
        // A table in use ticks what it places instead.
        const bool ticked = placedByTable.empty()
                                ? QChar(static_cast<char16_t>(character)).isLetter()
                                : placedByTable.count(character) != 0;
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
    free_ = new QListWidget(this);
    free_->setObjectName(QStringLiteral("freeBytesList"));
    for (const unsigned char byte : freeBytes(page_, use_)) {
        new QListWidgetItem(byteLine(byte, page_.toUnicode(byte), {}), free_);
    }
    auto* propose = new QPushButton(QStringLiteral("&Propose a table..."), this);
    propose->setObjectName(QStringLiteral("proposeTableButton"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileEdit_, 1);
    fileRow->addWidget(choose);
    fileRow->addWidget(none);
    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Characters on game codes:"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Bytes no text uses:"), this), 0, 1);
    lists->addWidget(onCodes_, 1, 0);
    lists->addWidget(free_, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Table file:"), this));
    layout->addLayout(fileRow);
    layout->addWidget(report_);
    layout->addLayout(lists);
    layout->addWidget(propose, 0, Qt::AlignLeft);
    layout->addWidget(buttons);

    connect(choose, &QPushButton::clicked, this, &CharacterTableDialog::chooseFile);
    connect(none, &QPushButton::clicked, this, &CharacterTableDialog::chooseNone);
    connect(propose, &QPushButton::clicked, this, &CharacterTableDialog::proposeTable);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showTable();
}

void CharacterTableDialog::chooseFile() {
    if (const auto path =
            askForFile(this, tablePrompt("tableFileDialog", "Character table", false), folder_)) {
        take(*path);
    }
}

void CharacterTableDialog::chooseNone() {
    path_.clear();
    contents_.clear();
    showTable();
}

void CharacterTableDialog::proposeTable() {
    std::vector<char32_t> characters;
    for (int i = 0; i < onCodes_->count(); ++i) {
        if (onCodes_->item(i)->checkState() == Qt::Checked) {
            characters.push_back(onCodes_->item(i)->data(Qt::UserRole).toUInt());
        }
    }
    const auto path = askForFile(
        this,
        tablePrompt("proposeTableDialog", "Propose a table", true,
                    QStringLiteral("characters-%1.tbl").arg(page_.number())),
        folder_);
    if (!path) {
        return;
    }
    const std::string text = tarn::proposeTable(page_, characters, use_);
    try {
        writeFileAtomically(toFilePath(*path), Bytes(text.begin(), text.end()));
    } catch (const std::exception& e) {
        prompter().message(QString::fromStdString(e.what()), kTitle, MessageIcon::Error,
                           MessageButtons::Ok);
        return;
    }
    take(*path);
}

bool CharacterTableDialog::take(const QString& path) {
    TableFileRead read = readTableFile(path, page_);
    if (!read.error.isEmpty()) {
        prompter().message(read.error, kTitle, MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    path_ = path;
    contents_ = std::move(read.contents);
    showTable();
    return true;
}

void CharacterTableDialog::showTable() {
    fileEdit_->setText(path_.isEmpty() ? QStringLiteral("(none)") : path_);
    if (path_.isEmpty()) {
        report_->setPlainText(QStringLiteral("No table: every byte shows its character of code "
                                             "page %1.")
                                  .arg(page_.number()));
        return;
    }
    const CharacterTable table = readCharacterTable(contents_, page_);
    QStringList lines;
    for (const std::string& line : describeCharacterTable(table, page_)) {
        lines << QString::fromStdString(line);
    }
    if (lines.isEmpty()) {
        lines << QStringLiteral("The table places no characters.");
    }
    report_->setPlainText(lines.join(QChar('\n')));
}

}  // namespace tarn
