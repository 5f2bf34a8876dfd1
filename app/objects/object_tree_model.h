// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's tree as a model over the loaded folder: one "Object Files" node,
// under it the files in the folder's order (the damaged ones in their places: those that could
// not be loaded, and those loaded that store a wrong checksum) and under each file its text
// groups. Nothing is kept per node: names, labels, marks and tooltips are made
// from the document when the view asks for them.
#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <QString>
#include <cstddef>
#include <map>
#include <utility>
#include <vector>

#include "objfiles/object_texts_document.h"
#include "textcodes/translation_checks.h"

class QStyle;

namespace tarn {

// The checks' findings by (file, group), as the window keeps them.
using GroupFindings = std::map<std::pair<std::size_t, std::size_t>, std::vector<CheckFinding>>;

// A finding as one line of a tooltip or of the status line.
QString findingLine(const CheckFinding& finding);

class ObjectTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // A file of the folder that could not be loaded, at its place among the files.
    struct DamagedFile {
        int row = 0;      // its row under the root node
        QString name;     // the file's name
        QString problem;  // why it could not be loaded, starting with its name
    };

    // The marks' icons are the style's; findings, when given, must outlive the model.
    ObjectTreeModel(const ObjectTextsDocument& document, const GroupFindings& findings,
                    const QStyle& style, QObject* parent = nullptr);

    // Shows the document's first loadedFiles files and the damaged ones, in one insertion.
    // The tree must be empty (after clear()).
    void fill(std::size_t loadedFiles, std::vector<DamagedFile> damaged);
    void clear();
    // The findings or the files' damage changed: every node's name and mark are asked for again.
    void marksChanged();

    QModelIndex rootNode() const { return index(0, 0); }
    // The document's index of a file node; -1 for a damaged file or any other node.
    int fileOf(const QModelIndex& node) const;
    bool isFileNode(const QModelIndex& node) const;
    bool isGroupNode(const QModelIndex& node) const;
    // A file that could not be loaded (a loaded one storing a wrong checksum is not).
    bool isDamagedFile(const QModelIndex& node) const;
    // What is wrong with a file node's file, starting with its name; empty when nothing.
    QString problemOf(const QModelIndex& node) const;
    QModelIndex groupNode(int file, int group) const;
    // The next (or previous) group node in depth-first order over the whole tree, collapsed
    // nodes included, passing by files without groups and damaged ones; invalid when none.
    QModelIndex stepToGroup(QModelIndex node, bool forward) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& node, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& node) const override;

private:
    // A node's internal id: kRootId for the root, kFileId for a row under it, and for a
    // group kGroupBase plus its file's row.
    static constexpr quintptr kRootId = 0;
    static constexpr quintptr kFileId = 1;
    static constexpr quintptr kGroupBase = 2;

    const DamagedFile* damagedAt(int row) const;
    int fileAtRow(int row) const;  // -1 for a damaged file
    int rowOfFile(int file) const;
    QString wrongChecksumOf(int file) const;  // "NAME: the stored checksum ...", or empty
    QVariant fileData(int row, int role) const;
    QVariant groupData(int fileRow, int group, int role) const;
    const QIcon& severityIcon(Severity severity) const;

    const ObjectTextsDocument& document_;
    const GroupFindings& findings_;
    std::size_t loadedFiles_ = 0;
    std::vector<DamagedFile> damaged_;  // by row
    QIcon errorIcon_;
    QIcon warningIcon_;
    QIcon infoIcon_;
};

}  // namespace tarn
