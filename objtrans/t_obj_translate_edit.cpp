// The text grid of the object translation window: showing a group, editing it in place, adding
// and deleting language IDs, stepping through the groups, and saving.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <algorithm>
#include <exception>

#include "enduser/ui/create_exe.h"
#include "objfiles/object_folder.h"
#include "objtrans/busy_guard.h"
#include "objtrans/obj_text_display.h"
#include "objtrans/obj_text_grid.h"
#include "objtrans/t_ask_lang_id.h"
#include "objtrans/t_obj_translate.h"
#include "app/widgets/prompter.h"

namespace tarn {

namespace {

// The fixed column: drawn like a heading, never selected or edited.
QTableWidgetItem* idItem(std::uint8_t id, const QPalette& palette) {
    auto* item = new QTableWidgetItem(QString::number(id));
    item->setFlags(Qt::ItemIsEnabled);
    item->setBackground(palette.button());
    item->setForeground(palette.buttonText());
    return item;
}

// Depth-first order over the whole tree, collapsed nodes included.
QTreeWidgetItem* nextInTree(QTreeWidgetItem* node) {
    if (node->childCount() > 0) {
        return node->child(0);
    }
    while (node != nullptr) {
        QTreeWidgetItem* parent = node->parent();
        if (parent == nullptr) {
            return nullptr;
        }
        const int index = parent->indexOfChild(node);
        if (index + 1 < parent->childCount()) {
            return parent->child(index + 1);
        }
        node = parent;
    }
    return nullptr;
}

QTreeWidgetItem* previousInTree(QTreeWidgetItem* node) {
    QTreeWidgetItem* parent = node->parent();
    if (parent == nullptr) {
        return nullptr;
    }
    const int index = parent->indexOfChild(node);
    if (index == 0) {
        return parent;
    }
    node = parent->child(index - 1);
    while (node->childCount() > 0) {
        node = node->child(node->childCount() - 1);
    }
    return node;
}

}  // namespace

void TObjTranslate::showGroup(int file, int group) {
    RightSide->setCurrentWidget(Texts);
    StringGrid1->setCurrentItem(nullptr);  // leaves cell editing
    currentFile_ = file;
    currentGroup_ = group;
    fillGrid();
    selectGridRow(0);
    const ObjTextGroup& entries =
        Files[static_cast<std::size_t>(file)].Texts[static_cast<std::size_t>(group)];
    undoText_ = entries.empty() ? std::string() : entries.front().Text;
}

void TObjTranslate::fillGrid() {
    const ObjTextGroup& entries = Files[static_cast<std::size_t>(currentFile_)]
                                       .Texts[static_cast<std::size_t>(currentGroup_)];
    filling_ = true;
    StringGrid1->setRowCount(static_cast<int>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int row = static_cast<int>(i);
        StringGrid1->setItem(row, 0, idItem(entries[i].ID, StringGrid1->palette()));
        StringGrid1->setItem(row, 1, new QTableWidgetItem(objTextToDisplay(entries[i].Text)));
    }
    filling_ = false;
}

void TObjTranslate::selectGridRow(int row) {
    if (row >= 0 && row < StringGrid1->rowCount()) {
        StringGrid1->setCurrentCell(row, 1);
    }
}

void TObjTranslate::fileModified() {
    Files[static_cast<std::size_t>(currentFile_)].Modified = true;
    Save->setEnabled(true);
}

void TObjTranslate::StringGrid1SetEditText(int row, const QString& text) {
    if (filling_ || currentGroup_ < 0) {
        return;
    }
    ObjTextGroup& entries = Files[static_cast<std::size_t>(currentFile_)]
                                 .Texts[static_cast<std::size_t>(currentGroup_)];
    if (row < 0 || row >= static_cast<int>(entries.size())) {
        return;
    }
    entries[static_cast<std::size_t>(row)].Text = displayToObjText(text);
    fileModified();
}

void TObjTranslate::StringGrid1CellChanged(int row, int column) {
    if (filling_ || column != 1 || currentGroup_ < 0) {
        return;
    }
    // A committed editor: the group already follows each keystroke, unless the text reached the
    // cell some other way.
    const ObjTextGroup& entries = Files[static_cast<std::size_t>(currentFile_)]
                                       .Texts[static_cast<std::size_t>(currentGroup_)];
    const QString text = StringGrid1->item(row, 1)->text();
    if (row < static_cast<int>(entries.size()) &&
        entries[static_cast<std::size_t>(row)].Text != displayToObjText(text)) {
        StringGrid1SetEditText(row, text);
    }
}

void TObjTranslate::StringGrid1CurrentCellChanged(int row, int column) {
    if (currentGroup_ < 0 || row < 0 || column != 1) {
        return;
    }
    const ObjTextGroup& entries = Files[static_cast<std::size_t>(currentFile_)]
                                       .Texts[static_cast<std::size_t>(currentGroup_)];
    if (row < static_cast<int>(entries.size())) {
        undoText_ = entries[static_cast<std::size_t>(row)].Text;
    }
}

void TObjTranslate::StringGrid1Escape(int row) {
    if (currentGroup_ < 0 || row < 0) {
        return;
    }
    // Back into the cell and, through the same change, back into the group.
    if (QLineEdit* editor = StringGrid1->cellEditor()) {
        editor->setText(objTextToDisplay(undoText_));
    }
    StringGrid1SetEditText(row, objTextToDisplay(undoText_));
    filling_ = true;
    StringGrid1->item(row, 1)->setText(objTextToDisplay(undoText_));
    filling_ = false;
}

void TObjTranslate::NewIDClick() {
    if (currentGroup_ < 0 || AskLangID == nullptr) {
        return;
    }
    if (prompter().runModal(*AskLangID) != QDialog::Accepted) {
        return;
    }
    const auto id = static_cast<std::uint8_t>(AskLangID->id());
    ObjTextGroup& entries = Files[static_cast<std::size_t>(currentFile_)]
                                 .Texts[static_cast<std::size_t>(currentGroup_)];
    const auto same = std::find_if(entries.begin(), entries.end(),
                                   [id](const ObjText& entry) { return entry.ID == id; });
    if (same != entries.end()) {
        prompter().message(QStringLiteral("This language ID already exist in this list!"),
                           QStringLiteral("Wrong ID"), MessageIcon::Error, MessageButtons::Ok);
        selectGridRow(static_cast<int>(same - entries.begin()));
        return;
    }
    entries.push_back({id, {}});
    const int row = static_cast<int>(entries.size()) - 1;
    filling_ = true;
    StringGrid1->setRowCount(row + 1);
    StringGrid1->setItem(row, 0, idItem(id, StringGrid1->palette()));
    StringGrid1->setItem(row, 1, new QTableWidgetItem(QString()));
    filling_ = false;
    selectGridRow(row);
    fileModified();
}

void TObjTranslate::DelIDClick() {
    if (currentGroup_ < 0) {
        return;
    }
    if (StringGrid1->rowCount() <= 1) {
        prompter().message(QStringLiteral("Can't delete the last language ID!"),
                           QStringLiteral("Deleting language ID"), MessageIcon::Error,
                           MessageButtons::Ok);
        return;
    }
    const int row = StringGrid1->currentRow();
    if (row < 0) {
        return;
    }
    const QString idText = StringGrid1->item(row, 0)->text();
    if (prompter().message(QStringLiteral("Are you sure to delete Language ID ") + idText,
                           QStringLiteral("Deleting Language ID"), MessageIcon::Question,
                           MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    filling_ = true;
    StringGrid1->removeRow(row);
    filling_ = false;
    ObjTextGroup& entries = Files[static_cast<std::size_t>(currentFile_)]
                                 .Texts[static_cast<std::size_t>(currentGroup_)];
    const auto id = static_cast<std::uint8_t>(idText.toUInt());
    const auto victim = std::find_if(entries.begin(), entries.end(),
                                     [id](const ObjText& entry) { return entry.ID == id; });
    if (victim != entries.end()) {
        entries.erase(victim);
    }
    fileModified();
}

void TObjTranslate::PreviousTextGroupClick() {
    stepTextGroup(false);
}

void TObjTranslate::NextTextGroupClick() {
    stepTextGroup(true);
}

void TObjTranslate::stepTextGroup(bool forward) {
    QTreeWidgetItem* node = TreeView1->currentItem();
    while (node != nullptr) {
        node = forward ? nextInTree(node) : previousInTree(node);
        if (node != nullptr && node->childCount() == 0) {
            TreeView1->setCurrentItem(node);
            TreeView1->scrollToItem(node);
            return;
        }
    }
    prompter().beep();
}

void TObjTranslate::SaveClick() {
    try {
        busy_ = true;
        BusyGuard guard(Panel1);
        const auto total = std::count_if(Files.begin(), Files.end(),
                                         [](const ObjFile& file) { return file.Modified; });
        int k = 0;
        for (ObjFile& file : Files) {
            if (!file.Modified) {
                continue;
            }
            ++k;
            setStatus(QStringLiteral("Saving %1  (%2/%3)")
                          .arg(QString::fromStdString(file.FileName))
                          .arg(k)
                          .arg(total));
            QApplication::processEvents();
            saveObjectFile(objectFilePath(file), file, EnhRLE->isChecked());
        }
        setStatus(QStringLiteral("%1 files updated successfully").arg(total));
        Save->setEnabled(false);
        busy_ = false;
    } catch (const std::exception& e) {
        // Saving stops; the failed file and those after it keep Modified for a retry.
        busy_ = false;
        showExceptionMessage(QString::fromStdString(e.what()));
    }
}

void TObjTranslate::CreateEXEClick() {
    if (CreateEXESettings == nullptr) {
        return;
    }
    busy_ = true;
    CreateEndUserExecutable(
        *CreateEXESettings, Files,
        {Panel1, carriedProgram, [this](const QString& text) { setStatus(text); }});
    busy_ = false;
}

}  // namespace tarn
