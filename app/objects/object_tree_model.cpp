// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_tree_model.h"

#include <QStringList>
#include <QStyle>
#include <algorithm>
#include <optional>

#include "objfiles/object_container.h"

namespace tarn {

namespace {

// Depth-first order over the whole tree, collapsed nodes included.
QModelIndex nextInTree(QModelIndex node) {
    const QAbstractItemModel& tree = *node.model();
    if (tree.rowCount(node) > 0) {
        return tree.index(0, 0, node);
    }
    while (node.isValid()) {
        const QModelIndex parent = node.parent();
        if (node.row() + 1 < tree.rowCount(parent)) {
            return tree.index(node.row() + 1, 0, parent);
        }
        node = parent;
    }
    return {};
}

QModelIndex previousInTree(const QModelIndex& node) {
    const QAbstractItemModel& tree = *node.model();
    const QModelIndex parent = node.parent();
    if (node.row() == 0) {
        return parent;
    }
    QModelIndex previous = tree.index(node.row() - 1, 0, parent);
    while (tree.rowCount(previous) > 0) {
        previous = tree.index(tree.rowCount(previous) - 1, 0, previous);
    }
    return previous;
}

}  // namespace

QString findingLine(const CheckFinding& finding) {
    return QString::fromStdString(std::string(severityName(finding.severity)) + " " +
                                  std::string(finding.check) + ": " + finding.message);
}

ObjectTreeModel::ObjectTreeModel(const ObjectTextsDocument& document, const GroupFindings& findings,
                                 const QStyle& style, QObject* parent)
    : QAbstractItemModel(parent),
      document_(document),
      findings_(findings),
      errorIcon_(style.standardIcon(QStyle::SP_MessageBoxCritical)),
      warningIcon_(style.standardIcon(QStyle::SP_MessageBoxWarning)),
      infoIcon_(style.standardIcon(QStyle::SP_MessageBoxInformation)) {}

void ObjectTreeModel::fill(std::size_t loadedFiles, std::vector<DamagedFile> damaged) {
    const auto rows = static_cast<int>(loadedFiles + damaged.size());
    if (rows == 0) {
        return;
    }
    beginInsertRows(rootNode(), 0, rows - 1);
    loadedFiles_ = loadedFiles;
    damaged_ = std::move(damaged);
    std::sort(damaged_.begin(), damaged_.end(),
              [](const DamagedFile& a, const DamagedFile& b) { return a.row < b.row; });
    endInsertRows();
}

void ObjectTreeModel::clear() {
    const int rows = rowCount(rootNode());
    if (rows == 0) {
        return;
    }
    beginRemoveRows(rootNode(), 0, rows - 1);
    loadedFiles_ = 0;
    damaged_.clear();
    endRemoveRows();
}

void ObjectTreeModel::marksChanged() {
    const int rows = rowCount(rootNode());
    if (rows == 0) {
        return;
    }
    emit dataChanged(index(0, 0, rootNode()), index(rows - 1, 0, rootNode()),
                     {Qt::DisplayRole, Qt::DecorationRole, Qt::ToolTipRole});
    for (int row = 0; row < rows; ++row) {
        const QModelIndex file = index(row, 0, rootNode());
        if (const int groups = rowCount(file); groups > 0) {
            emit dataChanged(index(0, 0, file), index(groups - 1, 0, file),
                             {Qt::DecorationRole, Qt::ToolTipRole});
        }
    }
}

const ObjectTreeModel::DamagedFile* ObjectTreeModel::damagedAt(int row) const {
    const auto found = std::lower_bound(damaged_.begin(), damaged_.end(), row,
                                        [](const DamagedFile& d, int r) { return d.row < r; });
    return found != damaged_.end() && found->row == row ? &*found : nullptr;
}

int ObjectTreeModel::fileAtRow(int row) const {
    // The damaged files before a row push the loaded ones down by one each.
    const auto before = std::lower_bound(damaged_.begin(), damaged_.end(), row,
                                         [](const DamagedFile& d, int r) { return d.row < r; });
    if (before != damaged_.end() && before->row == row) {
        return -1;
    }
    return row - static_cast<int>(before - damaged_.begin());
}

int ObjectTreeModel::rowOfFile(int file) const {
    int row = file;
    for (const DamagedFile& d : damaged_) {
        if (d.row > row) {
            break;
        }
        ++row;
    }
    return row;
}

int ObjectTreeModel::fileOf(const QModelIndex& node) const {
    return isFileNode(node) ? fileAtRow(node.row()) : -1;
}

bool ObjectTreeModel::isFileNode(const QModelIndex& node) const {
    return node.isValid() && node.internalId() == kFileId;
}

bool ObjectTreeModel::isGroupNode(const QModelIndex& node) const {
    return node.isValid() && node.internalId() >= kGroupBase;
}

bool ObjectTreeModel::isDamagedFile(const QModelIndex& node) const {
    return isFileNode(node) && damagedAt(node.row()) != nullptr;
}

QString ObjectTreeModel::problemOf(const QModelIndex& node) const {
    if (!isFileNode(node)) {
        return {};
    }
    if (const DamagedFile* damaged = damagedAt(node.row())) {
        return damaged->problem;
    }
    return wrongChecksumOf(fileAtRow(node.row()));
}

QString ObjectTreeModel::wrongChecksumOf(int file) const {
    const ObjectFile& loaded = document_.file(static_cast<std::size_t>(file));
    if (!loaded.wrongChecksum) {
        return {};
    }
    return QString::fromStdString(loaded.fileName + ": " +
                                  wrongChecksumText(*loaded.wrongChecksum));
}

QModelIndex ObjectTreeModel::groupNode(int file, int group) const {
    return index(group, 0, index(rowOfFile(file), 0, rootNode()));
}

QModelIndex ObjectTreeModel::stepToGroup(QModelIndex node, bool forward) const {
    while (node.isValid()) {
        node = forward ? nextInTree(node) : previousInTree(node);
        if (isGroupNode(node)) {
            return node;
        }
    }
    return {};
}

QModelIndex ObjectTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0 || row >= rowCount(parent)) {
        return {};
    }
    if (!parent.isValid()) {
        return createIndex(row, 0, kRootId);
    }
    if (parent.internalId() == kRootId) {
        return createIndex(row, 0, kFileId);
    }
    return createIndex(row, 0, kGroupBase + static_cast<quintptr>(parent.row()));
}

