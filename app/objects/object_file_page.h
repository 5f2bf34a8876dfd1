// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's page for a file node: its name, internal identifier, type of data
// and storage mode, and the hint to choose a text group.
#pragma once

#include <QWidget>

class QLabel;

namespace tarn {

class CodePage;
struct ObjectFile;

class ObjectFilePage : public QWidget {
    Q_OBJECT
public:
    explicit ObjectFilePage(QWidget* parent = nullptr);

    // The internal identifier's bytes are shown through the code page.
    void showFile(const ObjectFile& file, const CodePage& codePage);

private:
    QLabel* fileNameLabel_;
    QLabel* internalIdLabel_;
    QLabel* dataTypeLabel_;
    QLabel* storageModeLabel_;
};

}  // namespace tarn
