// SPDX-License-Identifier: GPL-3.0-or-later
// The font editor on a seeded font folder: its fields, edits that must not be lost, new font
// names, the board's letters, a saved board font reaching an open matrix, and the chart.
#include "core/app/language.h"
#include "core/font/fontexport.h"
#include "core/filesizelimit.h"
#include "gui/app/shell.h"
#include "gui/editor/ledmatrix.h"
#include "gui/font/fontchart.h"
#include "gui/font/fonteditor.h"
#include "gui/library/namedialog.h"
#include "gui/widgets/glyphcell.h"
#include "librarytestsupport.h"
#include "testappcore.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace LibraryTest;

class TestFontEditor : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestAppCore> m_app;
    BoxRecorder m_boxes;

    AppCore &core() { return m_app->core(); }
    QString fontFile(const QString &name) { return core().fontDir() + name + u".fnt"; }

    std::unique_ptr<FontEditor> openEditor()
    {
        auto editor = std::make_unique<FontEditor>(core());
        editor->show();
        return editor;
    }
    template <typename W>
    static W *child(FontEditor &editor, const char *name)
    {
        W *widget = editor.findChild<W *>(QLatin1String(name));
        Q_ASSERT(widget);
        return widget;
    }
    static void click(FontEditor &editor, const char *button)
    {
        QTest::mouseClick(child<QPushButton>(editor, button), Qt::LeftButton);
    }
    static void toggleDot(FontEditor &editor, int column, int row)
    {
        const QPoint centre(column * GlyphCell::kPitch + 14, row * GlyphCell::kPitch + 14);
        QTest::mouseClick(child<GlyphCell>(editor, "glyphCell"), Qt::LeftButton, {}, centre);
    }
    static void type(FontEditor &editor, const char *field, const QString &text)
    {
        auto *edit = child<QLineEdit>(editor, field);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    static void selectFont(FontEditor &editor, const QString &name)
    {
        auto *list = child<QListWidget>(editor, "fontList");
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
        m_boxes.install();
    }

    void init()
    {
        m_app = std::make_unique<TestAppCore>();
        core().loadBoardFonts();
        m_boxes.clear();
        m_boxes.answer = QMessageBox::Yes;
    }

    void fields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("glyph");
        QTest::addColumn<QString>("shown");
        QTest::newRow("hex drops g") << u"hexEdit"_qs << u"4g"_qs << 4 << u"4"_qs;
        QTest::newRow("hex drops lower case") << u"hexEdit"_qs << u"4a"_qs << 4 << u"4"_qs;
        QTest::newRow("hex third digit refused") << u"hexEdit"_qs << u"412"_qs << 0x41 << u"41"_qs;
        QTest::newRow("hex upper case") << u"hexEdit"_qs << u"C6"_qs << 0xC6 << u"C6"_qs;
        QTest::newRow("decimal capped") << u"decimalEdit"_qs << u"300"_qs << 255 << u"255"_qs;
        QTest::newRow("decimal digits only") << u"decimalEdit"_qs << u"6x5"_qs << 65 << u"65"_qs;
    }

    void fields()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(int, glyph);
        QFETCH(QString, shown);
        auto editor = openEditor();
        type(*editor, field.toLatin1().constData(), typed);
        QCOMPARE(editor->glyphIndex(), glyph);
        QCOMPARE(child<QLineEdit>(*editor, field.toLatin1().constData())->text(), shown);
        const char *other = field == u"hexEdit" ? "decimalEdit" : "hexEdit";
        const QString otherText = field == u"hexEdit" ? QString::number(glyph) : QString::number(glyph, 16).toUpper();
        QCOMPARE(child<QLineEdit>(*editor, other)->text(), otherText);
        QVERIFY(!editor->isModified());
    }

    void dotsRowsAndKeys()
    {
        auto editor = openEditor();
        click(*editor, "previousGlyph");
        QCOMPARE(editor->glyphIndex(), 0);
        type(*editor, "decimalEdit", QStringLiteral("255"));
        click(*editor, "nextGlyph");
        QCOMPARE(editor->glyphIndex(), 255);
        click(*editor, "previousGlyph");
        QCOMPARE(editor->glyphIndex(), 254);

        type(*editor, "hexEdit", QStringLiteral("0"));
        const Glyph &glyph = editor->boardFont().glyphs[0];
        QVERIFY(glyph.isBlank());
        toggleDot(*editor, 0, 0); // top left: bit 7 of K1
        QCOMPARE(glyph.k(1), 0x80);
        QVERIFY(child<QLabel>(*editor, "columnsLabel")->text().endsWith(u"0x80"));
        QVERIFY(editor->isModified());
        click(*editor, "rowUp");
        QCOMPARE(glyph.k(1), 0); // the top dot is lost
        toggleDot(*editor, 4, 7);
        QCOMPARE(glyph.k(5), 0x01);
        QVERIFY(child<QLabel>(*editor, "columnsLabel")->text().startsWith(u"0x01"));
        click(*editor, "rowDown");
        QCOMPARE(glyph.k(5), 0); // the bottom dot is lost
        toggleDot(*editor, 2, 3);
        click(*editor, "rowDown");
        QCOMPARE(glyph.k(3), 0x08);
        QCOMPARE(child<GlyphCell>(*editor, "glyphCell")->columns()[2], 0x08);

        QTest::keyClick(editor.get(), Qt::Key_Escape);
        QTest::keyClick(child<QLineEdit>(*editor, "commentEdit"), Qt::Key_Escape);
        QVERIFY(editor->isVisible());
        QVERIFY(m_boxes.isEmpty());
    }

    void switchWithChanges_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes saves") << true;
        QTest::newRow("no discards") << false;
    }

    void switchWithChanges()
    {
        QFETCH(bool, yes);
        const QByteArray before = TestSupport::readFile(fontFile(QStringLiteral("Font_V1")));
        auto editor = openEditor();
        QCOMPARE(editor->fontName(), QStringLiteral("Font_V1")); // the first entry
        toggleDot(*editor, 1, 1);
        const BoardFont edited = editor->boardFont();
        m_boxes.answer = yes ? QMessageBox::Yes : QMessageBox::No;
        selectFont(*editor, QStringLiteral("Font_V2"));
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::FontEditorSaveChangesQuestion).arg(u"Font_V1")});
        QCOMPARE(editor->fontName(), QStringLiteral("Font_V2"));
        QVERIFY(!editor->isModified());
        const QByteArray after = TestSupport::readFile(fontFile(QStringLiteral("Font_V1")));
        QCOMPARE(after, yes ? FontFile::toBytes(edited) : before);
        QCOMPARE(m_app->store().value(QStringLiteral("Ustawienia programu/Last Font")).toString(), u"Font_V2.fnt");
    }

    void failedSaveKeepsFontAndEdits()
    {
        auto editor = openEditor();
        toggleDot(*editor, 1, 1);
        const BoardFont edited = editor->boardFont();
        {
            FileSizeLimit limit(64);
            QVERIFY(limit.active());
            selectFont(*editor, QStringLiteral("Font_V2"));
            click(*editor, "okButton");
        }
        const QStringList texts = m_boxes.texts();
        QCOMPARE(texts.size(), 3); // the question, then 211 for the switch and for "Ok"
        QVERIFY(texts[1].startsWith(Lang::text(Txt::FontEditorSaveFailed)));
        QVERIFY(texts[2].startsWith(Lang::text(Txt::FontEditorSaveFailed)));
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->fontName(), QStringLiteral("Font_V1"));
        QCOMPARE(child<QListWidget>(*editor, "fontList")->currentItem()->text(), u"Font_V1");
        QVERIFY(editor->isModified());
        QVERIFY(editor->boardFont() == edited);
        click(*editor, "okButton");
        QVERIFY(!editor->isVisible());
        QCOMPARE(editor->result(), int(QDialog::Accepted));
        QCOMPARE(TestSupport::readFile(fontFile(QStringLiteral("Font_V1"))), FontFile::toBytes(edited));
    }

    void exportAsksThenWritesTheEdit()
    {
        auto editor = openEditor();
        toggleDot(*editor, 0, 0);
        toggleDot(*editor, 4, 7);
        click(*editor, "exportButton");
        const QString out = core().dirs().outDir() + u"fonts.out";
        QCOMPARE(m_boxes.texts(), QStringList({Lang::text(Txt::FontEditorSaveChangesQuestion).arg(u"Font_V1"),
                                               Lang::text(Txt::FontEditorExported) + u'\n' + out}));
        const QList<QByteArray> lines = TestSupport::readFile(out).split('\n');
        QCOMPARE(lines[1], QByteArray("czcionka: Font_V1\r"));
        QVERIFY(lines[4].startsWith("H800040800000000" "1"));
        QVERIFY(QFileInfo::exists(core().dirs().outDir() + u"fonts.h"));
    }

    void emptyFolderIsHarmless()
    {
        const QString empty = m_app->path(QStringLiteral("empty"));
        QVERIFY(QDir().mkpath(empty));
        core().settings().setFontDir(empty);
        auto editor = openEditor();
        QCOMPARE(child<QListWidget>(*editor, "fontList")->count(), 0);
        click(*editor, "saveButton");
        click(*editor, "deleteFont");
        click(*editor, "exportButton");
        QCOMPARE(m_boxes.texts(), QStringList({Lang::text(Txt::FontEditorNothingToSave),
                                               Lang::text(Txt::FontExportNoFonts)}));
        QVERIFY(!QFileInfo::exists(core().dirs().outDir() + u"fonts.out"));
        click(*editor, "okButton");
        QVERIFY(!editor->isVisible());
        QVERIFY(QDir(empty).isEmpty());
    }

    void deleteFont_data()
    {
        QTest::addColumn<bool>("goneMeanwhile");
        QTest::newRow("deleted") << false;
        QTest::newRow("deleted meanwhile") << true;
    }

    void deleteFont()
    {
        QFETCH(bool, goneMeanwhile);
        auto editor = openEditor();
        toggleDot(*editor, 1, 1);
        if (goneMeanwhile)
            QVERIFY(QFile::remove(fontFile(QStringLiteral("Font_V1"))));
        click(*editor, "deleteFont");
        const QString answer = goneMeanwhile ? Lang::text(Txt::FontEditorDeleteFailed) : Lang::text(Txt::FontEditorDeleted);
        QCOMPARE(m_boxes.texts(), QStringList({Lang::text(Txt::FontEditorDeleteQuestion) + u" Font_V1 ?", answer}));
        QCOMPARE(editor->fontName(), QStringLiteral("Font_V2")); // the list's first entry now
        QCOMPARE(child<QListWidget>(*editor, "fontList")->count(), 1);
        QVERIFY(!editor->isModified());

        // the next start brings the shipped font back and leaves the others as they are
        const QByteArray v2 = TestSupport::readFile(fontFile(QStringLiteral("Font_V2")));
        QVERIFY(TestSupport::writeFile(fontFile(QStringLiteral("Font_V2")), v2 + "# edited\r\n"));
        core().loadBoardFonts();
        QVERIFY(QFileInfo::exists(fontFile(QStringLiteral("Font_V1"))));
        QCOMPARE(TestSupport::readFile(fontFile(QStringLiteral("Font_V2"))), v2 + "# edited\r\n");
    }

    void badFontFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("loads");
        const QByteArray line = "0x00\t|\t0x01\t0x02\t0x03\t0x04\t0x05\t#";
        QTest::newRow("100 glyph lines") << QByteArray(line + "\r\n").repeated(100) << false;
        QTest::newRow("300 glyph lines") << QByteArray(line + "\r\n").repeated(300) << true;
        QTest::newRow("2000-character comment") << QByteArray(line + QByteArray(2000, 'c') + "\r\n").repeated(256) << true;
        QByteArray binary(4096, '\0');
        for (int i = 0; i < binary.size(); ++i)
            binary[i] = char(i * 37 + 11);
        QTest::newRow("binary") << binary << false;
    }

    void badFontFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, loads);
        QVERIFY(TestSupport::writeFile(fontFile(QStringLiteral("Bad")), bytes));
        core().settings().setLastFont(QStringLiteral("Bad.fnt"));
        auto editor = openEditor();
        QCOMPARE(editor->fontName(), QStringLiteral("Bad"));
        QCOMPARE(m_boxes.texts(), loads ? QStringList() : QStringList{Lang::text(Txt::FontExportMissing) + u" Bad"});
        QVERIFY(child<QLineEdit>(*editor, "commentEdit")->text().size() <= Glyph::kMaxCommentLength);
        click(*editor, "okButton"); // nothing was edited: the file stays as it is
        QCOMPARE(TestSupport::readFile(fontFile(QStringLiteral("Bad"))), bytes);
    }

    void addFont_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("refusal");
        QTest::newRow("same name but case") << u"font_v1"_qs << int(Txt::FontNameExists);
        QTest::newRow("not Latin-1") << u"Czcionka ł"_qs << int(Txt::FontNameNotLatin1);
        QTest::newRow("control character") << u"a\tb"_qs << int(Txt::FontNameNotLatin1);
        QTest::newRow("slash") << u"../x"_qs << int(Txt::FontNameForbidden);
        QTest::newRow("empty") << u""_qs << int(Txt::FontNameEmpty);
        QTest::newRow("33 characters") << QString(33, u'x') << int(Txt::FontNameTooLong);
        QTest::newRow("accepted") << u"Moja"_qs << 0;
        QTest::newRow("accepted Latin-1") << u"Schrift für Köln"_qs << 0;
    }

    void addFont()
    {
        QFETCH(QString, name);
        QFETCH(int, refusal);
        auto editor = openEditor();
        toggleDot(*editor, 3, 3);
        const BoardFont edited = editor->boardFont();
        bool refused = false;
        whenShown<NameDialog>([&](NameDialog *dialog) {
            dialog->edit()->setText(name);
            dialog->accept();
            refused = dialog->isVisible();
            if (refused)
                dialog->reject();
        });
        click(*editor, "addFont");
        const QStringList files = QDir(core().fontDir()).entryList(QDir::Files, QDir::Name);
        if (refusal) {
            QVERIFY(refused);
            QCOMPARE(m_boxes.requests.size(), 1);
            QVERIFY(m_boxes.first().text.startsWith(Lang::text(refusal)));
            QCOMPARE(files, QStringList({u"Font_V1.fnt"_qs, u"Font_V2.fnt"_qs}));
            QVERIFY(editor->isModified());
            return;
        }
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(editor->fontName(), name);
        QCOMPARE(child<QListWidget>(*editor, "fontList")->currentItem()->text(), name);
        QVERIFY(!editor->isModified());
        QCOMPARE(TestSupport::readFile(fontFile(name)), FontFile::toBytes(edited));
    }

    void boardLetters_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("character");
        QTest::newRow("Cyrillic Zhe") << u"Font_V2"_qs << u"C6"_qs << u"Ж"_qs;
        QTest::newRow("line feed") << u"Font_V2"_qs << u"A"_qs << u""_qs;
        QTest::newRow("delete") << u"Font_V1"_qs << u"7F"_qs << u""_qs;
        QTest::newRow("Latin A") << u"Font_V1"_qs << u"41"_qs << u"A"_qs;
    }

    void boardLetters()
    {
        QFETCH(QString, font);
        QFETCH(QString, hex);
        QFETCH(QString, character);
        auto editor = openEditor();
        selectFont(*editor, font);
        type(*editor, "hexEdit", hex);
        QCOMPARE(child<QLabel>(*editor, "characterLabel")->text(), Lang::text(Txt::FontEditorCharacter).arg(character));
    }

    void savedBoardFontReachesAnOpenMatrix()
    {
        LedMatrix matrix;
        matrix.setBoardFont(core().boardFont(0), {});
        matrix.setText(QStringLiteral("A"));
        const std::array<quint8, 5> before = matrix.cellColumns(0);
        QVERIFY((before != std::array<quint8, 5>{}));
        auto editor = openEditor();
        type(*editor, "hexEdit", QStringLiteral("41"));
        toggleDot(*editor, 2, 7);
        QCOMPARE(matrix.cellColumns(0), before);
        click(*editor, "saveButton");
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(matrix.cellColumns(0) != before);
        QCOMPARE(matrix.cellColumns(0), editor->boardFont().glyphs[0x41].columns);
    }

    void chart()
    {
        BoardFont font;
        QVERIFY(FontFile::load(fontFile(QStringLiteral("Font_V1")), font));
        const QImage image = FontChart::render(font, CharsetMode::Latin);
        const QPoint cell(1 * FontChart::kCellSize, 4 * FontChart::kCellSize); // 0x41
        for (int i = 0; i < Glyph::kColumns; ++i) {
            for (int j = 0; j < Glyph::kRows; ++j) {
                const QPoint dot = cell + FontChart::kDotsOrigin + QPoint(7 * i + 3, 7 * j + 3);
                QCOMPARE(image.pixelColor(dot) == Qt::black, font.glyphs[0x41].dot(i, j));
            }
        }

        QString opened;
        Shell::setOpener([&](const QString &path) { opened = path; return true; });
        auto editor = openEditor();
        click(*editor, "chartButton");
        const QString path = core().dirs().outDir() + u"table.bmp";
        QCOMPARE(opened, path);
        QCOMPARE(QImage(path).size(), QSize(1024, 1024));

        // an "Out" that cannot hold files: the error names the path, nothing is opened
        opened.clear();
        QVERIFY(QDir(core().dirs().outDir()).removeRecursively());
        QVERIFY(TestSupport::writeFile(core().dirs().outDir().chopped(1), "not a folder"));
        click(*editor, "chartButton");
        Shell::setOpener({});
        QVERIFY(opened.isEmpty());
        QCOMPARE(m_boxes.requests.size(), 1);
        QVERIFY(m_boxes.first().text.contains(path));
    }
};

LUMIVOX_TEST_MAIN_GUI(TestFontEditor)
#include "tst_fonteditor.moc"
