// SPDX-License-Identifier: GPL-3.0-or-later
// The small dialog of a prompted replace: "Replace this occurence?" with Yes, No and Abort
// replace. The close box aborts like Abort replace.
#pragma once

#include <QDialog>
#include <QRect>
#include <optional>

#include "app/preview/remembered_position.h"

class QPushButton;

namespace tarn {

class ReplacePrompt : public QDialog {
    Q_OBJECT
public:
    // Dialog results: Yes and No; Abort replace and the close box give QDialog::Rejected.
    static constexpr int YesResult = QDialog::Accepted;
    static constexpr int NoResult = 2;

    explicit ReplacePrompt(QWidget* parent = nullptr);

    // A stored position, applied before the dialog is first shown (without one it is centred
    // over the main window then); and the position to store (nothing while it was never
    // placed in this run).
    void restorePosition(QPoint position) { position_.restore(*this, position); }
    std::optional<QPoint> positionToStore() const { return position_.of(*this); }

    // The row the question is about, which the prompt moves off when it would cover it.
    void keepClearOf(const QRect& area) { clearOf_ = area; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    RememberedPosition position_;
    QRect clearOf_;
    QPushButton* yesButton_;
    QPushButton* noButton_;
    QPushButton* abortButton_;  // Abort replace
};

}  // namespace tarn
