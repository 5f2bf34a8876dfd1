// Small builders shared by the Find and Replace dialogs: a titled radio-button group and an
// edit box that accepts only characters the grid can turn into game bytes.
#pragma once

#include <QStringList>
#include <QValidator>

class QButtonGroup;
class QGroupBox;
class QWidget;

namespace tarn {

class TextGrid;

// A group box holding one radio button per item; the buttons' ids are their indexes.
QGroupBox* makeRadioGroup(const QString& title, const QStringList& items, int checked,
                          QButtonGroup*& buttons, QWidget* parent);

class GameTextValidator : public QValidator {
public:
    GameTextValidator(const TextGrid& grid, QObject* parent);
    State validate(QString& input, int& position) const override;

private:
    const TextGrid& grid_;
};

}  // namespace tarn
