// SPDX-License-Identifier: GPL-3.0-or-later
// Letters that fall on game codes in the main window: refused where they are typed or pasted,
// drawn framed where a raw text holds them as codes, and placed on free bytes by the
// translation's character table.
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyleOptionViewItem>
#include <algorithm>

#include "app/main/tests/editor_fixture.h"
#include "app/widgets/framed_code_painting.h"
#include "objfiles/object_texts_document.h"
#include "objfiles/sample_game_objects.h"
#include "spelling/tests/test_dictionary.h"
#include "textcodes/character_table.h"
#include "textcodes/typed_codes.h"

namespace tarn {
namespace {

constexpr int Translated = StringTableDocument::TranslatedColumn;

class CharacterTableTest : public EditorTest {
protected:
    QLineEdit* searchBox() const {
        return childByName<QLineEdit>(*child<QDialog>("findDialog"), "searchTextEdit");
    }
    QString status() const { return window->statusBar()->currentMessage(); }
    // Answers the next file dialog with path.
    void answerFileDialog(const fs::path& path) {
        prompter.onDialog([path](QDialog& d) {
            static_cast<QFileDialog&>(d).selectFile(QString::fromStdString(path.string()));
            d.accept();
        });
    }
    void writeTable(const fs::path& path, const std::string& text) const {
        writeFileAtomically(path, Bytes(text.begin(), text.end()));
    }
    // The cell as the delegate paints it, on white.
    QImage paintedCell(int row) const {
        QImage image(240, grid()->rowHeight(0), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.rect = image.rect();
        option.widget = grid();
        option.font = grid()->font();
        option.state = QStyle::State_Enabled;
        grid()->itemDelegate()->paint(&painter, option,
                                      grid()->model()->index(row - 1, Translated));
        return image;
    }
    // How wide the part drawn in the code colour is.
    static int colourWidth(const QImage& image) {
        int left = image.width();
        int right = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) == kCodeByteColour) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        return right - left + 1;
    }
    static bool holdsColour(const QImage& image, const QColor& colour) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) == colour) {
                    return true;
                }
            }
        }
        return false;
    }
};

TEST_F(CharacterTableTest, ALetterOnACodeByteIsRefusedTypedOrPastedInTheGridAndTheFindBox) {
    struct Case {
        int charset;
        int page;
        char16_t letter;
        unsigned char byte;
    };
    const Case cases[] = {
        {238, 1250, u'\u015A', 140}, {238, 1250, u'\u0179', 143}, {238, 1250, u'\u201E', 132},
        {238, 1250, u'\u201D', 148}, {238, 1250, u'\u2013', 150}, {238, 1250, u'\u20AC', 128},
        {204, 1251, u'\u0402', 128}, {204, 1251, u'\u0459', 154}, {204, 1251, u'\u201C', 147}};
    writeGame();
    writeSettings();
    MainWindow& f = start();
    int beeps = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        f.setFontCharset(c.charset);
        const QString letter(QChar(c.letter));
        const QString refusal = QString::fromStdString(
            typedCodeMessage({c.letter, c.byte}, f.codePage(), Notation::Raw));
        QLineEdit* editor = openEditorAt(1, Translated);
        ASSERT_NE(editor, nullptr);
        typeCharacter(editor, letter);
        EXPECT_EQ(status(), refusal);
        QApplication::clipboard()->setText(QStringLiteral("ab") + letter);
        editor->paste();  // refused whole
        EXPECT_EQ(editor->text(), "Hi");
        EXPECT_EQ(prompter.beeps(), beeps += 2);
        pressInEditor(Qt::Key_Escape);

        action("findAction")->trigger();
        typeCharacter(searchBox(), letter);
        EXPECT_EQ(searchBox()->text(), "");
        EXPECT_EQ(prompter.beeps(), ++beeps);
        EXPECT_EQ(status(), refusal);
        child<QDialog>("findDialog")->hide();
    }
    EXPECT_EQ(f.document().cell(1, Translated), "Hi");
    EXPECT_FALSE(f.session().isModified());

    // The translator's own words for the first case.
    f.setFontCharset(238);
    typeCharacter(openEditorAt(1, Translated), QStringLiteral("\u015A"));
    EXPECT_EQ(status(),
              "'\u015A' is byte 140 in code page 1250, which the game reads as the value code %l: "
              "insert codes from the code menu, or give '\u015A' a byte in the character table "
              "(Other > Character table...)");
}