QModelIndex ObjectTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kRootId) {
        return {};
    }
    if (child.internalId() == kFileId) {
        return createIndex(0, 0, kRootId);
    }
    return createIndex(static_cast<int>(child.internalId() - kGroupBase), 0, kFileId);
}

int ObjectTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return 1;
    }
    if (parent.internalId() == kRootId) {
        return static_cast<int>(loadedFiles_ + damaged_.size());
    }
    if (parent.internalId() == kFileId) {
        const int file = fileAtRow(parent.row());
        return file < 0
                   ? 0
                   : static_cast<int>(document_.file(static_cast<std::size_t>(file)).texts.size());
    }
    return 0;
}

int ObjectTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

Qt::ItemFlags ObjectTreeModel::flags(const QModelIndex& node) const {
    return node.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant ObjectTreeModel::data(const QModelIndex& node, int role) const {
    if (!node.isValid()) {
        return {};
    }
    if (node.internalId() == kRootId) {
        return role == Qt::DisplayRole ? QVariant(QStringLiteral("Object Files")) : QVariant();
    }
    if (node.internalId() == kFileId) {
        return fileData(node.row(), role);
    }
    return groupData(static_cast<int>(node.internalId() - kGroupBase), node.row(), role);
}

QVariant ObjectTreeModel::fileData(int row, int role) const {
    if (const DamagedFile* damaged = damagedAt(row)) {
        switch (role) {
            case Qt::DisplayRole:
                return QStringLiteral("%1 (damaged)").arg(damaged->name);
            case Qt::DecorationRole:
                return errorIcon_;
            case Qt::ToolTipRole:
                return damaged->problem;
            default:
                return {};
        }
    }
    const auto file = static_cast<std::size_t>(fileAtRow(row));
    // A file storing a wrong checksum loads, and carries the damaged files' mark.
    if (const QString damage = wrongChecksumOf(static_cast<int>(file)); !damage.isEmpty()) {
        switch (role) {
            case Qt::DisplayRole:
                return QStringLiteral("%1 (damaged)")
                    .arg(QString::fromStdString(document_.file(file).fileName));
            case Qt::DecorationRole:
                return errorIcon_;
            case Qt::ToolTipRole:
                return damage;
            default:
                return {};
        }
    }
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(document_.file(file).fileName);
    }
    if (role != Qt::DecorationRole) {
        return {};
    }
    // A file is marked with the worst of its groups' findings.
    std::optional<Severity> worst;
    for (auto found = findings_.lower_bound({file, 0});
         found != findings_.end() && found->first.first == file; ++found) {
        for (const CheckFinding& finding : found->second) {
            worst = std::max(worst.value_or(finding.severity), finding.severity);
        }
    }
    return worst ? QVariant(severityIcon(*worst)) : QVariant();
}

QVariant ObjectTreeModel::groupData(int fileRow, int group, int role) const {
    if (role == Qt::DisplayRole) {
        return QStringLiteral("Text group %1").arg(group + 1);
    }
    if (role != Qt::DecorationRole && role != Qt::ToolTipRole) {
        return {};
    }
    const auto found = findings_.find(
        {static_cast<std::size_t>(fileAtRow(fileRow)), static_cast<std::size_t>(group)});
    if (found == findings_.end()) {
        return {};
    }
    if (role == Qt::ToolTipRole) {
        QStringList lines;
        for (const CheckFinding& finding : found->second) {
            lines.append(findingLine(finding));
        }
        return lines.join(QLatin1Char('\n'));
    }
    Severity severity = Severity::Info;
    for (const CheckFinding& finding : found->second) {
        severity = std::max(severity, finding.severity);
    }
    return severityIcon(severity);
}

const QIcon& ObjectTreeModel::severityIcon(Severity severity) const {
    switch (severity) {
        case Severity::Error:
            return errorIcon_;
        case Severity::Warning:
            return warningIcon_;
        case Severity::Info:
            break;
    }
    return infoIcon_;
}

}  // namespace tarn
