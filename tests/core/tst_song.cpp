// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/song.h"
#include "tablerows.h"

namespace {

// A screen whose first line names it, e.g. "S1.2" for stanza 1, screen 2 (1-based).
QString tag(int stanza, int screen)
{
    return QStringLiteral("S%1.%2").arg(stanza).arg(screen);
}

QString firstLine(const QString &text)
{
    return text.left(kLineChars).trimmed();
}

// Stanzas of the given screen counts, each screen tagged; the cursor ends on (0, 0).
Song songWith(const QList<int> &screenCounts)
{
    Song song;
    for (int i = 0; i < screenCounts.size(); ++i) {
        song.appendStanza();
        for (int j = 0; j < screenCounts[i]; ++j) {
            song.addScreenAfterCurrent();
            song.setCurrentScreenText(tag(i + 1, j + 1));
            song.setCurrentScreenTime(10 * (i + 1) + j + 1);
        }
    }
    song.setCursor(0, 0);
    return song;
}

// Stanza 1 of 3 screens, the refrain of 2 at position 2, stanza 3 of 3; sung 1, r, 3, r.
Song refrainSong()
{
    Song song = songWith({3, 2, 3});
    song.setRefrainIndex(2);
    song.setSequence({1, RefrainMarker, 3, RefrainMarker});
    return song;
}

// The screens' first lines stanza by stanza ("-" for a blank screen), and the cursor.
QString layout(const Song &song)
{
    QStringList stanzas;
    for (int i = 0; i < song.stanzaCount(); ++i) {
        QStringList screens;
        for (int j = 0; j < song.screenCount(i); ++j)
            screens << (song.isScreenBlank(i, j) ? u"-"_qs : firstLine(song.screenText(i, j)));
        stanzas << screens.join(u' ');
    }
    return stanzas.join(u" | ") + QStringLiteral(" @%1.%2").arg(song.currentStanza()).arg(song.currentScreen());
}

} // namespace

