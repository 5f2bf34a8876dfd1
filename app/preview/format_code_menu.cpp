// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview/format_code_menu.h"

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <algorithm>
#include <string>

#include "app/preview/game_colour.h"
#include "app/widgets/text_cells.h"
#include "textcodes/code_table.h"
#include "textcodes/colour_table.h"
#include "textcodes/cstyle.h"

namespace tarn {
namespace {

constexpr int SwatchSize = 16;

QString captionOf(const TextCode& code) {
    return QString::fromUtf8(code.caption.data(), static_cast<qsizetype>(code.caption.size()));
}

}  // namespace

FormatCodeMenu::FormatCodeMenu(QMenu& menu, TextCells& grid, QAction* cut, QAction* copy,
                               QAction* paste, QObject* parent)
    : QObject(parent), menu_(menu), grid_(grid) {
    menu_.setObjectName(QStringLiteral("formatCodeMenu"));
    for (QAction* action : {cut, copy, paste}) {
        if (action != nullptr) {
            menu_.addAction(action);
        }
    }
    menu_.addSeparator();

    colourMenu_ = menu_.addMenu(QStringLiteral("Change &color to"));
    valueMenu_ = menu_.addMenu(QStringLiteral("Show &variable"));
    colourMenu_->setObjectName(QStringLiteral("colourCodeMenu"));
    valueMenu_->setObjectName(QStringLiteral("valueCodeMenu"));
    for (const TextCode& code : textCodes()) {
        if (code.caption.empty()) {
            continue;  // codes without a menu item (131, 132, %, backslash)
        }
        if (code.byte >= kFirstColourCode && code.byte <= kLastColourCode) {
            addCodeItem(*colourMenu_, captionOf(code), code.byte);
        } else if (code.byte >= kFirstValueCode && code.byte <= kLastValueCode) {
            addCodeItem(*valueMenu_, captionOf(code), code.byte);
        }
    }
    lineBreakAction_ = addCodeItem(menu_, QStringLiteral("Insert &line break"), kLineBreakCode);
    // Thin letters and the default colour insert their codes like every other code item.
    thinLettersAction_ =
        addCodeItem(menu_, QStringLiteral("Switch to t&hin letters"), kThinLettersCode);
    defaultColourAction_ =
        addCodeItem(menu_, QStringLiteral("Switch to &default text color"), kDefaultColourCode);
    lineBreakAction_->setObjectName(QStringLiteral("lineBreakAction"));
    thinLettersAction_->setObjectName(QStringLiteral("thinLettersAction"));
    defaultColourAction_->setObjectName(QStringLiteral("defaultColourAction"));
    menu_.addSeparator();
    undoEditingAction_ = menu_.addAction(QStringLiteral("&Undo editing"));
    undoEditingAction_->setObjectName(QStringLiteral("undoEditingAction"));
    connect(undoEditingAction_, &QAction::triggered, this, &FormatCodeMenu::undoEditing);
    connect(&menu_, &QMenu::aboutToShow, this, &FormatCodeMenu::enableItems);
    makeColourSwatches();
}

QAction* FormatCodeMenu::addCodeItem(QMenu& menu, const QString& caption, std::uint8_t code) {
    QAction* item = menu.addAction(caption);
    item->setData(int{code});
    connect(item, &QAction::triggered, this, [this, item] { insertCode(item); });
    return item;
}

void FormatCodeMenu::makeColourSwatches() {
    QPixmap swatch(SwatchSize, SwatchSize);
    for (QAction* item : colourMenu_->actions()) {
        if (auto colour = colourOfCode(static_cast<unsigned char>(item->data().toInt()))) {
            swatch.fill(rgbToQColor(*colour));
            item->setIcon(QIcon(swatch.copy()));
        }
    }
}

bool FormatCodeMenu::popupWhileEditing(const QPoint& globalPosition) {
    if (!grid_.isEditing()) {
        return false;
    }
    menu_.popup(globalPosition);
    return true;
}

void FormatCodeMenu::enableItems() {
    const bool editing = grid_.isEditing();
    for (QAction* item : {colourMenu_->menuAction(), valueMenu_->menuAction(), lineBreakAction_,
                          thinLettersAction_, defaultColourAction_, undoEditingAction_}) {
        item->setEnabled(editing);
    }
}

void FormatCodeMenu::insertCode(QAction* item) {
    std::optional<CellEditorState> editor = grid_.cellEditorState();
    if (!editor || item == nullptr) {
        return;
    }
    std::string piece(1, static_cast<char>(item->data().toInt()));
    if (grid_.notation() == Notation::CStyle) {
        piece = rawToCStyle(piece);
    }
    const auto caret = static_cast<std::size_t>(
        std::clamp(editor->selectionStart, 0, static_cast<int>(editor->text.size())));
    std::string text = editor->text;
    text.insert(caret, piece);

    const int row = grid_.currentRow();
    const int column = grid_.currentColumn();
    grid_.closeCellEditor();
    grid_.setCellText(row, column, text);  // an edit of the cell like typing
    grid_.openCellEditor();
    grid_.setCellEditorSelection(static_cast<int>(caret + piece.size()), editor->selectionLength);
}

void FormatCodeMenu::undoEditing() {
    const std::string original = grid_.undoText();
    grid_.closeCellEditor();
    grid_.setCellText(grid_.currentRow(), grid_.currentColumn(), original);
    grid_.openCellEditor();
}

}  // namespace tarn
