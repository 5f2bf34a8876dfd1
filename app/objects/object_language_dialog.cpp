// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_language_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/widgets/lang_id_edit.h"
#include "app/widgets/object_names.h"
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

ObjectLanguageDialog::ObjectLanguageDialog(QWidget* parent)
    : QDialog(parent),
      primaryEdit_(new LangIdEdit(this)),
      primaryUpDown_(new LangIdUpDown(*primaryEdit_, this)),
      secondaryEdit_(new LangIdEdit(this)),
      secondaryUpDown_(new LangIdUpDown(*secondaryEdit_, this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("objectLanguageDialog"));
    setWindowTitle(QStringLiteral("Object language settings"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setObjectNames({{primaryEdit_, "primaryEdit"},
                    {primaryUpDown_, "primaryUpDown"},
                    {secondaryEdit_, "secondaryEdit"},
                    {secondaryUpDown_, "secondaryUpDown"},
                    {okButton_, "okButton"},
                    {cancelButton_, "cancelButton"}});

    auto* layout = new QVBoxLayout(this);
    addIdSection(
        *layout, this, QStringLiteral("Primary language ID:"), primaryEdit_, primaryUpDown_,
        QStringLiteral("This is the preferred language ID of the object files. Texts with this "
                       "language ID will be used if available. You can modify this to allow "
                       "specifying your own texts in the object files without overwriting texts "
                       "for another language. (Note that IDs 0-13 are already taken)"));
    addIdSection(
        *layout, this, QStringLiteral("Secondary language ID:"), secondaryEdit_, secondaryUpDown_,
        QStringLiteral("This is a fallback language ID used if no texts with the primary "
                       "language ID were found. You should leave this at the default value (0), "
                       "so English texts will be displayed if no native versions are found. If "
                       "this ID isn't found, either, Tarn will display the first  text it finds, "
                       "allowing it to function even when these values are set wrong."));
    layout->addWidget(new QLabel(
        QStringLiteral("NOTE: These settings are applied when you save your executable!"), this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<LangIds> ObjectLanguageDialog::choose(LangIds current) {
    primaryUpDown_->setPosition(current.primary);
    secondaryUpDown_->setPosition(current.secondary);
    if (prompter().runModal(*this) != QDialog::Accepted) {
        return std::nullopt;
    }
    return LangIds{static_cast<std::uint8_t>(primaryUpDown_->position()),
                   static_cast<std::uint8_t>(secondaryUpDown_->position())};
}

}  // namespace tarn
