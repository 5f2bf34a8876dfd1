// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's PO commands: export the texts between two language IDs for a
// translator's tool, import its translations into the document (saved with the window's Save).
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <utility>

#include "exchange/document_po.h"

class QWidget;

namespace tarn {

class CodePage;
class LanguageIdsQuestion;
class ObjectTextsSession;
class SessionNotes;
class TextGridView;

class ObjectPoExchange {
public:
    struct Parts {
        QWidget& window;  // the file dialogs' parent
        ObjectTextsSession& session;
        SessionNotes& notes;  // the window's, typed since the last save included
        const CodePage& codePage;
        LanguageIdsQuestion& ids;
        TextGridView& grid;
        std::function<void(const QString&)> showStatus;
    };
    // The parts outlive the exchange.
    explicit ObjectPoExchange(Parts parts) : parts_(std::move(parts)) {}

    // What the export writes in its header: the translation's language code and the name of
    // the character table laid over the code page ("" for none).
    void setHeaderValues(std::string language, std::string tableName);
    // The folder the file dialogs open in (UTF-8).
    const std::string& folder() const { return folder_; }
    void setFolder(std::string folder) { folder_ = std::move(folder); }

    // Both want loaded files; the import, files that may be changed.
    void exportTranslation();
    void importTranslation();

private:
    // The window's notes and the characters its PO files name.
    PoCompanions companions() const;
    QString proposedFileName() const;

    Parts parts_;
    std::string language_;
    std::string tableName_;
    std::string folder_;
};

}  // namespace tarn
