// SPDX-License-Identifier: GPL-3.0-or-later
// "Change used font...": Qt's font dialog with the character set the game's texts are shown
// in. The effects (strike-out, underline) are hidden, the sample stays; a "Character set" box
// lists the sets that have a single-byte code page and follows Qt's writing-system box both
// ways. The dialog never starts on, nor falls back to, an italic style nobody chose.
#pragma once

#include <QFontDatabase>
#include <QFontDialog>

class QComboBox;

namespace tarn {

// The writing system Qt filters fonts by for a Windows font character set (Any when none).
QFontDatabase::WritingSystem writingSystemForCharset(int charset);
// The character set for a writing system the translator picked: the one of the system's own
// script; for Latin the current set when it is a Latin one, else Western (0); otherwise the
// current set unchanged (Any, or a script without a single-byte code page).
int charsetForWritingSystem(QFontDatabase::WritingSystem system, int currentCharset);

// The family's style closest to the weight and slant asked for (Regular, Normal or Book for a
// plain font, never an italic one when upright is asked); empty when the family has no styles.
QString closestStyle(const QString& family, bool bold, bool italic);

class FontDialog : public QFontDialog {
    Q_OBJECT
public:
    FontDialog(const QFont& font, int charset, QWidget* parent = nullptr);

    int charset() const;  // the chosen character set

private:
    void addCharsetBox();
    void selectCharset(int charset);
    void followCharset();
    void followWritingSystem(int system);
    void keepStyleOnFamilyChange(const QFont& font);

    QComboBox* charsetBox_ = nullptr;
    QComboBox* writingSystemBox_ = nullptr;  // Qt's own
    QFont shown_;                            // the font before the latest change
    bool correcting_ = false;
};

}  // namespace tarn
