// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/checks_panel.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <optional>

#include "textcodes/look_alikes.h"

namespace tarn {

namespace {

enum Column { TextColumn, SeverityColumn, CheckColumn, MessageColumn, ColumnCount };

QString characterText(char32_t character) {
    return QString::fromUcs4(&character, 1);
}

bool sameFinding(const TextFinding& a, const TextFinding& b) {
    return a.text == b.text && a.finding == b.finding;
}

constexpr std::string_view kUntranslated = "untranslated";
constexpr std::string_view kLonger = "longer";

// The list's order: errors first, as they would break the game, then warnings, then the rest.
// Within a severity the findings keep their text order, but the longer ones come last, the most
// bytes over first: with most texts a little longer than their originals, they would otherwise
// bury the other findings, and the texts that most want shortening would be hard to find.
bool listedBefore(const TextFinding& a, const TextFinding& b) {
    if (a.finding.severity != b.finding.severity) {
        return a.finding.severity > b.finding.severity;
    }
    const bool aLonger = a.finding.check == kLonger;
    const bool bLonger = b.finding.check == kLonger;
    if (aLonger != bLonger) {
        return bLonger;
    }
    return aLonger && a.finding.excess > b.finding.excess;
}

// 3402 as "3,402", the same in every language the program speaks.
QString groupedNumber(std::size_t n) {
    QString digits = QString::number(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(at, QChar(','));
    }
    return digits;
}

}  // namespace

// The findings as rows of four columns.
class FindingsModel : public QAbstractTableModel {
public:
    explicit FindingsModel(const QStyle& style)
        : icons_{style.standardIcon(QStyle::SP_MessageBoxInformation),
                 style.standardIcon(QStyle::SP_MessageBoxWarning),
                 style.standardIcon(QStyle::SP_MessageBoxCritical)} {}

    const std::vector<TextFinding>& findings() const { return findings_; }
    const TextFinding& at(int row) const { return findings_[static_cast<std::size_t>(row)]; }
    void setFindings(std::vector<TextFinding> findings) {
        beginResetModel();
        findings_ = std::move(findings);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(findings_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : ColumnCount;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        const TextFinding& found = findings_[static_cast<std::size_t>(index.row())];
        const CheckFinding& finding = found.finding;
        const int column = index.column();
        if (column == SeverityColumn) {
            if (role == Qt::DecorationRole) {
                return icons_[static_cast<std::size_t>(finding.severity)];
            }
            if (role == Qt::ToolTipRole || role == Qt::AccessibleTextRole) {
                return QString::fromLatin1(severityName(finding.severity).data(),
                                           static_cast<int>(severityName(finding.severity).size()));
            }
            return {};
        }
        if (role != Qt::DisplayRole && !(role == Qt::ToolTipRole && column == MessageColumn)) {
            return {};
        }
        switch (column) {
            case TextColumn:
                return found.text;
            case CheckColumn:
                return QString::fromLatin1(finding.check.data(),
                                           static_cast<int>(finding.check.size()));
            case MessageColumn:
                return QString::fromStdString(finding.message);
            default:
                return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal) {
            return {};
        }
        if (role == Qt::ToolTipRole && section == SeverityColumn) {
            return QStringLiteral("Severity");
        }
        if (role != Qt::DisplayRole) {
            return {};
        }
        static const char* const headings[] = {"Text", "", "Check", "Message"};
        return section >= 0 && section < ColumnCount ? QString::fromLatin1(headings[section])
                                                     : QVariant();
    }

private:
    std::vector<TextFinding> findings_;
    std::array<QIcon, 3> icons_;  // by Severity
};

ChecksPanel::ChecksPanel(QWidget* parent) : QDockWidget(QStringLiteral("Checks"), parent) {
    setObjectName(QStringLiteral("checksDock"));
    model_ = new FindingsModel(*style());
    model_->setParent(this);
    auto* content = new QWidget(this);
    list_ = new QTreeView(content);
    list_->setObjectName(QStringLiteral("checksList"));
    list_->setModel(model_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);  // thousands of rows stay cheap to lay out
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setStretchLastSection(true);
    list_->setColumnWidth(TextColumn, 55);
    list_->setColumnWidth(SeverityColumn, 28);
    list_->setColumnWidth(CheckColumn, 95);
    list_->installEventFilter(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(createFilterRow());
    layout->addWidget(list_);
    setWidget(content);

    lookAlikeAction_ = new QAction(QStringLiteral("Replace with its plain look-alike"), this);
    lookAlikeAction_->setObjectName(QStringLiteral("lookAlikeAction"));
    list_->setContextMenuPolicy(Qt::ActionsContextMenu);
    list_->addAction(lookAlikeAction_);
    updateLookAlikeAction();

    connect(list_, &QAbstractItemView::doubleClicked, this, [this] { chooseCurrent(); });
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ChecksPanel::updateLookAlikeAction);
    connect(lookAlikeAction_, &QAction::triggered, this, [this] {
        if (const TextFinding* found = currentFinding(); found != nullptr) {
            emit lookAlikeRequested(found->text, found->finding.codeByte);
        }
    });
}

QWidget* ChecksPanel::createFilterRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 2, 4, 0);
    // A narrow panel cuts the boxes off rather than growing: the list is what counts.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    row->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    const auto box = [row, layout](const char* name, const QString& caption) {
        auto* check = new QCheckBox(caption, row);
        check->setObjectName(QString::fromLatin1(name));
        check->setChecked(true);
        layout->addWidget(check);
        return check;
    };
    errorsBox_ = box("errorsBox", QStringLiteral("Errors"));
    warningsBox_ = box("warningsBox", QStringLiteral("Warnings"));
    infoBox_ = box("infoBox", QStringLiteral("Info"));
    untranslatedBox_ = box("untranslatedBox", QStringLiteral("Untranslated"));
    untranslatedBox_->setChecked(false);
    checkChoice_ = new QComboBox(row);
    checkChoice_->setObjectName(QStringLiteral("checkChoice"));
    checkChoice_->addItem(QStringLiteral("All checks"), QString());
    for (const std::string_view name : kCheckNames) {
        const QString shown = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        checkChoice_->addItem(shown, shown);
    }
    layout->addWidget(checkChoice_);
    untranslatedCount_ = new QLabel(row);
    untranslatedCount_->setObjectName(QStringLiteral("untranslatedCount"));
    untranslatedCount_->setTextFormat(Qt::RichText);
    layout->addWidget(untranslatedCount_, 1, Qt::AlignRight);
    for (QCheckBox* check : {errorsBox_, warningsBox_, infoBox_, untranslatedBox_}) {
        connect(check, &QCheckBox::toggled, this, &ChecksPanel::listFindings);
    }
    connect(checkChoice_, &QComboBox::currentIndexChanged, this, &ChecksPanel::listFindings);
    connect(untranslatedCount_, &QLabel::linkActivated, this,
            &ChecksPanel::untranslatedTextsRequested);
    return row;
}

