// SPDX-License-Identifier: GPL-3.0-or-later
// Text import into a song (wrapping, pre-arrangement, placing) and the palette's letters.
#include "core/editor/paletteletters.h"
#include "core/editor/textimport.h"
#include "core/font/boardfont.h"
#include "core/model/boardcharset.h"
#include "core/model/songfile.h"
#include "tablerows.h"

using namespace TextImport;

namespace {

QStringList para(const QString &prefix, int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << prefix + QString::number(i);
    return lines;
}

// A new song: one stanza with one blank screen.
Song newSong()
{
    Song song;
    song.insertStanzaAfterCurrent();
    song.setDefaultSequence();
    return song;
}

QString centred(const QString &line)
{
    return BoardCharset::alignRow(line, BoardCharset::RowAlignment::Centre);
}

} // namespace

class TestTextImport : public QObject
{
    Q_OBJECT

private slots:
    void wrapping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        for (const QStringList &row : TestSupport::tableRows(u"textimport/wrapping.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << TestSupport::unescaped(row[1]) << row[2].split(u'|');
    }
    void wrapping()
    {
        QFETCH(QString, text);
        QTEST(wrapText(text), "lines");
    }

    void aLongLineWithoutBlanksKeepsEveryCharacter()
    {
        QString text;
        for (int i = 0; i < 10000; ++i)
            text += QChar(u'a' + i % 26);
        const QStringList lines = wrapText(text);
        QCOMPARE(lines.size(), 500);
        QCOMPARE(lines.join(QString()), text);
        // A blank typed at the end of a full line opens the next one.
        QCOMPARE(wrapParagraph(u"Lorem ipsum dolor am "), (QStringList{u"Lorem ipsum dolor am"_qs, QString()}));
    }

    void aMegabytePasteIsCountedWhole()
    {
        const QString text = u"Amen, alleluja\n"_qs.repeated(1000 * 1000 / 15);
        Song song = newSong();
        const Outcome outcome = importLines(song, arrangeLines(wrapText(text)), {});
        QCOMPARE(outcome.total, 1000 * 1000 / 15 / kBlockLines + 1);
        QCOMPARE(outcome.placed, kMaxStanzas);
    }

    void arrangement_data()
    {
        QTest::addColumn<QStringList>("input");
        QTest::addColumn<QStringList>("arranged");
        const QStringList pad3 = QStringList(7, QString());
        QTest::newRow("paragraphs of 3, 12 and 2 lines")
            << para(u"a"_qs, 3) + QStringList{QString()} + para(u"b"_qs, 12) + QStringList{QString()} + para(u"c"_qs, 2)
            << para(u"a"_qs, 3) + pad3 + para(u"b"_qs, 12) + QStringList(8, QString()) + para(u"c"_qs, 2);
        QTest::newRow("a numbered stanza at line 4 moves to the next block")
            << para(u"a"_qs, 3) + QStringList{u"2. Zwrotka"_qs, u"x"_qs}
            << para(u"a"_qs, 3) + pad3 + QStringList{u"2. Zwrotka"_qs, u"x"_qs};
        QTest::newRow("leading empty lines are dropped")
            << QStringList(30, QString()) + para(u"a"_qs, 2) << para(u"a"_qs, 2);
        QTest::newRow("an asterisk after the first character starts a line")
            << QStringList{u"Refren *Alleluja"_qs, u"*x*y"_qs}
            << QStringList{u"Refren "_qs, u"*Alleluja"_qs, u"*x"_qs, u"*y"_qs};
        QTest::newRow("empty lines only: one is left") << QStringList(5, QString()) << QStringList{QString()};
        QTest::newRow("a single digit is no stanza number")
            << para(u"a"_qs, 2) + QStringList{u"7"_qs} << para(u"a"_qs, 2) + QStringList{u"7"_qs};
    }
    void arrangement()
    {
        QFETCH(QStringList, input);
        QTEST(arrangeLines(input), "arranged");
    }

    void arrangementStopsAtTheLastBlockTheFlagsCover()
    {
        // Past line 2560 the text is left as it is.
        QStringList input;
        for (int i = 0; i < 3000; ++i)
            input << (i % 10 == 3 ? u"1x"_qs : u"a"_qs);
        const QStringList arranged = arrangeLines(input);
        QCOMPARE(arranged.mid(arranged.size() - 5), input.mid(input.size() - 5));
        QVERIFY(arranged.indexOf(u"1x"_qs, kMaxLines - kBlockLines) % kBlockLines == 0);
    }

    void blocksBecomeCentredStanzasAndScreens()
    {
        Song song = newSong();
        const QStringList lines = arrangeLines(para(u"a"_qs, 3) + QStringList{QString()} + para(u"b"_qs, 12)
                                               + QStringList{QString()} + para(u"c"_qs, 2));
        // The third block (b11, b12) continues the second.
        const Outcome outcome = importLines(song, lines, {false, false, true});
        QVERIFY(outcome.complete());
        QCOMPARE(outcome.placed, 4);
        QCOMPARE(song.stanzaCount(), 3); // the first block filled the blank screen
        QCOMPARE(song.screenCount(1), 2);
        QCOMPARE(song.lineText(0, 0, 2), centred(u"a3"_qs));
        QCOMPARE(song.lineText(0, 0, 3), QString(20, u' '));
        QCOMPARE(song.lineText(1, 1, 1), centred(u"b12"_qs));
        QCOMPARE(song.lineText(2, 0, 0), centred(u"c1"_qs));
        QCOMPARE(song.sequence(), (QList<int>{1, 2, 3}));
        QCOMPARE(song.currentStanza() + song.currentScreen(), 0);

        Song read;
        SongFile::fromBytes(SongFile::toBytes(song), read);
        QVERIFY(read.sameContent(song));
    }

    void importGoesAfterTheCurrentStanzaAndKeepsTheRefrain()
    {
        Song song = newSong();
        song.setScreenText(0, 0, u"one"_qs);
        song.insertStanzaAfterCurrent();
        song.setScreenText(1, 0, u"refrain"_qs);
        song.makeCurrentStanzaRefrain();
        song.setCursor(0, 0);
        const Outcome outcome = importLines(song, {u"new"_qs}, {});
        QCOMPARE(outcome.placed, 1);
        QCOMPARE(song.screenText(1, 0).trimmed(), u"new"_qs);
        QCOMPARE(song.refrainIndex(), 3);
        QCOMPARE(song.screenText(2, 0).trimmed(), u"refrain"_qs);
        QCOMPARE(song.sequence(), (QList<int>{1, 2}));
    }

    void aFullSongTakesWhatFitsAndSaysHowMuch()
    {
        Song song = newSong();
        song.setScreenText(0, 0, u"x"_qs);
        for (int i = 1; i < 31; ++i)
            song.setScreenText(song.insertStanzaAfterCurrent(), 0, u"x"_qs);
        const QStringList lines = para(u"a"_qs, 10) + para(u"b"_qs, 10) + para(u"c"_qs, 5);
        Outcome outcome = importLines(song, lines, {false, false, false});
        QCOMPARE(song.stanzaCount(), 32);
        QCOMPARE((QPair<int, int>(outcome.placed, outcome.total)), (QPair<int, int>(1, 3)));

        // Full: nothing goes in, the song stays as it was.
        const Song before = song;
        outcome = importLines(song, lines, {});
        QCOMPARE(outcome.placed, 0);
        QVERIFY(song.sameContent(before));
    }

    void continuationBlocksStopAtEightScreens()
    {
        Song song = newSong();
        QStringList lines;
        for (int b = 0; b < 10; ++b)
            lines += para(QString::number(b) + u'-', 10);
        const Outcome outcome = importLines(song, lines, QList<bool>{false} + QList<bool>(9, true));
        QCOMPARE(song.screenCount(0), 8);
        QCOMPARE((QPair<int, int>(outcome.placed, outcome.total)), (QPair<int, int>(8, 10)));
    }

    void lettersTheSongsCharsetCannotKeepAreNamed()
    {
        Song latin = newSong();
        QCOMPARE(importLines(latin, {u"Żyj, Święty Boże"_qs}, {}).foreign, QString());
        QCOMPARE(importLines(latin, {u"Слава Богу"_qs, u"Слава"_qs}, {}).foreign, u"СлавБогу"_qs);
        Song cyrillic = newSong();
        cyrillic.setCharset(CharsetMode::Cyrillic);
        QCOMPARE(importLines(cyrillic, {u"Слава, Amen ą"_qs}, {}).foreign, u"ą"_qs);
    }

    // Each palette letter has dots in the Latin board font and survives a song file in Latin mode.
    void paletteLetters_data()
    {
        QTest::addColumn<QChar>("letter");
        int count = 0;
        for (const PaletteGroup &group : paletteGroups()) {
            for (QChar c : group.letters)
                QTest::addRow("%s %d", qPrintable(group.name), count++) << c;
        }
        QCOMPARE(count, 115);
    }
    void paletteLetters()
    {
        QFETCH(QChar, letter);
        static BoardFont font;
        if (!font.hasDots())
            QVERIFY(FontFile::load(TestSupport::sourceDir() + u"/data/Font/Font_V1.fnt", font));
        const auto &columns = font.glyphs[BoardCharset::toBoardCode(letter.unicode())].columns;
        QVERIFY(std::any_of(columns.begin(), columns.end(), [](quint8 b) { return b != 0; }));

        Song song = newSong();
        song.setScreenText(0, 0, QString(letter));
        Song read;
        SongFile::fromBytes(SongFile::toBytes(song), read);
        QCOMPARE(read.screenText(0, 0).front(), letter);
    }
};

LUMIVOX_TEST_MAIN_CORE(TestTextImport)
#include "tst_textimport.moc"
