// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's page for a text group: the grid of the group's texts, edited in
// place through the session, with its actions (ObjectGridActions); adding and removing
// language IDs; and the history's steps as the grid shows them.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/objects/object_grid_actions.h"

namespace tarn {

class CellRules;
class CodePage;
class GameTextsModel;
class NewLanguageIdDialog;
class ObjectTextsSession;
class TextCells;
class TextGridView;

class ObjectGroupPage : public QWidget {
    Q_OBJECT
public:
    struct Parts {
        QWidget& window;  // the page's parent; takes the history's keys and the dialog
        ObjectTextsSession& session;
        const CodePage& codePage;  // the window's active page
        ObjectGridActions::Handlers handlers;
        std::function<void(const QString&)> reportRefusal;
    };
    // The parts outlive the page.
    explicit ObjectGroupPage(Parts parts);
    // The grid goes before the session it shows.
    ~ObjectGroupPage() override;

    TextGridView& view() const { return *view_; }
    // Lays widget out under the grid (the page takes it).
    void addBelowGrid(QWidget* widget);
    // The grid as the preview and the format-code menu see it.
    TextCells& textCells() const { return *textCells_; }
    // The text Esc gives the current cell back, in the current notation.
    const std::string& undoText() const;
    // True when the current cell may be left; otherwise says why in a message box.
    bool checkCurrentCell();
    void showGroup(int file, int group);
    void refresh();  // the code page changed
    // The actions that change texts; what slips past them is refused where steps are taken.
    void setReadOnly(bool readOnly);

    // The ID the add prompt proposes: the translation's own language.
    void proposeLanguageId(int id);
    // Both want a shown group whose texts may be changed.
    void addLanguageId();
    void removeLanguageId();
    // Takes back or makes again the last step of the session's history (Ctrl+Z, Ctrl+Y and
    // Ctrl+Shift+Z, or the grid's context menu). While a cell editor is open those keys act on
    // its own typing first, as in the main window (CellRules::stepHistory).
    void stepHistory(bool back);

private:
    void selectGridRow(int row);  // from 1
    void fitIdColumn();
    void showLastIdRefused();

    ObjectTextsSession& session_;
    TextGridView* view_;
    GameTextsModel* model_;
    CellRules* cellRules_;
    std::unique_ptr<TextCells> textCells_;
    ObjectGridActions* actions_;
    NewLanguageIdDialog* newLanguageIdDialog_;
};

}  // namespace tarn
