// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/font_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <cstdlib>

#include "common/code_page_choice.h"

namespace tarn {

namespace {

// Latin-script code pages: their sets share Qt's one Latin writing system.
bool isLatinPage(int codePage) {
    return codePage == 1250 || codePage == 1252 || codePage == 1254 || codePage == 1257;
}

struct PageSystem {
    int codePage;
    QFontDatabase::WritingSystem system;
};

constexpr PageSystem kPageSystems[] = {
    {1251, QFontDatabase::Cyrillic},   {1253, QFontDatabase::Greek},
    {1255, QFontDatabase::Hebrew},     {1256, QFontDatabase::Arabic},
    {1258, QFontDatabase::Vietnamese}, {874, QFontDatabase::Thai},
};

// The sets of scripts that have no single-byte code page (shown in 1252).
struct CharsetSystem {
    int charset;
    QFontDatabase::WritingSystem system;
};

constexpr CharsetSystem kMultiByteSystems[] = {
    {128, QFontDatabase::Japanese},
    {129, QFontDatabase::Korean},
    {130, QFontDatabase::Korean},
    {134, QFontDatabase::SimplifiedChinese},
    {136, QFontDatabase::TraditionalChinese},
};

int charsetOfPage(int codePage) {
    for (const SingleByteCharset& set : singleByteCharsets()) {
        if (set.codePage == codePage) {
            return set.charset;
        }
    }
    return kAnsiCharset;
}

QString charsetCaption(const SingleByteCharset& set) {
    return QStringLiteral("%1 (%2)")
        .arg(QString::fromUtf8(set.name.data(), static_cast<qsizetype>(set.name.size())))
        .arg(set.codePage);
}

// Condensed, narrow or expanded cuts come after the plain one of the same weight.
bool isWidthVariant(const QString& style) {
    for (const char* word : {"Condensed", "Narrow", "Expanded", "Extended", "Wide"}) {
        if (style.contains(QLatin1String(word), Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

}  // namespace

QFontDatabase::WritingSystem writingSystemForCharset(int charset) {
    const CharsetChoice choice = codePageForCharset(charset);
    if (choice.fellBack) {
        for (const CharsetSystem& entry : kMultiByteSystems) {
            if (entry.charset == charset) {
                return entry.system;
            }
        }
        return QFontDatabase::Any;
    }
    const int page = choice.codePage.number();
    if (isLatinPage(page)) {
        return QFontDatabase::Latin;
    }
    for (const PageSystem& entry : kPageSystems) {
        if (entry.codePage == page) {
            return entry.system;
        }
    }
    return QFontDatabase::Any;
}

int charsetForWritingSystem(QFontDatabase::WritingSystem system, int currentCharset) {
    if (system == QFontDatabase::Latin) {
        const CharsetChoice current = codePageForCharset(currentCharset);
        return !current.fellBack && isLatinPage(current.codePage.number()) ? currentCharset
                                                                           : kAnsiCharset;
    }
    for (const PageSystem& entry : kPageSystems) {
        if (entry.system == system) {
            return charsetOfPage(entry.codePage);
        }
    }
    return currentCharset;
}

QString closestStyle(const QString& family, bool bold, bool italic) {
    const int weight = bold ? QFont::Bold : QFont::Normal;
    QString best;
    long bestScore = 0;
    for (const QString& style : QFontDatabase::styles(family)) {
        const QFont font = QFontDatabase::font(family, style, 12);
        const bool slanted = font.style() != QFont::StyleNormal;
        // A wrong slant costs more than any weight difference, which costs more than a width
        // variant; among equals the shortest name ("Book" before "Book Condensed") wins.
        const long score = (slanted != italic ? 100000 : 0) +
                           10 * std::labs(static_cast<long>(font.weight()) - weight) +
                           (isWidthVariant(style) ? 50 : 0) + static_cast<long>(style.size());
        if (best.isEmpty() || score < bestScore) {
            best = style;
            bestScore = score;
        }
    }
    return best;
}

FontDialog::FontDialog(const QFont& font, int charset, QWidget* parent) : QFontDialog(parent) {
    setObjectName(QStringLiteral("fontDialog"));
    setOption(QFontDialog::DontUseNativeDialog);
    const QString anyName = QFontDatabase::writingSystemName(QFontDatabase::Any);
    for (QComboBox* box : findChildren<QComboBox*>()) {
        if (box->count() > 0 && box->itemText(0) == anyName) {
            writingSystemBox_ = box;
        }
    }
    // The effects (strike-out, underline) go; the sample stays.
    for (QGroupBox* box : findChildren<QGroupBox*>()) {
        if (!box->findChildren<QCheckBox*>().isEmpty()) {
            box->hide();
        }
    }
    addCharsetBox();
    selectCharset(charset);

    // A stored family that is not installed starts the dialog on the family the window shows in
    // its place, not on whichever family the list would fall back to.
    QFont start = font;
    if (!QFontDatabase::hasFamily(font.family())) {
        start.setFamily(QFontInfo(font).family());
    }
    start.setStyleName(closestStyle(start.family(), font.bold(), font.italic()));
    setCurrentFont(start);
    // A family that is not installed shows a substitute, which may start on a slanted style.
    const QFont shown = currentFont();
    if (shown.italic() != font.italic() || shown.bold() != font.bold()) {
        QFont upright = shown;
        upright.setStyleName(closestStyle(shown.family(), font.bold(), font.italic()));
        setCurrentFont(upright);
    }
    shown_ = currentFont();
    connect(this, &QFontDialog::currentFontChanged, this, &FontDialog::keepStyleOnFamilyChange);
}

int FontDialog::charset() const {
    return charsetBox_->currentData().toInt();
}

void FontDialog::addCharsetBox() {
    charsetBox_ = new QComboBox(this);
    charsetBox_->setObjectName(QStringLiteral("charsetBox"));
    charsetBox_->addItem(QStringLiteral("System default (%1)")
                             .arg(codePageForCharset(kDefaultCharset).codePage.number()),
                         kDefaultCharset);
    for (const SingleByteCharset& set : singleByteCharsets()) {
        charsetBox_->addItem(charsetCaption(set), set.charset);
    }
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("C&haracter set:"), panel);
    label->setBuddy(charsetBox_);
    layout->addWidget(label);
    layout->addWidget(charsetBox_);
    layout->addStretch();
    // In the place of the hidden effects, beside the sample.
    if (auto* grid = qobject_cast<QGridLayout*>(this->layout())) {
        grid->addWidget(panel, 4, 0);
    } else {
        this->layout()->addWidget(panel);
    }
    connect(charsetBox_, &QComboBox::activated, this, &FontDialog::followCharset);
    if (writingSystemBox_ != nullptr) {
        connect(writingSystemBox_, &QComboBox::activated, this, &FontDialog::followWritingSystem);
    }
}

void FontDialog::selectCharset(int charset) {
    int index = charsetBox_->findData(charset);
    if (index < 0) {
        // A stored set without a single-byte page stays chosen unless the translator picks one.
        charsetBox_->addItem(QStringLiteral("Character set %1 (shown as %2)")
                                 .arg(charset)
                                 .arg(CodePage::kDefaultNumber),
                             charset);
        index = charsetBox_->count() - 1;
    }
    charsetBox_->setCurrentIndex(index);
}

void FontDialog::followCharset() {
    const QFontDatabase::WritingSystem system = writingSystemForCharset(charset());
    if (writingSystemBox_ == nullptr || system == QFontDatabase::Any) {
        return;
    }
    const int index = writingSystemBox_->findText(QFontDatabase::writingSystemName(system));
    if (index >= 0 && index != writingSystemBox_->currentIndex()) {
        writingSystemBox_->setCurrentIndex(index);
        emit writingSystemBox_->activated(index);  // the family list follows, as after a click
    }
}

void FontDialog::followWritingSystem(int index) {
    const QString name = writingSystemBox_->itemText(index);
    for (int i = 0; i < QFontDatabase::WritingSystemsCount; ++i) {
        const auto system = static_cast<QFontDatabase::WritingSystem>(i);
        if (QFontDatabase::writingSystemName(system) == name) {
            selectCharset(charsetForWritingSystem(system, charset()));
            return;
        }
    }
}

void FontDialog::keepStyleOnFamilyChange(const QFont& font) {
    if (correcting_) {
        return;
    }
    const QFont before = shown_;
    shown_ = font;
    if (font.family() == before.family() ||
        (font.italic() == before.italic() && font.bold() == before.bold())) {
        return;
    }
    // Qt shows a family's first style when the previous one is missing there; that style may
    // be slanted or bold. The style the translator had is kept instead.
    const QStringList styles = QFontDatabase::styles(font.family());
    if (styles.isEmpty()) {
        return;
    }
    const QFont first = QFontDatabase::font(font.family(), styles.first(), 12);
    if (first.weight() != font.weight() || first.style() != font.style()) {
        return;  // a style chosen on purpose
    }
    QFont kept = font;
    kept.setStyleName(closestStyle(font.family(), before.bold(), before.italic()));
    correcting_ = true;
    setCurrentFont(kept);
    correcting_ = false;
    shown_ = currentFont();
}

}  // namespace tarn
