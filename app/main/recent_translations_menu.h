// SPDX-License-Identifier: GPL-3.0-or-later
// File > Recent translations: the pairs of executables opened last, most recent first, each
// with the code page, character table, spelling language and PO language its texts were worked
// on in. Choosing one opens it as the paths dialog would, after the question about unsaved
// changes, and brings its settings back.
#pragma once

#include <QObject>
#include <cstddef>

class QMenu;

namespace tarn {

class CharacterTableActions;
class FileActions;
class SpellingActions;
class WindowFont;
struct WindowParts;

class RecentTranslationsMenu : public QObject {
    Q_OBJECT
public:
    struct Actions {
        FileActions& files;
        WindowFont& font;
        CharacterTableActions& table;
        SpellingActions& spelling;
    };
    // The list is the settings' own; the menu shows it as it is whenever it opens.
    RecentTranslationsMenu(QMenu& menu, WindowParts& parts, Actions actions);

    // Puts the open translation first, with its settings as they are now (each time the
    // settings are looked at, and so at the close).
    void rememberOpen();

private:
    void fill();
    void open(std::size_t index);

    QMenu& menu_;
    WindowParts& parts_;
    Actions actions_;
};

}  // namespace tarn