FindingsFilterSettings ChecksPanel::filter() const {
    return {errorsBox_->isChecked(), warningsBox_->isChecked(), infoBox_->isChecked(),
            untranslatedBox_->isChecked(), checkChoice_->currentData().toString().toStdString()};
}

void ChecksPanel::setFilter(const FindingsFilterSettings& filter) {
    const QSignalBlocker blockErrors(errorsBox_);
    const QSignalBlocker blockWarnings(warningsBox_);
    const QSignalBlocker blockInfo(infoBox_);
    const QSignalBlocker blockUntranslated(untranslatedBox_);
    const QSignalBlocker blockCheck(checkChoice_);
    errorsBox_->setChecked(filter.errors);
    warningsBox_->setChecked(filter.warnings);
    infoBox_->setChecked(filter.info);
    untranslatedBox_->setChecked(filter.untranslated);
    // A check this program does not know lists all of them.
    checkChoice_->setCurrentIndex(
        std::max(0, checkChoice_->findData(QString::fromStdString(filter.check))));
    listFindings();
}

int ChecksPanel::heightForRows(int rows) const {
    const int row =
        std::max(list_->sizeHintForRow(0),
                 std::max(list_->fontMetrics().height(), list_->iconSize().height()) + 6);
    // The title bar is as high as its caption or its close and float buttons, whichever is
    // higher (the buttons are, with some styles).
    int buttons = 0;
    for (const QAbstractButton* button :
         findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
        buttons = std::max(buttons, button->sizeHint().height());
    }
    const int title =
        std::max(buttons + 2, fontMetrics().height() +
                                  2 * style()->pixelMetric(QStyle::PM_DockWidgetTitleMargin));
    return title + widget()->layout()->spacing() +
           widget()->layout()->itemAt(0)->sizeHint().height() +
           list_->header()->sizeHint().height() + 2 * list_->frameWidth() + rows * row + 4;
}

