// SPDX-License-Identifier: GPL-3.0-or-later
// A grid of game texts (view, model, session and cell rules) as its cells: what the preview and
// the format-code menu see of either text window's grid. Each change of a cell is a step of its
// own.
#pragma once

#include <functional>

#include "app/widgets/text_cells.h"

namespace tarn {

class CellRules;
class GameTextsModel;
class GameTextsSession;
class TextGridView;

class SessionTextCells : public virtual TextCells {
public:
    struct Parts {
        TextGridView& view;
        GameTextsModel& model;
        GameTextsSession& session;
        CellRules& cellRules;
        const CodePage& codePage;  // the window's active page, which outlives this
        std::function<void(const QString&)> showRefusal;
    };
    explicit SessionTextCells(Parts parts) : parts_(std::move(parts)) {}

    int currentRow() const override;
    int currentColumn() const override;
    std::string cellText(int row, int column) const override;
    void setCellText(int row, int column, const std::string& text) override;
    std::string undoText() const override;
    Notation notation() const override;
    bool checkCurrentCell() override;
    std::optional<CellEditorState> cellEditorState() const override;
    void closeCellEditor() override;
    void openCellEditor() override;
    void setCellEditorSelection(int start, int length) override;
    CodePage codePage() const override;
    QString displayText(const std::string& bytes) const override;
    EncodeResult bytesFromDisplay(const QString& text) const override;
    void reportRefusal(const QString& message) override;

protected:
    const Parts& parts() const { return parts_; }

private:
    bool isTextCell(int row, int column) const;

    Parts parts_;
};

}  // namespace tarn
