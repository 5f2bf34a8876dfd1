// SPDX-License-Identifier: GPL-3.0-or-later
// "Please wait...": the modal progress window of a save. Its work starts once it is on screen
// and it closes itself when the save has ended, however it ended.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "common/errors.h"
#include "exetext/string_table_writer.h"

class QLabel;
class QProgressBar;

namespace tarn {

// What a save came to: the writer's result, or the error that stopped it.
struct SaveOutcome {
    std::optional<SaveResult> result;
    std::optional<Problem> error;   // why the save failed, in the writer's words
    bool changedElsewhere = false;  // the error: another program wrote the file meanwhile
};

class SaveProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit SaveProgressDialog(QWidget* parent);

    // Writes the texts (text n at index n - 1) into the executable at path, showing the
    // progress; C-style errors are reported as they are met.
    SaveOutcome save(const QString& path, std::vector<std::string> texts,
                     const SaveOptions& options);

public slots:
    void reject() override;  // the window cannot be closed by the user

protected:
    void showEvent(QShowEvent* event) override;

private:
    void writeTexts();

    QLabel* phaseLabel_;
    QProgressBar* progressBar_;
    QLabel* countLabel_;
    bool working_ = false;
    // The save of the current showing.
    QString path_;
    std::vector<std::string> texts_;
    SaveOptions options_;
    SaveOutcome outcome_;
};

}  // namespace tarn