bool ChecksPanel::isListed(const TextFinding& found) const {
    const CheckFinding& finding = found.finding;
    const QString check = checkChoice_->currentData().toString();
    if (!check.isEmpty() && check != QLatin1String(finding.check.data(),
                                                   static_cast<qsizetype>(finding.check.size()))) {
        return false;
    }
    if (finding.check == kUntranslated) {
        return untranslatedBox_->isChecked() || !check.isEmpty();  // or chosen by name
    }
    switch (finding.severity) {
        case Severity::Error:
            return errorsBox_->isChecked();
        case Severity::Warning:
            return warningsBox_->isChecked();
        case Severity::Info:
            break;
    }
    return infoBox_->isChecked();
}

void ChecksPanel::setFindings(std::vector<TextFinding> findings, const ByteCharacters& characters) {
    characters_ = characters;
    all_ = std::move(findings);
    listFindings();
}

void ChecksPanel::listFindings() {
    std::optional<TextFinding> current;
    if (const TextFinding* found = currentFinding(); found != nullptr) {
        current = *found;
    }
    std::vector<TextFinding> listed;
    std::size_t untranslated = 0;
    for (const TextFinding& found : all_) {
        if (isListed(found)) {
            listed.push_back(found);
        } else if (found.finding.check == kUntranslated) {
            ++untranslated;
        }
    }
    std::stable_sort(listed.begin(), listed.end(), listedBefore);
    model_->setFindings(std::move(listed));
    untranslatedCount_->setText(
        untranslated == 0 || untranslatedBox_->isChecked()
            ? QString()
            : QStringLiteral("%1 untranslated, shown by <a href=\"filter\">the filter</a>")
                  .arg(groupedNumber(untranslated)));
    if (current) {
        // The same finding, or else the first one of the same text or after it.
        const auto& shown = model_->findings();
        auto at = std::find_if(shown.begin(), shown.end(),
                               [&](const TextFinding& f) { return sameFinding(f, *current); });
        if (at == shown.end() && current->finding.check == kLonger) {
            // The text's length changed: its finding where it now stands, else the next one in
            // the list's order (shorter by as many bytes or more).
            at = std::find_if(shown.begin(), shown.end(), [&](const TextFinding& f) {
                return f.text == current->text && f.finding.check == kLonger;
            });
            if (at == shown.end()) {
                at = std::find_if(shown.begin(), shown.end(), [&](const TextFinding& f) {
                    return f.finding.check == kLonger && !listedBefore(f, *current) &&
                           (f.finding.excess < current->finding.excess || f.text > current->text);
                });
            }
        } else if (at == shown.end()) {
            at = std::find_if(shown.begin(), shown.end(), [&](const TextFinding& f) {
                return f.finding.severity == current->finding.severity && f.text >= current->text;
            });
        }
        if (at != shown.end()) {
            list_->setCurrentIndex(model_->index(static_cast<int>(at - shown.begin()), 0));
        }
    }
    updateLookAlikeAction();
}

void ChecksPanel::selectFindingOfText(int text) {
    const auto& shown = model_->findings();
    const auto at = std::find_if(shown.begin(), shown.end(),
                                 [text](const TextFinding& f) { return f.text == text; });
    if (at == shown.end()) {
        return;
    }
    const QModelIndex index = model_->index(static_cast<int>(at - shown.begin()), 0);
    list_->setCurrentIndex(index);
    list_->scrollTo(index);
}

bool ChecksPanel::eventFilter(QObject* object, QEvent* event) {
    if (object == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseCurrent();
            return true;
        }
    }
    return QDockWidget::eventFilter(object, event);
}

const TextFinding* ChecksPanel::currentFinding() const {
    const QModelIndex index = list_->currentIndex();
    if (!index.isValid() || index.row() >= model_->rowCount()) {
        return nullptr;
    }
    return &model_->at(index.row());
}

void ChecksPanel::chooseCurrent() {
    if (const TextFinding* found = currentFinding(); found != nullptr) {
        emit textChosen(found->text);
    }
}

void ChecksPanel::updateLookAlikeAction() {
    const TextFinding* found = currentFinding();
    std::optional<std::string_view> plain;
    char32_t character = 0;
    if (found != nullptr && found->finding.check == "typed-code") {
        character = characters_[found->finding.codeByte];
        plain = plainLookAlike(character);
    }
    lookAlikeAction_->setEnabled(plain.has_value());
    lookAlikeAction_->setText(
        plain ? QStringLiteral("Replace %1 with %2")
                    .arg(characterText(character),
                         QString::fromUtf8(plain->data(), static_cast<int>(plain->size())))
              : QStringLiteral("Replace with its plain look-alike"));
}

}  // namespace tarn
