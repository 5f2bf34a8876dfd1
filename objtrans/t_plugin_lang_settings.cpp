#include "objtrans/t_plugin_lang_settings.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/widgets/prompter.h"

namespace tarn {

namespace {

constexpr int kTextWidth = 400;

QLabel* wrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setFixedWidth(kTextWidth);  // a wrapped label needs a width to know its height
    return label;
}

// A caption, the edit with its up-down, and the explanation below them.
void addIdSection(QVBoxLayout& layout, QWidget* parent, const QString& caption, LangIdEdit* edit,
                  LangIdUpDown* upDown, const QString& explanation) {
    layout.addWidget(new QLabel(caption, parent));
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    edit->setFixedWidth(60);
    row->addWidget(edit);
    row->addWidget(upDown);
    row->addStretch();
    layout.addLayout(row);
    layout.addWidget(wrappedLabel(explanation, parent));
    layout.addSpacing(8);
}

}  // namespace

TPluginLangSettings::TPluginLangSettings(QWidget* parent)
    : QDialog(parent),
      Edit1(new LangIdEdit(this)),
      PrimaryID(new LangIdUpDown(*Edit1, this)),
      Edit2(new LangIdEdit(this)),
      SecondaryID(new LangIdUpDown(*Edit2, this)),
      OK(new QPushButton(QStringLiteral("OK"), this)),
      Cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("PluginLangSettings"));
    setWindowTitle(QStringLiteral("Object language settings"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2->setObjectName(QStringLiteral("Edit2"));
    PrimaryID->setObjectName(QStringLiteral("PrimaryID"));
    SecondaryID->setObjectName(QStringLiteral("SecondaryID"));

    auto* layout = new QVBoxLayout(this);
    addIdSection(
        *layout, this, QStringLiteral("Primary language ID:"), Edit1, PrimaryID,
        QStringLiteral("This is the preferred language ID of the object files. Texts with this "
                       "language ID will be used if available. You can modify this to allow "
                       "specifying your own texts in the object files without overwriting texts "
                       "for another language. (Note that IDs 0-13 are already taken)"));
    addIdSection(
        *layout, this, QStringLiteral("Secondary language ID:"), Edit2, SecondaryID,
        QStringLiteral("This is a fallback language ID used if no texts with the primary "
                       "language ID were found. You should leave this at the default value (0), "
                       "so English texts will be displayed if no native versions are found. If "
                       "this ID isn't found, either, Tarn will display the first  text it finds, "
                       "allowing it to function even when these values are set wrong."));
    layout->addWidget(new QLabel(
        QStringLiteral("NOTE: These settings are applied when you save your executable!"), this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OK);
    buttons->addWidget(Cancel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    OK->setDefault(true);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool PluginLangExecute(TPluginLangSettings& dialog, LangIds& ids) {
    dialog.PrimaryID->setPosition(ids.primary);
    dialog.SecondaryID->setPosition(ids.secondary);
    if (prompter().runModal(dialog) != QDialog::Accepted) {
        return false;
    }
    ids.primary = static_cast<std::uint8_t>(dialog.PrimaryID->position());
    ids.secondary = static_cast<std::uint8_t>(dialog.SecondaryID->position());
    return true;
}

}  // namespace tarn
