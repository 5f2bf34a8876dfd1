// SPDX-License-Identifier: GPL-3.0-or-later
// The font dialog: character sets and Qt's writing systems both ways, the character set box,
// and a style that never turns italic unless chosen.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontDatabase>
#include <QListView>

#include "app/main/font_dialog.h"
#include "app/main/tarn_edit_application.h"
#include "app/widgets/test_support/child_by_name.h"
#include "app/widgets/test_support/test_application.h"
#include "common/code_page_choice.h"

namespace tarn {
namespace {

class FontDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testApplication<TarnEditApplication>(); }

    static bool slanted(const QString& family, const QString& style) {
        return QFontDatabase::font(family, style, 12).style() != QFont::StyleNormal;
    }
    // An installed family whose first style is slanted (as DejaVu Sans lists "Oblique" first).
    static QString familyStartingSlanted() {
        for (const QString& family : QFontDatabase::families()) {
            const QStringList styles = QFontDatabase::styles(family);
            if (styles.size() > 1 && slanted(family, styles.first()) &&
                !slanted(family, closestStyle(family, false, false))) {
                return family;
            }
        }
        return {};
    }
};

TEST_F(FontDialogTest, CharacterSetsAndWritingSystemsMapBothWays) {
    using DB = QFontDatabase;
    const std::pair<int, DB::WritingSystem> table[] = {
        {0, DB::Latin},
        {238, DB::Latin},
        {162, DB::Latin},
        {186, DB::Latin},
        {204, DB::Cyrillic},
        {161, DB::Greek},
        {177, DB::Hebrew},
        {178, DB::Arabic},
        {163, DB::Vietnamese},
        {222, DB::Thai},
        {128, DB::Japanese},
        {129, DB::Korean},
        {134, DB::SimplifiedChinese},
        {136, DB::TraditionalChinese},
        {77, DB::Any},
    };
    for (const auto& [charset, system] : table) {
        EXPECT_EQ(writingSystemForCharset(charset), system) << charset;
    }
    for (const SingleByteCharset& set : singleByteCharsets()) {
        const DB::WritingSystem system = writingSystemForCharset(set.charset);
        EXPECT_EQ(charsetForWritingSystem(system, set.charset), set.charset) << set.charset;
        if (system != DB::Latin) {
            EXPECT_EQ(charsetForWritingSystem(system, 238), set.charset) << set.charset;
        }
    }
    // Latin keeps a Latin set, and turns any other into Western.
    EXPECT_EQ(charsetForWritingSystem(DB::Latin, 204), kAnsiCharset);
    EXPECT_EQ(charsetForWritingSystem(DB::Latin, 128), kAnsiCharset);
    // A script without a single-byte page, and Any, leave the set alone.
    EXPECT_EQ(charsetForWritingSystem(DB::Japanese, 238), 238);
    EXPECT_EQ(charsetForWritingSystem(DB::Any, 204), 204);
}

TEST_F(FontDialogTest, TheCharacterSetBoxFollowsTheWritingSystemAndLeadsIt) {
    FontDialog dialog(QApplication::font(), 204);
    auto* sets = childByName<QComboBox>(dialog, "charsetBox");
    EXPECT_EQ(dialog.charset(), 204);
    EXPECT_EQ(sets->currentText(), "Cyrillic (1251)");

    QComboBox* systems = nullptr;
    for (QComboBox* box : dialog.findChildren<QComboBox*>()) {
        if (box != sets) {
            systems = box;
        }
    }
    ASSERT_NE(systems, nullptr);
    const int greek = systems->findText(QFontDatabase::writingSystemName(QFontDatabase::Greek));
    systems->setCurrentIndex(greek);
    emit systems->activated(greek);
    EXPECT_EQ(dialog.charset(), 161);

    const int centralEuropean = sets->findData(238);
    sets->setCurrentIndex(centralEuropean);
    emit sets->activated(centralEuropean);
    EXPECT_EQ(dialog.charset(), 238);
    EXPECT_EQ(systems->currentText(), QFontDatabase::writingSystemName(QFontDatabase::Latin));

    // A stored set without a single-byte page is offered as it is, and stays chosen.
    FontDialog japanese(QApplication::font(), 128);
    EXPECT_EQ(japanese.charset(), 128);
}

TEST_F(FontDialogTest, StartsAndStaysOnAnUprightStyleUnlessItalicIsChosen) {
    for (const QString& family : QFontDatabase::families()) {
        const QString upright = closestStyle(family, false, false);
        const QString italic = closestStyle(family, false, true);
        bool hasUpright = false;
        bool hasSlanted = false;
        for (const QString& style : QFontDatabase::styles(family)) {
            (slanted(family, style) ? hasSlanted : hasUpright) = true;
        }
        EXPECT_EQ(slanted(family, upright), !hasUpright) << family.toStdString();
        EXPECT_EQ(slanted(family, italic), hasSlanted) << family.toStdString();
    }

    const QString family = familyStartingSlanted();
    if (family.isEmpty()) {
        GTEST_SKIP() << "no installed family lists a slanted style first";
    }
    QFont plain(family);
    plain.setPointSize(11);
    FontDialog opened(plain, kDefaultCharset);
    EXPECT_EQ(opened.currentFont().family(), family);
    EXPECT_FALSE(opened.currentFont().italic());

    // Picking that family in the list, from another upright font, keeps the font upright.
    QFont other(QStringLiteral("Sans Serif"));
    other.setPointSize(11);
    FontDialog picking(other, kDefaultCharset);
    ASSERT_FALSE(picking.currentFont().italic());
    QListView* families = picking.findChildren<QListView*>().value(0);
    ASSERT_NE(families, nullptr);
    const QModelIndexList rows = families->model()->match(
        families->model()->index(0, 0), Qt::DisplayRole, family, 1, Qt::MatchExactly);
    ASSERT_EQ(rows.size(), 1);
    families->setCurrentIndex(rows.first());
    EXPECT_EQ(picking.currentFont().family(), family);
    EXPECT_FALSE(picking.currentFont().italic());

    // An italic font chosen earlier opens italic.
    QFont chosenItalic(family);
    chosenItalic.setItalic(true);
    FontDialog italicDialog(chosenItalic, kDefaultCharset);
    EXPECT_TRUE(italicDialog.currentFont().italic());
}

TEST_F(FontDialogTest, AFamilyNotInstalledStartsOnTheFamilyShownInItsPlace) {
    // "MS Sans Serif", the stored default, is rarely installed beside Qt.
    if (QFontDatabase::families().isEmpty()) {
        GTEST_SKIP() << "no font is installed (Windows' offscreen platform lists none)";
    }
    QFont stored(QStringLiteral("No Such Family Tarn"));
    stored.setPointSize(10);
    FontDialog opened(stored, kDefaultCharset);
    EXPECT_EQ(opened.currentFont().family(), QFontInfo(stored).family());
}

}  // namespace
}  // namespace tarn
