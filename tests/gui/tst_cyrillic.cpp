// SPDX-License-Identifier: GPL-3.0-or-later
// The Russian interface end to end: a Cyrillic song typed, saved, reopened and shown in Font_V2,
// packed, written to a card, timed and listed in the reports; the charset stays the song's own
// under either interface language.
#include "core/app/language.h"
#include "core/library/songlibrary.h"
#include "core/model/charsetmode.h"
#include "core/model/songfile.h"
#include "core/music/timingsession.h"
#include "core/report/report.h"
#include "gui/card/cardwizard.h"
#include "gui/editor/ledmatrix.h"
#include "gui/editor/songeditorpage.h"
#include "gui/editor/titleedit.h"
#include "gui/library/librarypanel.h"
#include "gui/widgets/targetgroupdialog.h"
#include "gui/main/mainwindow.h"
#include "librarytestsupport.h"
#include "testappcore.h"

#include <QBuffer>
#include <QComboBox>
#include <QStackedWidget>
#include <QTest>

using namespace LibraryTest;
using TestSupport::readFile;
using TestSupport::treeOf;
using TestSupport::writeFile;

class TestCyrillic : public PanelTest
{
    Q_OBJECT

    QString m_card;

    SongEditorPage *page() const { return m_frame->editorPage(); }

    // Key events that carry the text itself: QTest::keyClicks passes characters through Latin-1.
    static void typeText(QWidget *widget, const QString &text)
    {
        for (QChar c : text) {
            if (c == u'\n')
                QTest::keyClick(widget, Qt::Key_Return);
            else
                QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    void start(const QString &language)
    {
        setUpPanelTests();
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), language), Lang::LoadResult::Loaded);
        m_app->core().settings().setLastLanguage(language);
        m_app->core().loadBoardFonts();
        setCurrentCharsetMode(CharsetMode(m_app->core().settings().charset()));
        m_card = m_cards.next();
        QDir().mkpath(m_card + u"Пасха"_qs);
        openPanel(m_card);
        m_frame->pages()->setCurrentWidget(page());
        m_frame->show();
    }
    const BoardFont *font(CharsetMode charset) const { return m_app->core().boardFont(int(charset)); }

    // lumivox-cli packs the card, unpacks it and packs the copy to the same bytes; names are UTF-16LE.
    void packedTwice(const QString &card)
    {
        const QString cli = TestSupport::buildDir() + u"/bin/lumivox-cli";
        const QString first = m_cards.path(u"first.lvp"_qs), second = m_cards.path(u"second.lvp"_qs);
        const QString copy = m_cards.path(u"unpacked"_qs);
        for (const QStringList &args :
             {QStringList{u"pack"_qs, card, first}, {u"unpack"_qs, first, copy}, {u"pack"_qs, copy, second}}) {
            const TestSupport::ProcessRun run = TestSupport::runProcess(cli, args);
            QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        }
        const QByteArray packed = readFile(first);
        QCOMPARE(readFile(second), packed);
        for (const QString &name : {u"Пасха"_qs, u"0001 Ёлка.txt"_qs}) {
            const QByteArray utf16le(reinterpret_cast<const char *>(name.utf16()), name.size() * 2);
            QVERIFY2(packed.contains(utf16le), qPrintable(name));
        }
        QCOMPARE(treeOf(copy, true), treeOf(card, true));
    }

    // The card wizard writes the image with the Cyrillic folder and file names to a folder card.
    void writtenByTheWizard(const QString &image)
    {
        const QString card = m_cards.next();
        auto drives = std::make_shared<FakeDriveProvider>();
        drives->setDrives({cardEntry(card)});
        CardWizard wizard(image, m_cards.path(u"backups"_qs), drives, nullptr);
        seamed(&wizard);
        wizard.setSources({{LibrarySource::Kind::Project, u"a.lvp"_qs, image, false, false}}, 0);
        wizard.setTargetRoot(cardEntry(card).rootPath);
        wizard.show();
        wizard.next(); // to the options
        wizard.next(); // to the plan
        wizard.next(); // written and read back
        QCOMPARE(wizard.step(), 2);
        QCOMPARE(treeOf(card, true), treeOf(image, true));
    }

    // Times recorded against the music are saved with the song, whose letters stay as they were.
    void timedAndSaved(const QString &path)
    {
        Song song;
        QVERIFY(SongFile::load(path, song));
        TimingSession session(song);
        session.changeMode(TimingSession::Mode::Play);
        session.tick(1500);
        QCOMPARE(session.record(), TimingSession::RecordResult::Recorded);
        QVERIFY(session.applyTo(song));
        QVERIFY(SongFile::save(path, song));
        Song back;
        QVERIFY(SongFile::load(path, back));
        QVERIFY(back.hasTimings());
        QCOMPARE(back.screenTime(0, 0), 15);
        QCOMPARE(back.charset(), CharsetMode::Cyrillic);
        QVERIFY(readFile(path).contains("\xC0\xC1\xC2\xC6\xDD\xDE\xDF\xE0\xE1\xE2\xE6\xFD\xFE\xFF"));
    }

    // The three reports write "Ё" as \u1025? and sort by code unit: Latin, then "Ёлка", then "Азбука".
    void listedInTheReports(const QString &card)
    {
        QVERIFY(writeFile(card + u"Пасха/0002 Азбука.txt"_qs, "#n 1\r\n#k 1,\r\n#z\r\n#e\r\n\xC0\r\n"));
        QVERIFY(writeFile(card + u"Пасха/0003 Amen.txt"_qs, "#n 0\r\n#k 1,\r\n#z\r\n#e\r\nA\r\n"));
        SongLibrary library;
        library.setRoot(card);
        library.scanLibrary(ScanFlag::Songs | ScanFlag::CheckNumbers, {}, ScanOptions::readOnly(CharsetMode::Cyrillic));
        const QByteArray yolka = "\\u1025?\\u1083?\\u1082?\\u1072?", azbuka = "\\u1040?\\u1079?";
        for (ReportKind kind : {ReportKind::Songbook, ReportKind::NumberIndex, ReportKind::Alphabetical}) {
            QBuffer rtf;
            rtf.open(QIODevice::WriteOnly);
            QVERIFY(Report::write(rtf, kind, library, Lang::text(Report::titleTextId(kind))));
            const QByteArray text = rtf.data();
            QVERIFY2(text.contains(yolka) && text.contains(azbuka) && text.contains("Amen"),
                     qPrintable(QString::number(int(kind))));
            if (kind == ReportKind::Alphabetical)
                QVERIFY(text.indexOf("Amen") < text.indexOf(yolka) && text.indexOf(yolka) < text.indexOf(azbuka));
        }
    }

