// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/framed_code_painting.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include "app/widgets/display_text.h"
#include "app/widgets/shown_code_bytes.h"
#include "textcodes/code_data_spans.h"
#include "textcodes/typed_codes.h"

namespace tarn {

namespace {

bool holdsCodeByte(const std::string& bytes) {
    for (const char c : bytes) {
        if (isCodeByte(static_cast<unsigned char>(c))) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool paintCodeBytesFramed(QPainter* painter, const QStyleOptionViewItem& option,
                          const CodePage& codePage, Notation notation) {
    const EncodeResult bytes = displayToGameBytes(option.text, codePage);
    if (!bytes.ok() || bytes.bytes.size() != static_cast<std::size_t>(option.text.size())) {
        return false;
    }
    const std::vector<CodeDataSpan> spans = codeDataSpans(bytes.bytes, notation);
    if (spans.empty() && !holdsCodeByte(bytes.bytes)) {
        return false;
    }
    const QWidget* widget = option.widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    QStyleOptionViewItem background = option;
    background.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &option, widget)
                           .adjusted(margin, 0, -margin, 0);
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    const QColor textColour = option.palette.color(
        group, option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);
    const QFontMetrics metrics(option.font);
    const int top = area.top() + (area.height() - metrics.height()) / 2;
    const int baseline = top + metrics.ascent();

    painter->save();
    painter->setClipRect(area);
    painter->setFont(option.font);
    int x = area.left();
    qsizetype runStart = 0;
    const auto drawRun = [&](qsizetype end) {
        const QString run = option.text.mid(runStart, end - runStart);
        painter->setPen(textColour);
        painter->drawText(x, baseline, run);
        x += metrics.horizontalAdvance(run);
    };
    // Code bytes show as the page's letters on them, in the code colour.
    const auto shownPiece = [&](qsizetype begin, qsizetype end) {
        QString shown;
        for (qsizetype k = begin; k < end; ++k) {
            const auto byte = static_cast<unsigned char>(bytes.bytes[static_cast<std::size_t>(k)]);
            shown += isCodeByte(byte) ? QChar(pageCharacter(byte, codePage)) : option.text[k];
        }
        return shown;
    };
    const auto drawFramed = [&](qsizetype begin, qsizetype end) {
        drawRun(begin);
        const QString shown = shownPiece(begin, end);
        const int width = metrics.horizontalAdvance(shown) + 2;
        painter->setPen(kCodeByteColour);
        painter->drawRect(x, top, width, metrics.height() - 1);
        painter->drawText(x + 1, baseline, shown);
        x += width + 2;
        runStart = end;
    };
    auto span = spans.begin();
    for (qsizetype i = 0; i < option.text.size() && x < area.right(); ++i) {
        if (span != spans.end() && static_cast<std::size_t>(i) == span->begin) {
            drawFramed(i, static_cast<qsizetype>(span->end));
            i = static_cast<qsizetype>(span->end) - 1;
            ++span;
        } else if (isCodeByte(
                       static_cast<unsigned char>(bytes.bytes[static_cast<std::size_t>(i)]))) {
            drawFramed(i, i + 1);
        }
    }
    drawRun(option.text.size());
    painter->restore();
    return true;
}

}  // namespace tarn
