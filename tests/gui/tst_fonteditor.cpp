// SPDX-License-Identifier: GPL-3.0-or-later
// The font editor on a seeded font folder: its fields, edits that must not be lost, new font
// names, the board's letters, a saved board font reaching an open matrix, the export into a
// chosen folder, font files that do not load whole, and the chart.
#include "core/app/language.h"
#include "core/filesizelimit.h"
#include "gui/app/messageboxes.h"
#include "gui/app/shell.h"
#include "gui/editor/ledmatrix.h"
#include "gui/font/fontchart.h"
#include "gui/font/fonteditor.h"
#include "gui/widgets/namedialog.h"
#include "gui/widgets/glyphcell.h"
#include "librarytestsupport.h"
#include "testappcore.h"
#include "tablerows.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace LibraryTest;

class TestFontEditor : public PanelTest
{
    Q_OBJECT

    const QString V1 = QStringLiteral("Font_V1");
    const QString V2 = QStringLiteral("Font_V2");
    std::unique_ptr<FontEditor> m_editor;
    UiSeams *m_editorSeams = nullptr; // the editor's copy of m_seams

    AppCore &core() { return m_app->core(); }
    QString fontFile(const QString &name) { return core().fontDir() + name + u".fnt"; }
    QByteArray fileBytes(const QString &name) { return TestSupport::readFile(fontFile(name)); }

    FontEditor &open()
    {
        m_editor = std::make_unique<FontEditor>(core(), host());
        m_editorSeams = &seamed(m_editor.get());
        m_editor->show();
        return *m_editor;
    }
    template <typename W>
    W *child(const QString &name)
    {
        W *widget = m_editor->findChild<W *>(name);
        Q_ASSERT(widget);
        return widget;
    }
    void click(const QString &button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    void toggleDot(int column, int row)
    {
        const QPoint centre(column * GlyphCell::kPitch + 14, row * GlyphCell::kPitch + 14);
        QTest::mouseClick(child<GlyphCell>(u"glyphCell"_qs), Qt::LeftButton, {}, centre);
    }
    void type(const QString &field, const QString &text)
    {
        auto *edit = child<QLineEdit>(field);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    void selectFont(const QString &name)
    {
        auto *list = child<QListWidget>(u"fontList"_qs);
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
    }
    QString question(const QString &font) { return Lang::text(Txt::FontEditorSaveChangesQuestion).arg(font); }

private slots:
    void init()
    {
        m_editor.reset();
        setUpPanelTests();
        core().loadBoardFonts();
        // The export's folder chooser takes the folder it proposes.
        m_seams.chooser = [](Shell::Choice, const QString &start) { return start; };
    }

    void fields_data()
    {
        for (const char *column : {"font", "field", "typed", "glyph", "shown", "character"})
            QTest::addColumn<QString>(column);
        for (const QStringList &row : TestSupport::tableRows(u"font/editorfields.tsv"_qs)) {
            QTestData &data = QTest::newRow(qPrintable(row[0]));
            for (const QString &field : row.mid(1))
                data << field;
        }
    }

    void fields()
    {
        QFETCH(QString, font);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, glyph);
        QFETCH(QString, shown);
        QFETCH(QString, character);
        open();
        selectFont(font);
        type(field, typed);
        QCOMPARE(QString::number(m_editor->glyphIndex()), glyph);
        QCOMPARE(child<QLineEdit>(field)->text(), shown);
        QCOMPARE(child<QLineEdit>(u"decimalEdit"_qs)->text(), glyph);
        QCOMPARE(child<QLabel>(u"characterLabel"_qs)->text(), Lang::text(Txt::FontEditorCharacter).arg(character));
        QVERIFY(!m_editor->isModified());
    }

    void dotsRowsAndKeys()
    {
        open();
        click(u"previousGlyph"_qs);
        QCOMPARE(m_editor->glyphIndex(), 0);
        type(u"decimalEdit"_qs, u"255"_qs);
        click(u"nextGlyph"_qs);
        QCOMPARE(m_editor->glyphIndex(), 255);

        type(u"hexEdit"_qs, u"0"_qs);
        const Glyph &glyph = m_editor->boardFont().glyphs[0];
        toggleDot(0, 0); // top left: bit 7 of K1, shown last
        QCOMPARE(glyph.k(1), 0x80);
        QVERIFY(child<QLabel>(u"columnsLabel"_qs)->text().endsWith(u"0x80"));
        QVERIFY(m_editor->isModified());
        click(u"rowUp"_qs);
        QCOMPARE(glyph.k(1), 0); // the top dot is lost
        toggleDot(4, 7);
        QCOMPARE(glyph.k(5), 0x01);
        click(u"rowDown"_qs);
        QCOMPARE(glyph.k(5), 0); // the bottom dot is lost
        QCOMPARE(child<GlyphCell>(u"glyphCell"_qs)->columns(), glyph.columns);

        QTest::keyClick(m_editor.get(), Qt::Key_Escape);
        QTest::keyClick(child<QLineEdit>(u"commentEdit"_qs), Qt::Key_Escape);
        QVERIFY(m_editor->isVisible());
        QVERIFY(m_boxes.isEmpty());
    }

    void switchWithChanges_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("saveFails");
        QTest::newRow("yes saves") << QMessageBox::Yes << false;
        QTest::newRow("no discards") << QMessageBox::No << false;
        QTest::newRow("failed save keeps font and edits") << QMessageBox::Yes << true;
    }

