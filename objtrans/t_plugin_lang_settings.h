// "Object language settings": the two language ID bytes of the translated executable that tell
// the game which texts of the object files to take.
#pragma once

#include <QDialog>
#include <cstdint>

#include "objtrans/lang_id_edit.h"

class QPushButton;

namespace tarn {

class TPluginLangSettings : public QDialog {
    Q_OBJECT
public:
    explicit TPluginLangSettings(QWidget* parent = nullptr);

    LangIdEdit* Edit1;
    LangIdUpDown* PrimaryID;
    LangIdEdit* Edit2;
    LangIdUpDown* SecondaryID;
    QPushButton* OK;
    QPushButton* Cancel;
};

// The two language ID bytes as the main window holds them.
struct LangIds {
    std::uint8_t primary = 0;
    std::uint8_t secondary = 0;
};

// Shows the dialog with ids; on OK stores the dialog's values into ids and answers true: the
// caller marks its texts modified then, even when the values did not change, so that the next
// save writes them. Any other end changes nothing and answers false.
bool PluginLangExecute(TPluginLangSettings& dialog, LangIds& ids);

}  // namespace tarn
