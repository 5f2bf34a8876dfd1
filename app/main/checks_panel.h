// The Checks panel: a dock beside the grid that lists the findings of the translation checks,
// one row each (text number, severity icon, check, message). Enter or a double click on a
// finding asks for its text's cell; for a code byte typed as a character (typed-code) the
// context menu offers to replace it with its plain look-alike. The panel only shows and asks:
// the main window moves the grid and changes the texts.
#pragma once

#include <QDockWidget>
#include <vector>

#include "textcodes/translation_checks.h"

class QAction;
class QTreeView;

namespace tarn {

class FindingsModel;

class ChecksPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit ChecksPanel(QWidget* parent = nullptr);

    // Replaces the list, in text order; the selected finding stays selected while it exists.
    // characters: the code page the findings were made with.
    void setFindings(std::vector<TextFinding> findings, const ByteCharacters& characters);
    const std::vector<TextFinding>& findings() const;
    // Makes the text's first finding the current one and scrolls to it.
    void selectFindingOfText(int text);

signals:
    // Enter or a double click on a finding of this text.
    void textChosen(int text);
    // The translator asked to replace the code byte `byte` of the text with its look-alike.
    void lookAlikeRequested(int text, int byte);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    const TextFinding* currentFinding() const;
    void chooseCurrent();
    void updateLookAlikeAction();

    FindingsModel* model_;
    QTreeView* list_;
    QAction* lookAlikeAction_;
    ByteCharacters characters_{};
};

}  // namespace tarn