private slots:
    void cleanup()
    {
        m_frame.reset();
        setCurrentCharsetMode(CharsetMode::Latin);
    }

    void typedSongSavedAndReopened()
    {
        start(u"Русский"_qs);
        QCOMPARE(m_app->core().settings().charset(), 1);
        QCOMPARE(page()->song().charset(), CharsetMode::Cyrillic);
        typeText(page()->matrix(), u"Ёлка ёж №1\nАБВЖЭЮЯабвжэюя\nя в начале строки\nҐґ Єє Її"_qs);
        typeText(page()->titleEdit(), u"Ёлка"_qs);
        whenShown<TargetGroupDialog>([](TargetGroupDialog *dialog) {
            dialog->groupList()->setCurrentIndex(dialog->groupList()->findText(u"Пасха"_qs));
            dialog->accept();
        });
        QVERIFY(page()->save());
        const QString path = m_card + u"Пасха/0001 Ёлка.txt"_qs;
        QCOMPARE(page()->song().path(), path);

        const QByteArray bytes = readFile(path);
        QVERIFY(bytes.startsWith("#n 1\r\n"));
        for (const char *line : {"\xA8\xEB\xEA\xE0 \xB8\xE6 \xB9"
                                 "1",
                                 "\xC0\xC1\xC2\xC6\xDD\xDE\xDF\xE0\xE1\xE2\xE6\xFD\xFE\xFF",
                                 "\xFF \xE2 \xED\xE0\xF7\xE0\xEB\xE5", "\xA5\xB4 \xAA\xBA \xAF\xBF"})
            QVERIFY2(bytes.contains(line), line);

        QVERIFY(page()->openSong(path));
        QCOMPARE(page()->titleEdit()->text(), u"Ёлка"_qs);
        QCOMPARE(page()->matrix()->text().mid(20, 14), u"АБВЖЭЮЯабвжэюя"_qs);
        QCOMPARE(page()->matrix()->text().left(1), u"Ё"_qs);
        const BoardFont *v2 = font(CharsetMode::Cyrillic);
        QVERIFY(v2 && v2->name == u"Font_V2");
        QVERIFY(!v2->glyphs[0xC6].isBlank());
        QCOMPARE(page()->matrix()->cellColumns(23), v2->glyphs[0xC6].columns); // Ж

        packedTwice(m_card);
        writtenByTheWizard(m_card);
        timedAndSaved(path);
        listedInTheReports(m_card);
    }

    // The charset is the song's: a Latin song under the Russian interface and a Cyrillic one under
    // the Polish interface keep their "#n" line and board font through a save.
    void charsetIsTheSongs_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("mark");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("Latin song, Russian interface")
            << u"Русский"_qs << QByteArray("#n 0") << QByteArray("\xA5\xB9\xE4");
        QTest::newRow("Cyrillic song, Polish interface")
            << u"Polski"_qs << QByteArray("#n 1") << QByteArray("\xC6\xA8\xB9");
    }
    void charsetIsTheSongs()
    {
        QFETCH(QString, language);
        QFETCH(QByteArray, mark);
        QFETCH(QByteArray, line);
        start(language);
        const QString path = m_card + u"Пасха/0007 Song.txt"_qs;
        QVERIFY(writeFile(path, mark + "\r\n#k 1,\r\n#z\r\n#e\r\n" + line.leftJustified(20, ' ') + "\r\n"));
        QVERIFY(page()->openSong(path));
        const CharsetMode charset = mark.endsWith('1') ? CharsetMode::Cyrillic : CharsetMode::Latin;
        QCOMPARE(page()->song().charset(), charset);
        QCOMPARE(page()->matrix()->cellColumns(0), font(charset)->glyphs[quint8(line[0])].columns);
        typeText(page()->matrix(), u"x"_qs);
        QVERIFY(page()->save());
        const QByteArray saved = readFile(path);
        QVERIFY(saved.startsWith(QByteArray(mark + "\r\n")));
        QVERIFY(saved.contains(QByteArray("x" + line)));
    }
};

LUMIVOX_TEST_MAIN_GUI(TestCyrillic)
#include "tst_cyrillic.moc"
