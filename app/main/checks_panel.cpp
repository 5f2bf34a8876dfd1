#include "app/main/checks_panel.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QTreeView>
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

}  // namespace

// The findings as rows of four columns.
class FindingsModel : public QAbstractTableModel {
public:
    explicit FindingsModel(const QStyle& style)
        : icons_{style.standardIcon(QStyle::SP_MessageBoxInformation),
                 style.standardIcon(QStyle::SP_MessageBoxWarning),
                 style.standardIcon(QStyle::SP_MessageBoxCritical)} {}

    const std::vector<TextFinding>& findings() const { return findings_; }
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
    list_ = new QTreeView(this);
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
    setWidget(list_);

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

void ChecksPanel::setFindings(std::vector<TextFinding> findings, const ByteCharacters& characters) {
    characters_ = characters;
    std::optional<TextFinding> current;
    if (const TextFinding* found = currentFinding(); found != nullptr) {
        current = *found;
    }
    model_->setFindings(std::move(findings));
    if (current) {
        // The same finding, or else the first one of the same text or after it.
        const auto& all = model_->findings();
        auto at = std::find_if(all.begin(), all.end(),
                               [&](const TextFinding& f) { return sameFinding(f, *current); });
        if (at == all.end()) {
            at = std::find_if(all.begin(), all.end(),
                              [&](const TextFinding& f) { return f.text >= current->text; });
        }
        if (at != all.end()) {
            list_->setCurrentIndex(model_->index(static_cast<int>(at - all.begin()), 0));
        }
    }
    updateLookAlikeAction();
}

const std::vector<TextFinding>& ChecksPanel::findings() const {
    return model_->findings();
}

void ChecksPanel::selectFindingOfText(int text) {
    const auto& all = model_->findings();
    const auto at = std::find_if(all.begin(), all.end(),
                                 [text](const TextFinding& f) { return f.text == text; });
    if (at == all.end()) {
        return;
    }
    const QModelIndex index = model_->index(static_cast<int>(at - all.begin()), 0);
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
    return &model_->findings()[static_cast<std::size_t>(index.row())];
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
