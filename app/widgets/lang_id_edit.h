// SPDX-License-Identifier: GPL-3.0-or-later
// The edit box and up-down pair that every language-ID input of the program uses (the new-ID
// dialog, the object language options, the end-user settings).
//
// Input rule: typed characters other than the digits 0 to 9 are dropped (Backspace and the
// editing keys work), and a paste that holds anything but digits is refused whole; after each
// change, typed or pasted, the text is read as a number and replaced by "0" below 0 or by "254"
// above 254. A language ID is a byte 0 to 254: 255 ends a text table.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <cstdint>

class QToolButton;

namespace tarn {

constexpr int kMaxLangId = 254;

// The text the rule makes of text: digits above 254 become "254"; anything else stays.
QString clampLangIdText(const QString& text);

// The edit box of the rule.
class LangIdEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit LangIdEdit(QWidget* parent = nullptr);

signals:
    // Up and Down arrow keys, for the attached up-down control.
    void stepRequested(int steps);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyRange();  // the rule after each change
};

// The up-down control attached to a LangIdEdit: two arrow buttons that step the value within
// 0 to 254 and write it into the edit, and a position that follows the edit's text. While the
// text is empty the position keeps its last value.
class LangIdUpDown : public QWidget {
    Q_OBJECT
public:
    explicit LangIdUpDown(LangIdEdit& buddy, QWidget* parent = nullptr);

    int position() const { return position_; }
    void setPosition(int value);  // clamped to 0..254; writes the edit's text
    LangIdEdit& buddy() const { return buddy_; }
    void stepBy(int steps);

signals:
    void positionChanged(int value);

private:
    void followBuddy(const QString& text);

    LangIdEdit& buddy_;
    QToolButton* up_;
    QToolButton* down_;
    int position_ = 0;
};

}  // namespace tarn