TEST_F(CharacterTableTest, CodesAlreadyInATextStayAndRawBracesStayTheRawCodes) {
    texts[0] = "Hi \x8C";  // ends with %l, shown as Ś in 1250
    writeGame();
    writeSettings("[Options]\r\nFontCharset=238\r\n");
    MainWindow& f = start();
    QLineEdit* editor = openEditorAt(1, Translated);
    ASSERT_NE(editor, nullptr);
    typeCharacter(editor, QStringLiteral("x"));
    typeCharacter(editor, QStringLiteral("{"));  // the raw notation's %N
    EXPECT_EQ(f.document().cell(1, Translated), "Hi \x8Cx{");
    EXPECT_EQ(prompter.beeps(), 0);

    // Taking the code out and undoing that in the editor puts it back, unrefused.
    editor->setSelection(3, 3);
    pressInEditor(Qt::Key_Delete);
    EXPECT_EQ(f.document().cell(1, Translated), "Hi ");
    editor->undo();
    EXPECT_EQ(f.document().cell(1, Translated), "Hi \x8Cx{");
    EXPECT_EQ(prompter.beeps(), 0);
    pressInEditor(Qt::Key_Return);

    // In C-style notation a brace is a letter that would become a code.
    action("notationAction")->trigger();
    editor = openEditorAt(1, Translated);
    ASSERT_NE(editor, nullptr);
    typeCharacter(editor, QStringLiteral("{"));
    EXPECT_EQ(prompter.beeps(), 1);
    EXPECT_EQ(status(),
              "'{' is byte 123 in code page 1250, which the game reads as the value code %N: "
              "write %N instead");
    EXPECT_EQ(f.document().cell(1, Translated), "Hi \x8Cx{");
}

TEST_F(CharacterTableTest, TheGridFramesACodeByteSoItCannotBeTakenForALetter) {
    texts[0] = "\x8C";  // %l, which 1250 shows as Ś
    texts[1] = "\x9C";  // ś
    texts[2] =
        "\x83"
        "ab";  // %S and its data
    texts[3] =
        "\x8C"
        "ab";  // %l, which takes none
    writeGame();
    writeSettings("[Options]\r\nFontCharset=238\r\n");
    start();
    const QImage code = paintedCell(1);
    const QImage letter = paintedCell(2);
    EXPECT_TRUE(holdsColour(code, kCodeByteColour));
    EXPECT_FALSE(holdsColour(letter, kCodeByteColour));
    EXPECT_NE(code, letter);
    // A code's data is drawn in the code's frame, in either notation.
    const int letterWidth = grid()->fontMetrics().horizontalAdvance(QLatin1Char('a'));
    EXPECT_GE(colourWidth(paintedCell(3)), colourWidth(paintedCell(4)) + letterWidth);
    action("notationAction")->trigger();
    EXPECT_GE(colourWidth(paintedCell(3)), grid()->fontMetrics().horizontalAdvance("%Sab"));
    EXPECT_FALSE(holdsColour(paintedCell(4), kCodeByteColour));  // %lab: a code, no data
}