class TestSong : public QObject
{
    Q_OBJECT

private slots:
    // Screen index in the performance: its first line, stanza.screen, sequence position, time.
    void performanceOrder_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        for (const QStringList &row : TestSupport::tableRows(u"song/performanceorder.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1].toInt() << row[2];
    }
    void performanceOrder()
    {
        QFETCH(int, index);
        const Song song = refrainSong();
        QCOMPARE(song.performanceScreenCount(), 10);
        const SongPosition at = song.performancePosition(index);
        const QString position = at.stanza < 0 ? u"-1"_qs : QStringLiteral("%1.%2").arg(at.stanza).arg(at.screen);
        QTEST(QStringLiteral("%1 %2 %3 %4")
                  .arg(firstLine(song.performanceScreenText(index)), position)
                  .arg(song.performanceSequencePosition(index))
                  .arg(song.performanceScreenTime(index)),
              "expected");
        // The one-walk list agrees with the lookup of each index.
        if (at.stanza >= 0)
            QCOMPARE(song.performancePositions().at(index), at);
        QCOMPARE(song.performancePositions().size(), 10);
    }

    void screensBeforeSequencePosition()
    {
        const Song song = refrainSong();
        QList<int> before;
        for (int p = 0; p < 6; ++p)
            before << song.screensBeforeSequencePosition(p);
        QCOMPARE(before, QList<int>({0, 3, 5, 8, 10, 10}));

        Song empty = refrainSong();
        empty.setSequence({});
        QCOMPARE(empty.performanceScreenCount(), 0);
        QCOMPARE(empty.performanceScreenText(0), QString());
        QCOMPARE(empty.performancePosition(0).stanza, -1);
    }

    void entriesNamingNoStanzaAreSkipped()
    {
        Song song = songWith({2, 1});
        // 0 and 3 lie outside 1..2, -7 too; the refrain marker names nothing without a refrain.
        song.setSequence({0, 2, 3, RefrainMarker, -7, 1});
        QCOMPARE(song.performanceScreenCount(), 3);
        QCOMPARE(firstLine(song.performanceScreenText(0)), tag(2, 1));
        QCOMPARE(firstLine(song.performanceScreenText(1)), tag(1, 1));
        QCOMPARE(song.performanceSequencePosition(1), 5);
        QCOMPARE(song.stanzaOfEntry(RefrainMarker), -1);
        song.setRefrainIndex(5); // out of range as well
        QCOMPARE(song.stanzaOfEntry(RefrainMarker), -1);
        QCOMPARE(song.performanceScreenCount(), 3);
    }

    // Any text becomes one screen: padded, or cut at 200 characters.
    void setterNormalisesToOneScreen()
    {
        for (int length : {0, 150, 200, 230}) {
            Song song = songWith({1});
            QString text;
            for (int i = 0; i < length; ++i)
                text += QChar(u'a' + i % 26);
            song.setScreenText(0, 0, text);
            QCOMPARE(song.screenText(0, 0), text.left(kScreenChars).leftJustified(kScreenChars, u' '));
            QCOMPARE(song.lineText(0, 0, 1), song.screenText(0, 0).mid(20, 20));
            QCOMPARE(song.isScreenBlank(0, 0), length == 0);
        }
    }

    void defaultSequences()
    {
        Song song = songWith({1, 1, 1, 1});
        song.setRefrainIndex(2);
        song.setDefaultSequence();
        QCOMPARE(song.sequence(), (QList<int>{1, 3, 4}));
        song.setAlternatingSequence();
        QCOMPARE(song.sequence(), (QList<int>{1, RefrainMarker, 3, RefrainMarker, 4, RefrainMarker}));
        QVERIFY(song.sequenceHasRefrain());

        song.removeRefrain();
        QCOMPARE(song.refrainIndex(), 0);
        QCOMPARE(song.sequence(), (QList<int>{1, 2, 3, 4}));
        song.setAlternatingSequence();
        QCOMPARE(song.sequence(), (QList<int>{1, 2, 3, 4}));

        song.selectScreen(3, 0);
        song.makeCurrentStanzaRefrain();
        QVERIFY(song.isCurrentStanzaRefrain());
        QCOMPARE(song.refrainIndex(), 4);
        QCOMPARE(song.sequence(), (QList<int>{1, RefrainMarker, 2, RefrainMarker, 3, RefrainMarker}));
    }

    void insertAndDeleteStanzasAndScreens()
    {
        Song song = songWith({1, 1});
        QCOMPARE(song.insertStanzaAfterCurrent(), 1); // in the middle
        QCOMPARE(layout(song), u"S1.1 | - | S2.1 @1.0"_qs);
        song.selectScreen(2, 0);
        QCOMPARE(song.insertStanzaAfterCurrent(), 3); // at the end
        QCOMPARE(layout(song), u"S1.1 | - | S2.1 | - @3.0"_qs);

        song = songWith({3});
        song.addScreenAfterCurrent(); // after the first
        song.selectScreen(0, 3);
        song.addScreenAfterCurrent(); // after the last
        QCOMPARE(layout(song), u"S1.1 - S1.2 S1.3 - @0.4"_qs);
        song.selectScreen(0, 1);
        song.deleteCurrentScreen();
        QCOMPARE(layout(song), u"S1.1 S1.2 S1.3 - @0.0"_qs);
        song.deleteCurrentScreen(); // at 0 the cursor stays
        QCOMPARE(layout(song), u"S1.2 S1.3 - @0.0"_qs);
        song.copyScreenText(0, 0, 1);
        QCOMPARE(layout(song), u"S1.2 S1.2 - @0.0"_qs);

        // Deleting a stanza leaves the refrain and the sequence to the caller.
        song = refrainSong();
        song.selectScreen(2, 1);
        song.deleteCurrentStanza();
        QCOMPARE(layout(song), u"S1.1 S1.2 S1.3 | S2.1 S2.2 @1.0"_qs);
        QCOMPARE(song.refrainIndex(), 2);
        QCOMPARE(song.sequence(), (QList<int>{1, RefrainMarker, 3, RefrainMarker}));
        QCOMPARE(song.performanceScreenCount(), 7); // entry 3 now names nothing
    }

    void cursorMoves()
    {
        Song song = songWith({2, 3, 1});
        QVERIFY(!song.hasPreviousStanza());
        QVERIFY(!song.nextScreen()); // now on the last screen of stanza 1
        QVERIFY(!song.nextScreen());
        QVERIFY(layout(song).endsWith(u" @0.1"));
        QVERIFY(song.nextStanza());
        QCOMPARE(song.currentScreen(), 0);
        QVERIFY(!song.nextStanza());
        QVERIFY(!song.nextStanza());
        QCOMPARE(song.currentStanza(), 2);
        QVERIFY(song.previousStanza());
        QVERIFY(!song.previousStanza());
        QCOMPARE(song.currentStanza(), 0);
        QCOMPARE(song.selectScreen(1, 2).trimmed(), tag(2, 3));
        QVERIFY(song.selectScreen(1, 3).isNull()); // no such screen: cursor stays
        QCOMPARE(song.currentScreen(), 2);
        QVERIFY(song.previousScreen());
        QVERIFY(!song.previousScreen());

        Song emptied = songWith({1});
        emptied.deleteCurrentScreen(); // stanza 0 now empty, cursor (0, 0) addresses nothing
        QCOMPARE(emptied.currentScreenText(), QString());
        QCOMPARE(emptied.currentScreenTime(), 0);
    }

    void sameContentComparesTimesOnlyWithTheFlag()
    {
        Song a = songWith({2});
        Song b = a;
        b.setScreenTime(0, 1, 99);
        QVERIFY(a.sameContent(b));
        a.setHasTimings(true);
        b.setHasTimings(true);
        QVERIFY(!a.sameContent(b));
        b.setScreenTime(0, 1, a.screenTime(0, 1));
        QVERIFY(a.sameContent(b));
        b.setScreenText(0, 0, QStringLiteral("x"));
        QVERIFY(!a.sameContent(b));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestSong)
#include "tst_song.moc"
