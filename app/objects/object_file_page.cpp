// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_file_page.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <string>

#include "app/objects/wrapped_hint_label.h"
#include "app/widgets/display_text.h"
#include "app/widgets/object_names.h"
#include "objfiles/object_text_model.h"

namespace tarn {

namespace {

QString storageModeName(std::uint8_t encoding) {
    switch (encoding) {
        case 0:
            return QStringLiteral("Type 0 (saved as-is)");
        case 1:
            return QStringLiteral("Type 1 (RLE compressed)");
        case 2:
            return QStringLiteral("Type 2 (?\?\?)");
        case 3:
            return QStringLiteral("Type 3 (scrambled bytes)");
        default:
            return QStringLiteral("Type %1").arg(encoding);
    }
}

QLabel* valueLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

ObjectFilePage::ObjectFilePage(QWidget* parent)
    : QWidget(parent),
      fileNameLabel_(valueLabel(this)),
      internalIdLabel_(valueLabel(this)),
      dataTypeLabel_(valueLabel(this)),
      storageModeLabel_(valueLabel(this)) {
    auto* heading = new QLabel(QStringLiteral("Information about the selected file"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto* rows = new QFormLayout;
    rows->addRow(QStringLiteral("Filename:"), fileNameLabel_);
    rows->addRow(QStringLiteral("Internal identifier:"), internalIdLabel_);
    rows->addRow(QStringLiteral("Type of contained data:"), dataTypeLabel_);
    rows->addRow(QStringLiteral("Storage mode:"), storageModeLabel_);
    auto* hint =
        new WrappedHintLabel(QStringLiteral("In order to proceed, select a text group from "
                                            "the left\r\n(click on the + sign next to the "
                                            "filename if they aren't shown currently)"),
                             this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(rows);
    layout->addSpacing(12);
    layout->addWidget(hint);
    layout->addStretch();
    setObjectNames({
        {this, "fileInfoPage"},
        {fileNameLabel_, "fileNameLabel"},
        {internalIdLabel_, "internalIdLabel"},
        {dataTypeLabel_, "dataTypeLabel"},
        {storageModeLabel_, "storageModeLabel"},
    });
}

void ObjectFilePage::showFile(const ObjectFile& file, const CodePage& codePage) {
    fileNameLabel_->setText(QString::fromStdString(file.fileName));
    internalIdLabel_->setText(
        gameBytesToDisplay(std::string(file.name.begin(), file.name.end()), codePage));
    dataTypeLabel_->setText(QStringLiteral("Type %1").arg(file.objectType()));
    storageModeLabel_->setText(storageModeName(file.encoding));
}

}  // namespace tarn