TEST_F(CharacterTableTest, TheDialogListsLettersOnCodesAndProposesATableOnBytesNoTextUses) {
    texts[1] = "5 \xA4";  // ¤ is used: it stays where it is
    writeGame();
    // An object text uses ¢ (A2): taken too, though the window never opened the object files.
    const fs::path objData = transPath.parent_path() / "ObjData";
    fs::create_directories(objData);
    for (const SampleObjectFile& file : sampleGameObjects()) {
        writeFileAtomically(objData / file.fileName, file.contents);
    }
    ObjectTextsDocument objects;
    ASSERT_TRUE(objects.loadFolder(objData).empty());
    std::vector<ObjectFile> files = objects.files();
    files[0].texts[0].push_back({14, "Cena 5 \xA2"});
    objects.replaceTextsStep(files, "test")->redo();
    ASSERT_TRUE(objects.saveModified({}).problems.empty());
    // The spelling dictionary's words use the broken bar: its byte goes last.
    const fs::path dictionaries = dir.path() / "dictionaries";
    fs::create_directories(dictionaries);
    writeTestDictionary(dictionaries, "pl_PL", {"kot", "a\xC2\xA6"});
    writeSettings(
        "[Options]\r\nFontCharset=238\r\n[Spelling]\r\nLanguage=pl_PL\r\n"
        "DictionaryFolder=" +
        dictionaries.string() + "\r\n");
    MainWindow& f = start();
    const fs::path table = dir.path() / "pl-1250.tbl";
    QStringList onCodes;
    QStringList free;
    QString report;
    prompter.onDialog([&](QDialog& d) {
        const auto texts = [&d](const char* name) {
            QStringList out;
            auto* list = childByName<QListWidget>(d, name);
            for (int i = 0; i < list->count(); ++i) {
                out << list->item(i)->text();
            }
            return out;
        };
        onCodes = texts("charactersOnCodesList");
        free = texts("freeBytesList");
        childByName<QPushButton>(d, "proposeTableButton")->click();
        report = childByName<QPlainTextEdit>(d, "tableReport")->toPlainText();
        d.accept();
    });
    QString proposedFile;
    QStringList filters;
    prompter.onDialog([&](QDialog& d) {
        auto& files = static_cast<QFileDialog&>(d);
        proposedFile = QFileInfo(files.selectedFiles().value(0)).fileName();
        filters = files.nameFilters();
        files.selectFile(QString::fromStdString(table.string()));
        d.accept();
    });
    action("characterTableAction")->trigger();
    EXPECT_TRUE(prompter.mismatches().empty());

    EXPECT_TRUE(onCodes.contains(QStringLiteral("8C  \u015A  U+015A  (140), the value code %l")));
    EXPECT_TRUE(
        onCodes.filter(QStringLiteral("8F  \u0179  U+0179  (143), the colour code")).size() == 1);
    // The file dialog proposed a name and offered each filter once.
    EXPECT_EQ(proposedFile, QStringLiteral("characters-1250.tbl"));
    EXPECT_EQ(filters, (QStringList{QStringLiteral("Character tables (*.tbl *.txt)"),
                                    QStringLiteral("All files (*)")}));
    EXPECT_TRUE(free.filter(QStringLiteral("A4  ")).isEmpty());
    // The spacing accents no text uses first, as nobody types them alone, then the rare symbols
    // ¬ ÷; § only after them, and the dictionary's ¦ after every letter.
    QStringList firstBytes;
    for (const QString& line : free.mid(0, 8)) {
        firstBytes << line.left(2);
    }
    EXPECT_EQ(firstBytes.join(' '), QStringLiteral("A8 B2 B4 B8 BD AC F7 A7"));
    EXPECT_TRUE(free.last().startsWith(QStringLiteral("A6  ")));
    EXPECT_TRUE(free.filter(QStringLiteral("A2  ")).isEmpty());
    EXPECT_FALSE(free.filter(QStringLiteral("A6  \u00A6  U+00A6")).isEmpty());

    // The proposal places Ś and Ź on bytes that no text uses, and is the table in use.
    const Bytes file = readWholeFile(table);
    const CharacterTable proposed =
        readCharacterTable(std::string(file.begin(), file.end()), *CodePage::byNumber(1250));
    ASSERT_TRUE(proposed.ok()) << proposed.error;
    std::vector<char32_t> placed;
    for (const CharacterTable::Line& line : proposed.lines) {
        placed.push_back(line.placed.character);
        for (int row = 1; row <= StringTableDocument::kRows; ++row) {
            for (const int column :
                 {static_cast<int>(StringTableDocument::OriginalColumn), Translated}) {
                ASSERT_EQ(f.document().cell(row, column).find(static_cast<char>(line.placed.byte)),
                          std::string::npos);
            }
        }
    }
    EXPECT_NE(std::find(placed.begin(), placed.end(), U'\u015A'), placed.end());
    EXPECT_NE(std::find(placed.begin(), placed.end(), U'\u0179'), placed.end());
    EXPECT_TRUE(report.contains(QStringLiteral("=\u015A (U+015A) instead of")));
    ASSERT_TRUE(f.codePage().hasPlaced());

    // Ś is now a letter of the translation, stored on its byte.
    const unsigned char sByte = *f.codePage().fromUnicode(U'\u015A');
    typeCharacter(openEditorAt(1, Translated), QStringLiteral("\u015A"));
    EXPECT_EQ(prompter.beeps(), 0);
    EXPECT_EQ(f.document().cell(1, Translated), "Hi" + std::string(1, static_cast<char>(sByte)));
    pressInEditor(Qt::Key_Return);
    prompter.answer(MessageAnswer::No);  // the edit is not saved
    EXPECT_TRUE(f.close());
    EXPECT_NE(settingsText().find("[Characters]\r\nTableFile=" + table.string() + "\r\n"),
              std::string::npos);
}

