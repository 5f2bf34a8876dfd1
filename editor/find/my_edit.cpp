#include "editor/find/my_edit.h"

namespace tarn {

TMyEdit::TMyEdit(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("ReplaceOverlay"));
    hide();
    setFrame(false);
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextMargins(TextInset, TextInset, TextInset, 0);
    QPalette colours = palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    }
    setPalette(colours);
}

void TMyEdit::showOccurrence(const QRect& cell, const QString& text, int start, int length) {
    setGeometry(cell);
    setText(text);
    setSelection(start, length);
    show();
    raise();
}

}  // namespace tarn
