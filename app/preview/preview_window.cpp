// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview/preview_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QColorDialog>
#include <QMenu>
#include <QScrollBar>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/preview/game_colour.h"
#include "app/widgets/color_qt.h"
#include "app/widgets/prompter.h"
#include "common/profile_file.h"
#include "textcodes/cstyle.h"

namespace tarn {
namespace {

constexpr int DefaultWidth = 300;
constexpr int DefaultHeight = 150;

// The box keeps its own bold face; family and size follow the font the translator picks for
// the other windows.
QFont previewFont(const QFont& chosen) {
    QFont font(chosen.family());
    if (chosen.pointSize() > 0) {
        font.setPointSize(chosen.pointSize());
    } else {
        font.setPixelSize(chosen.pixelSize());
    }
    font.setBold(true);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QFont defaultPreviewFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    return previewFont(font);
}

QString runText(const std::string& bytes, const CodePage& codePage) {
    QString text = QString::fromStdString(codePage.toUtf8(bytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace

PreviewWindow::PreviewWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      textView_(new QTextEdit(this)),
      colourMenu_(new QMenu(this)),
      backColor_(profile_color::kButtonFace),
      textColor_(profile_color::kWindowText) {
    setObjectName(QStringLiteral("previewWindow"));
    setWindowTitle(QStringLiteral("Preview"));
    resize(DefaultWidth, DefaultHeight);

    textView_->setObjectName(QStringLiteral("previewText"));
    colourMenu_->setObjectName(QStringLiteral("previewColourMenu"));
    textView_->setReadOnly(true);
    textView_->setFrameShape(QFrame::NoFrame);
    textView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    textView_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    textView_->setFont(defaultPreviewFont());
    textView_->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(textView_);

    chooseTextColourAction_ =
        colourMenu_->addAction(QStringLiteral("Change default text color..."));
    chooseTextColourAction_->setObjectName(QStringLiteral("chooseTextColourAction"));
    chooseBackgroundColourAction_ =
        colourMenu_->addAction(QStringLiteral("Change background color..."));
    chooseBackgroundColourAction_->setObjectName(QStringLiteral("chooseBackgroundColourAction"));
    connect(chooseTextColourAction_, &QAction::triggered, this, &PreviewWindow::chooseTextColour);
    connect(chooseBackgroundColourAction_, &QAction::triggered, this,
            &PreviewWindow::chooseBackgroundColour);
    connect(textView_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        colourMenu_->popup(textView_->viewport()->mapToGlobal(at));
    });
    applyBackground();
}

void PreviewWindow::showText(const std::string& text, Notation notation) {
    std::string raw = text;
    if (notation == Notation::CStyle) {
        Converted<std::string> converted = cStyleToRaw(text);
        if (!converted) {
            return;
        }
        raw = std::move(converted.value());
    }
    if (raw == lastText_) {
        return;
    }
    lastText_ = std::move(raw);
    renderText(lastText_);
}

void PreviewWindow::renderText(const std::string& raw) {
    textView_->clear();
    const QColor defaultColour = colorFromProfileValue(textColor_);
    const QFont font = textView_->font();
    QTextCursor cursor(textView_->document());
    cursor.movePosition(QTextCursor::End);
    for (const PreviewRun& run : renderPreviewRuns(raw)) {
        QTextCharFormat format;
        format.setFontFamilies({font.family()});
        if (font.pointSizeF() > 0) {
            format.setFontPointSize(font.pointSizeF());
        }
        format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        format.setForeground(run.colour ? rgbToQColor(*run.colour) : defaultColour);
        cursor.insertText(runText(run.text, codePage_), format);
    }
    textView_->verticalScrollBar()->setValue(0);
    textView_->horizontalScrollBar()->setValue(0);
}

void PreviewWindow::setCodePage(const CodePage& codePage) {
    codePage_ = codePage;
    renderText(lastText_);
}

void PreviewWindow::setBackColor(std::int32_t colour) {
    backColor_ = colour;
    applyBackground();
}

void PreviewWindow::setTextColor(std::int32_t colour) {
    textColor_ = colour;
    renderText(lastText_);
}

void PreviewWindow::applyBackground() {
    QPalette palette = textView_->palette();
    const QColor background = colorFromProfileValue(backColor_);
    const QColor text = colorFromProfileValue(textColor_);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, background);
        palette.setColor(group, QPalette::Text, text);
    }
    textView_->setPalette(palette);
}

bool PreviewWindow::askColour(std::int32_t& colour) {
    QColorDialog dialog(colorFromProfileValue(colour), this);
    dialog.setObjectName(QStringLiteral("colourDialog"));
    if (prompter().runModal(dialog) != QDialog::Accepted) {
        return false;
    }
    colour = profileValueFromColor(dialog.currentColor());
    return true;
}

void PreviewWindow::chooseTextColour() {
    std::int32_t colour = textColor_;
    if (askColour(colour)) {
        textColor_ = colour;
        applyBackground();
        renderText(lastText_);
    }
}

void PreviewWindow::chooseBackgroundColour() {
    std::int32_t colour = backColor_;
    if (askColour(colour)) {
        setBackColor(colour);
    }
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        emit closedByUser();
    }
}

void PreviewWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        textView_->setFont(previewFont(font()));
        renderText(lastText_);
    }
}

void PreviewWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    position_.shown(*this);
}

}  // namespace tarn