TEST_F(CharacterTableTest, AStoredTableServesFromTheStartAndAMalformedOneIsRefusedByLine) {
    texts[0] = "\x8C \xA4";  // %l and the byte the table gives Ś
    writeGame();
    const fs::path good = dir.path() / "good.tbl";
    const fs::path bad = dir.path() / "bad.tbl";
    writeTable(good, "# Polish\nA4=\xC5\x9A\n");
    writeTable(bad, "A4=\xC5\x9A\n8C=\xC5\xB9\n");
    writeSettings("[Options]\r\nFontCharset=238\r\n[Characters]\r\nTableFile=" + good.string() +
                  "\r\n");
    MainWindow& f = start();
    ASSERT_TRUE(f.codePage().hasPlaced());
    // The code keeps a character of its own in the editor, so that it stays the code.
    EXPECT_EQ(f.cellText(1, Translated), QStringLiteral("\uF78C \u015A"));
    QLineEdit* editor = openEditorAt(1, Translated);
    ASSERT_NE(editor, nullptr);
    typeCharacter(editor, QStringLiteral("\u015A"));
    EXPECT_EQ(f.document().cell(1, Translated), "\x8C \xA4\xA4");
    pressInEditor(Qt::Key_Escape);

    // The dialog ticks what the table in use places, not every letter. A malformed file chosen
    // in it is refused with its line; None drops the table.
    QString shownFile;
    QStringList ticked;
    prompter.onDialog([&](QDialog& d) {
        auto* onCodes = childByName<QListWidget>(d, "charactersOnCodesList");
        for (int i = 0; i < onCodes->count(); ++i) {
            if (onCodes->item(i)->checkState() == Qt::Checked) {
                ticked << onCodes->item(i)->text();
            }
        }
        answerFileDialog(bad);
        childByName<QPushButton>(d, "chooseTableButton")->click();
        shownFile = childByName<QLineEdit>(d, "tableFileEdit")->text();
        childByName<QPushButton>(d, "noTableButton")->click();
        d.accept();
    });
    action("characterTableAction")->trigger();
    const QString badLine = QString::fromStdString(bad.string()) +
                            ": line 2: byte 8C is read by the game as the value code %l";
    ASSERT_EQ(messageTexts().size(), 1);
    EXPECT_EQ(messageTexts()[0], badLine);
    EXPECT_EQ(shownFile, QString::fromStdString(good.string()));
    EXPECT_EQ(ticked, QStringList{QStringLiteral("8C  \u015A  U+015A  (140), the value code %l")});
    EXPECT_FALSE(f.codePage().hasPlaced());
    EXPECT_EQ(f.cellText(1, Translated), QStringLiteral("\u015A \u00A4"));
    prompter.answer(MessageAnswer::No);  // the edit is not saved
    EXPECT_TRUE(f.close());
    EXPECT_NE(settingsText().find("[Characters]\r\nTableFile=\r\n"), std::string::npos);
    window.reset();

    // A stored malformed table is refused at start, and the texts show through the page alone.
    writeSettings("[Options]\r\nFontCharset=238\r\n[Characters]\r\nTableFile=" + bad.string() +
                  "\r\n");
    prompter.clear();
    MainWindow& again = start();
    ASSERT_EQ(messageTexts().size(), 1);
    EXPECT_EQ(messageTexts()[0], badLine);
    EXPECT_FALSE(again.codePage().hasPlaced());
}

}  // namespace
}  // namespace tarn
