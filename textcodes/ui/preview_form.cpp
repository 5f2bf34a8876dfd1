#include "textcodes/ui/preview_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QColorDialog>
#include <QMenu>
#include <QScrollBar>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "common/game_code_page.h"
#include "common/profile_file.h"
#include "app/widgets/color_qt.h"
#include "app/widgets/prompter.h"
#include "textcodes/cstyle.h"
#include "textcodes/ui/game_colour.h"

namespace tarn {
namespace {

constexpr int DefaultWidth = 300;
constexpr int DefaultHeight = 150;

// The box keeps its own font whatever font the translator picks for the other windows.
QFont previewFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    font.setBold(true);
    return font;
}

QString runText(const std::string& bytes) {
    QString text = QString::fromStdString(gameBytesToUtf8(bytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace

TPreviewForm::TPreviewForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      RichEdit1(new QTextEdit(this)),
      PopupMenu1(new QMenu(this)),
      backColor_(profile_color::kButtonFace),
      textColor_(profile_color::kWindowText) {
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("Preview"));
    resize(DefaultWidth, DefaultHeight);

    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setFrameShape(QFrame::NoFrame);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    RichEdit1->setFont(previewFont());
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichEdit1);

    Changedefaulttextcolor1 = PopupMenu1->addAction(QStringLiteral("Change default text color..."));
    Changebackgroundcolor1 = PopupMenu1->addAction(QStringLiteral("Change background color..."));
    connect(Changedefaulttextcolor1, &QAction::triggered, this,
            &TPreviewForm::Changedefaulttextcolor1Click);
    connect(Changebackgroundcolor1, &QAction::triggered, this,
            &TPreviewForm::Changebackgroundcolor1Click);
    connect(RichEdit1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1->popup(RichEdit1->viewport()->mapToGlobal(at));
    });
    applyBackground();
}

void TPreviewForm::ShowText(const std::string& text, bool cStyle) {
    std::string raw;
    if (cStyle) {
        if (!cStyleToRaw(text, raw)) {
            return;
        }
    } else {
        raw = text;
    }
    if (raw == lastText_) {
        return;
    }
    lastText_ = std::move(raw);
    RenderText(lastText_);
}

void TPreviewForm::RenderText(const std::string& raw) {
    RichEdit1->clear();
    const QColor defaultColour = colorFromProfileValue(textColor_);
    const QFont font = RichEdit1->font();
    QTextCursor cursor(RichEdit1->document());
    cursor.movePosition(QTextCursor::End);
    for (const PreviewRun& run : renderPreviewRuns(raw)) {
        QTextCharFormat format;
        format.setFontFamilies({font.family()});
        format.setFontPointSize(8);
        format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        format.setForeground(run.colour ? rgbToQColor(*run.colour) : defaultColour);
        cursor.insertText(runText(run.text), format);
    }
    RichEdit1->verticalScrollBar()->setValue(0);
    RichEdit1->horizontalScrollBar()->setValue(0);
}

void TPreviewForm::setBackColor(std::int32_t colour) {
    backColor_ = colour;
    applyBackground();
}

void TPreviewForm::setTextColor(std::int32_t colour) {
    textColor_ = colour;
    RenderText(lastText_);
}

void TPreviewForm::applyBackground() {
    QPalette palette = RichEdit1->palette();
    const QColor background = colorFromProfileValue(backColor_);
    const QColor text = colorFromProfileValue(textColor_);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, background);
        palette.setColor(group, QPalette::Text, text);
    }
    RichEdit1->setPalette(palette);
}

bool TPreviewForm::askColour(std::int32_t& colour) {
    QColorDialog dialog(colorFromProfileValue(colour), this);
    dialog.setObjectName(QStringLiteral("ColorDialog1"));
    if (prompter().runModal(dialog) != QDialog::Accepted) {
        return false;
    }
    colour = profileValueFromColor(dialog.currentColor());
    return true;
}

void TPreviewForm::Changedefaulttextcolor1Click() {
    std::int32_t colour = textColor_;
    if (askColour(colour)) {
        textColor_ = colour;
        applyBackground();
        RenderText(lastText_);
    }
}

void TPreviewForm::Changebackgroundcolor1Click() {
    std::int32_t colour = backColor_;
    if (askColour(colour)) {
        setBackColor(colour);
    }
}

void TPreviewForm::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        emit closedByUser();
    }
}

void TPreviewForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    position_.shown(*this);
}

}  // namespace tarn