    void switchWithChanges()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, saveFails);
        const QByteArray before = fileBytes(V1);
        QCOMPARE(open().fontName(), V1); // the first entry
        toggleDot(1, 1);
        const BoardFont edited = m_editor->boardFont();
        m_boxes.answer = answer;
        {
            FileSizeLimit limit(saveFails ? 64 : RLIM_INFINITY);
            selectFont(V2);
            if (saveFails)
                click(u"okButton"_qs);
        }
        QCOMPARE(m_boxes.texts().value(0), question(V1));
        QCOMPARE(fileBytes(V1), answer == QMessageBox::Yes && !saveFails ? FontFile::toBytes(edited) : before);
        if (!saveFails) {
            QCOMPARE(m_editor->fontName(), V2);
            QCOMPARE(m_app->store().value(u"Ustawienia programu/Last Font"_qs).toString(), u"Font_V2.fnt");
            return;
        }
        // 211 for the switch and for "Ok"; the editor stays open on the edited font
        QCOMPARE(m_boxes.texts().size(), 3);
        QVERIFY(m_boxes.texts().last().startsWith(Lang::text(Txt::FontEditorSaveFailed)));
        QVERIFY(m_editor->isVisible());
        QCOMPARE(m_editor->fontName(), V1);
        QCOMPARE(child<QListWidget>(u"fontList"_qs)->currentItem()->text(), V1);
        QVERIFY(m_editor->isModified() && m_editor->boardFont() == edited);
        click(u"okButton"_qs);
        QCOMPARE(m_editor->result(), int(QDialog::Accepted));
        QCOMPARE(fileBytes(V1), FontFile::toBytes(edited));
    }

    void exportAsksThenWritesTheEdit()
    {
        open();
        toggleDot(0, 0);
        toggleDot(4, 7);
        const QString folder = m_app->path(u"druk"_qs);
        QString proposed, opened;
        m_editorSeams->chooser = [&](Shell::Choice, const QString &start) {
            return std::exchange(proposed, start), folder;
        };
        m_editorSeams->opener = [&](const QString &path) { return opened = path, true; };
        m_editorSeams->responder = [this](const MessageBoxes::Request &request) {
            m_boxes.requests << request;
            return request.buttons.testFlag(QMessageBox::Open) ? QMessageBox::Open : QMessageBox::Yes;
        };
        click(u"exportButton"_qs);
        const QString out = folder + u"/fonts.out";
        QCOMPARE(m_boxes.texts(), QStringList({question(V1), Lang::text(Txt::FontEditorExported) + u'\n' + out}));
        QCOMPARE(proposed, core().dirs().outDir());
        QCOMPARE(opened, folder); // "Otwórz folder"
        const QList<QByteArray> lines = TestSupport::readFile(out).split('\n');
        QCOMPARE(lines[1], QByteArray("czcionka: Font_V1\r"));
        QVERIFY(lines[4].startsWith("H800040"
                                    "80"
                                    "00"
                                    "00"
                                    "00"
                                    "01")); // K1..K5 of glyph 0
        QVERIFY(QFileInfo::exists(folder + u"/fonts.h"));
        QCOMPARE(core().settings().fontExportDir(), folder); // where the next export starts
    }

    void emptyFolderIsHarmless()
    {
        const QString empty = m_app->path(u"empty"_qs);
        QVERIFY(QDir().mkpath(empty));
        core().settings().setFontDir(empty);
        open();
        for (const QString &button : {u"saveButton"_qs, u"deleteFont"_qs, u"exportButton"_qs, u"okButton"_qs})
            click(button);
        QCOMPARE(m_boxes.texts(),
                 QStringList({Lang::text(Txt::FontEditorNothingToSave), Lang::text(Txt::FontExportNoFonts)}));
        QVERIFY(!m_editor->isVisible());
        QVERIFY(QDir(empty).isEmpty());
        QVERIFY(!QFileInfo::exists(core().dirs().outDir() + u"fonts.out"));
    }

    void deleteFont()
    {
        open();
        toggleDot(1, 1);
        click(u"deleteFont"_qs);
        QCOMPARE(m_boxes.texts(),
                 QStringList({Lang::text(Txt::FontEditorDeleteQuestion).arg(u"Font_V1"_qs),
                              Lang::text(Txt::FontEditorDeleted)}));
        QCOMPARE(m_editor->fontName(), V2);   // the list's first entry now
        QVERIFY(QFile::remove(fontFile(V2))); // deleted meanwhile
        click(u"deleteFont"_qs);
        QCOMPARE(m_boxes.texts().last(), Lang::text(Txt::FontEditorDeleteFailed));
        QCOMPARE(child<QListWidget>(u"fontList"_qs)->count(), 0);

        // the next start brings a missing shipped font back and keeps one the user changed
        QVERIFY(TestSupport::writeFile(fontFile(V2), "x"));
        core().loadBoardFonts();
        QVERIFY(QFileInfo::exists(fontFile(V1)));
        QCOMPARE(fileBytes(V2), QByteArray("x"));
    }

    // A file that is there but not whole is no missing file: the message says how many glyphs it has.
    void badFontFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("glyphs"); // -1: loads whole
        const QByteArray line = "0x00\t|\t0x01\t0x02\t0x03\t0x04\t0x05\t#";
        QTest::newRow("100 glyph lines") << QByteArray(line + "\r\n").repeated(100) << 100;
        QTest::newRow("300 glyph lines") << QByteArray(line + "\r\n").repeated(300) << -1;
        QTest::newRow("2000-character comment")
            << QByteArray(line + QByteArray(2000, 'c') + "\r\n").repeated(256) << -1;
        QTest::newRow("empty") << QByteArray() << 0;
        QByteArray binary(4096, '\0');
        for (int i = 0; i < binary.size(); ++i)
            binary[i] = char(i * 37 + 11);
        QTest::newRow("binary") << binary << 0;
    }

    void badFontFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, glyphs);
        const bool loads = glyphs < 0;
        QVERIFY(TestSupport::writeFile(fontFile(u"Bad"_qs), bytes));
        core().settings().setLastFont(u"Bad.fnt"_qs);
        QCOMPARE(open().fontName(), u"Bad");
        QCOMPARE(m_boxes.texts(),
                 loads ? QStringList() : QStringList{Lang::text(Txt::FontFileIncomplete).arg(u"Bad"_qs).arg(glyphs)});
        QVERIFY(child<QLineEdit>(u"commentEdit"_qs)->text().size() <= Glyph::kMaxCommentLength);
        // The export's one box names a font it could not take whole.
        click(u"exportButton"_qs);
        const QString done = Lang::text(Txt::FontEditorExported) + u'\n' + core().dirs().outDir() + u"fonts.out";
        const QString skipped = u"\n\n"_qs + Lang::text(Txt::FontExportSkippedFonts).arg(1) + u'\n';
        QVERIFY2(loads ? m_boxes.texts().last() == done
                       : m_boxes.texts().last().startsWith(done + skipped) && m_boxes.texts().last().contains(u"„Bad”"),
                 qPrintable(m_boxes.texts().last()));
        click(u"okButton"_qs); // nothing was edited: the file stays as it is
        QCOMPARE(fileBytes(u"Bad"_qs), bytes);
    }

    void addFont_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("refusal");
        for (const QStringList &row : TestSupport::tableRows(u"font/newnames.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1] << TestSupport::textIds(row[2]).first();
    }

    void addFont()
    {
        QFETCH(QString, name);
        QFETCH(int, refusal);
        open();
        toggleDot(3, 3);
        const BoardFont edited = m_editor->boardFont();
        bool refused = false;
        whenShown<NameDialog>([&](NameDialog *dialog) {
            dialog->edit()->setText(name);
            dialog->accept();
            refused = dialog->isVisible();
            if (refused)
                dialog->reject();
        });
        click(u"addFont"_qs);
        QCOMPARE(refused, refusal != 0);
        if (refusal) {
            QCOMPARE(m_boxes.requests.size(), 1);
            QVERIFY(m_boxes.first().text.startsWith(Lang::text(refusal)));
            QCOMPARE(QDir(core().fontDir()).entryList(QDir::Files).size(), 2);
            QVERIFY(m_editor->isModified());
            return;
        }
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(m_editor->fontName(), name);
        QCOMPARE(child<QListWidget>(u"fontList"_qs)->currentItem()->text(), name);
        QVERIFY(!m_editor->isModified());
        QCOMPARE(fileBytes(name), FontFile::toBytes(edited));
    }

    void savedBoardFontReachesAnOpenMatrix()
    {
        LedMatrix matrix;
        matrix.setBoardFont(core().boardFont(0), {});
        matrix.setText(u"A"_qs);
        const std::array<quint8, 5> before = matrix.cellColumns(0);
        open();
        type(u"hexEdit"_qs, u"41"_qs);
        toggleDot(2, 7);
        QCOMPARE(matrix.cellColumns(0), before);
        click(u"saveButton"_qs);
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(matrix.cellColumns(0) != before);
        QCOMPARE(matrix.cellColumns(0), m_editor->boardFont().glyphs[0x41].columns);
    }

    void chart()
    {
        BoardFont font;
        QVERIFY(FontFile::load(fontFile(V1), font));
        const QImage image = FontChart::render(font, CharsetMode::Latin);
        const QPoint cell(1 * FontChart::kCellSize, 4 * FontChart::kCellSize); // 0x41
        for (int i = 0; i < Glyph::kColumns; ++i) {
            for (int j = 0; j < Glyph::kRows; ++j) {
                const QPoint dot = cell + FontChart::kDotsOrigin + QPoint(7 * i + 3, 7 * j + 3);
                QCOMPARE(image.pixelColor(dot) == Qt::black, font.glyphs[0x41].dot(i, j));
            }
        }

        QString opened;
        m_seams.opener = [&](const QString &path) {
            opened = path;
            return true;
        };
        open();
        click(u"chartButton"_qs);
        const QString path = core().dirs().outDir() + u"table.bmp";
        QCOMPARE(opened, path);
        QCOMPARE(QImage(path).size(), QSize(1024, 1024));

        // an "Out" that cannot hold files: the error names the path, nothing is opened
        opened.clear();
        QVERIFY(QDir(core().dirs().outDir()).removeRecursively());
        QVERIFY(TestSupport::writeFile(core().dirs().outDir().chopped(1), "not a folder"));
        click(u"chartButton"_qs);
        QVERIFY(opened.isEmpty());
        QCOMPARE(m_boxes.requests.size(), 1);
        QVERIFY(m_boxes.first().text.contains(path));

        // no program opens it: a box names the file and offers its folder
        QVERIFY(QFile::remove(core().dirs().outDir().chopped(1)));
        m_boxes.clear();
        m_editorSeams->opener = [](const QString &) { return false; };
        click(u"chartButton"_qs);
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::FontChartNotOpened) + u'\n' + path});
    }
};

LUMIVOX_TEST_MAIN_GUI(TestFontEditor)
#include "tst_fonteditor.moc"
