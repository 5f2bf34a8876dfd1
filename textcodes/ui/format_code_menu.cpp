#include "textcodes/ui/format_code_menu.h"

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <algorithm>
#include <string>

#include "textcodes/code_table.h"
#include "textcodes/colour_table.h"
#include "textcodes/cstyle.h"
#include "textcodes/ui/game_colour.h"
#include "textcodes/ui/text_grid.h"

namespace tarn {
namespace {

constexpr int SwatchSize = 16;

QString captionOf(const TextCode& code) {
    return QString::fromUtf8(code.caption.data(), static_cast<qsizetype>(code.caption.size()));
}

}  // namespace

FormatCodeMenu::FormatCodeMenu(QMenu& menu, TextGrid& grid, QAction* cut, QAction* copy,
                               QAction* paste, QObject* parent)
    : QObject(parent), PopupMenu1(menu), grid_(grid) {
    PopupMenu1.setObjectName(QStringLiteral("PopupMenu1"));
    for (QAction* action : {cut, copy, paste}) {
        if (action != nullptr) {
            PopupMenu1.addAction(action);
        }
    }
    PopupMenu1.addSeparator();

    Changecolor1 = PopupMenu1.addMenu(QStringLiteral("Change &color to"));
    Showvariable1 = PopupMenu1.addMenu(QStringLiteral("Show &variable"));
    for (const TextCode& code : textCodes()) {
        if (code.caption.empty()) {
            continue;  // codes without a menu item (131, 132, %, backslash)
        }
        if (code.byte >= kFirstColourCode && code.byte <= kLastColourCode) {
            addCodeItem(*Changecolor1, captionOf(code), code.byte);
        } else if (code.byte >= kFirstValueCode && code.byte <= kLastValueCode) {
            addCodeItem(*Showvariable1, captionOf(code), code.byte);
        }
    }
    Insertlinebreak1 =
        addCodeItem(PopupMenu1, QStringLiteral("Insert &line break"), kLineBreakCode);
    // Thin letters and the default colour insert their codes like every other code item.
    Switchtothinletters1 =
        addCodeItem(PopupMenu1, QStringLiteral("Switch to t&hin letters"), kThinLettersCode);
    Switchtodefaulttextcolor1 = addCodeItem(
        PopupMenu1, QStringLiteral("Switch to &default text color"), kDefaultColourCode);
    PopupMenu1.addSeparator();
    Reverttooriginal1 = PopupMenu1.addAction(QStringLiteral("&Undo editing"));
    connect(Reverttooriginal1, &QAction::triggered, this, &FormatCodeMenu::Reverttooriginal1Click);
    connect(&PopupMenu1, &QMenu::aboutToShow, this, &FormatCodeMenu::PopupMenu1Popup);
    makeColourSwatches();
}

QAction* FormatCodeMenu::addCodeItem(QMenu& menu, const QString& caption, std::uint8_t code) {
    QAction* item = menu.addAction(caption);
    item->setData(int{code});
    connect(item, &QAction::triggered, this, [this, item] { Black1Click(item); });
    return item;
}

void FormatCodeMenu::makeColourSwatches() {
    QPixmap swatch(SwatchSize, SwatchSize);
    for (QAction* item : Changecolor1->actions()) {
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
    PopupMenu1.popup(globalPosition);
    return true;
}

void FormatCodeMenu::PopupMenu1Popup() {
    const bool editing = grid_.isEditing();
    for (QAction* item : {Changecolor1->menuAction(), Showvariable1->menuAction(), Insertlinebreak1,
                          Switchtothinletters1, Switchtodefaulttextcolor1, Reverttooriginal1}) {
        item->setEnabled(editing);
    }
}

void FormatCodeMenu::Black1Click(QAction* item) {
    std::optional<CellEditorState> editor = grid_.cellEditorState();
    if (!editor || item == nullptr) {
        return;
    }
    std::string piece(1, static_cast<char>(item->data().toInt()));
    if (grid_.cStyle()) {
        piece = rawToCStyle(piece);
    }
    const auto caret = static_cast<std::size_t>(
        std::clamp(editor->selectionStart, 0, static_cast<int>(editor->text.size())));
    std::string text = editor->text;
    text.insert(caret, piece);

    const int row = grid_.currentRow();
    const int column = grid_.currentColumn();
    grid_.closeCellEditor();
    grid_.setCellText(row, column, text);
    if (column == 2) {
        grid_.setModified();  // an inserted code is an edit of the translation like typing
    }
    grid_.openCellEditor();
    grid_.setCellEditorSelection(static_cast<int>(caret + piece.size()), editor->selectionLength);
}

void FormatCodeMenu::Reverttooriginal1Click() {
    const std::string original = grid_.undoText();
    grid_.closeCellEditor();
    grid_.setCellText(grid_.currentRow(), grid_.currentColumn(), original);
    grid_.openCellEditor();
}

}  // namespace tarn
