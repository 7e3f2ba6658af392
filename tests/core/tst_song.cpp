// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/song.h"
#include "testsupport.h"

#include <QtTest>

namespace {

// A screen whose first line names it, e.g. "S1.2" for stanza 1, screen 2 (1-based).
QString tag(int stanza, int screen) { return QStringLiteral("S%1.%2").arg(stanza).arg(screen); }

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

QString firstLine(const QString &text) { return text.left(kLineChars).trimmed(); }

} // namespace

class TestSong : public QObject
{
    Q_OBJECT

private slots:
    void performanceOrder_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stanza");
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("sequencePosition");
        QTest::addColumn<int>("time");
        QTest::newRow("first") << 0 << tag(1, 1) << 0 << 0 << 0 << 11;
        QTest::newRow("last of stanza 1") << 2 << tag(1, 3) << 0 << 2 << 0 << 13;
        QTest::newRow("refrain, first time") << 3 << tag(2, 1) << 1 << 0 << 1 << 21;
        QTest::newRow("stanza 3 after the refrain") << 5 << tag(3, 1) << 2 << 0 << 2 << 31;
        QTest::newRow("refrain, second time") << 8 << tag(2, 1) << 1 << 0 << 3 << 21;
        QTest::newRow("very last") << 9 << tag(2, 2) << 1 << 1 << 3 << 22;
        QTest::newRow("past the end") << 10 << QString() << -1 << 0 << -1 << 0;
        QTest::newRow("negative") << -1 << QString() << -1 << 0 << -1 << 0;
    }
    void performanceOrder()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(int, stanza);
        QFETCH(int, screen);
        QFETCH(int, sequencePosition);
        QFETCH(int, time);
        const Song song = refrainSong();
        QCOMPARE(song.performanceScreenCount(), 10);
        QCOMPARE(firstLine(song.performanceScreenText(index)), text);
        QCOMPARE(song.performancePosition(index).stanza, stanza);
        if (stanza >= 0)
            QCOMPARE(song.performancePosition(index).screen, screen);
        QCOMPARE(song.performanceSequencePosition(index), sequencePosition);
        QCOMPARE(song.performanceScreenTime(index), time);
        // The one-walk list agrees with the lookup of each index.
        if (stanza >= 0)
            QCOMPARE(song.performancePositions().at(index), song.performancePosition(index));
        QCOMPARE(song.performancePositions().size(), 10);
    }

    void screensBeforeSequencePosition()
    {
        const Song song = refrainSong();
        const QList<int> expected = {0, 3, 5, 8, 10, 10};
        for (int p = 0; p < expected.size(); ++p)
            QCOMPARE(song.screensBeforeSequencePosition(p), expected[p]);
    }

    void emptySequenceHasNoScreens()
    {
        Song song = refrainSong();
        song.setSequence({});
        QCOMPARE(song.performanceScreenCount(), 0);
        QCOMPARE(song.performanceScreenText(0), QString());
        QCOMPARE(song.performanceScreenTime(0), 0);
        QCOMPARE(song.performancePosition(0).stanza, -1);
        QCOMPARE(song.performanceSequencePosition(0), -1);
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

    void setterNormalisesToOneScreen_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("150 padded") << 150;
        QTest::newRow("200 kept") << 200;
        QTest::newRow("230 cut") << 230;
        QTest::newRow("empty") << 0;
    }
    void setterNormalisesToOneScreen()
    {
        QFETCH(int, length);
        Song song = songWith({1});
        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar(u'a' + i % 26);
        song.setScreenText(0, 0, text);
        const QString stored = song.screenText(0, 0);
        QCOMPARE(stored.size(), kScreenChars);
        QCOMPARE(stored.left(qMin(length, kScreenChars)), text.left(kScreenChars));
        QCOMPARE(stored.mid(length).count(u' '), qMax(0, kScreenChars - length));
        QCOMPARE(song.lineText(0, 0, 1), stored.mid(20, 20));
        QCOMPARE(song.isScreenBlank(0, 0), length == 0);
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

    void insertStanzaAfterCurrent()
    {
        Song song = songWith({1, 1});
        QCOMPARE(song.insertStanzaAfterCurrent(), 1); // in the middle
        QCOMPARE(song.stanzaCount(), 3);
        QCOMPARE(song.screenCount(1), 1);
        QVERIFY(song.isScreenBlank(1, 0));
        QCOMPARE(firstLine(song.screenText(2, 0)), tag(2, 1));
        song.selectScreen(2, 0);
        QCOMPARE(song.insertStanzaAfterCurrent(), 3); // at the end
        QCOMPARE(song.currentStanza(), 3);
        QCOMPARE(song.currentScreen(), 0);
    }

    void addAndDeleteScreens()
    {
        Song song = songWith({3});
        song.selectScreen(0, 0);
        song.addScreenAfterCurrent(); // inserted after the first
        QCOMPARE(song.currentScreen(), 1);
        QVERIFY(song.isScreenBlank(0, 1));
        QCOMPARE(firstLine(song.screenText(0, 2)), tag(1, 2));
        song.selectScreen(0, 3);
        song.addScreenAfterCurrent(); // appended after the last
        QCOMPARE(song.currentScreen(), 4);
        QCOMPARE(song.screenCount(0), 5);

        song.selectScreen(0, 1);
        song.deleteCurrentScreen();
        QCOMPARE(song.currentScreen(), 0);
        QCOMPARE(firstLine(song.screenText(0, 1)), tag(1, 2));
        song.deleteCurrentScreen(); // at 0 the cursor stays
        QCOMPARE(song.currentScreen(), 0);
        QCOMPARE(firstLine(song.currentScreenText()), tag(1, 2));

        song.copyScreenText(0, 0, 1);
        QCOMPARE(song.screenText(0, 1), song.screenText(0, 0));
    }

    void deleteStanzaLeavesRefrainAndSequenceToCaller()
    {
        Song song = refrainSong();
        song.selectScreen(2, 1);
        song.deleteCurrentStanza();
        QCOMPARE(song.stanzaCount(), 2);
        QCOMPARE(song.currentStanza(), 1);
        QCOMPARE(song.currentScreen(), 0);
        QCOMPARE(song.refrainIndex(), 2);
        QCOMPARE(song.sequence(), (QList<int>{1, RefrainMarker, 3, RefrainMarker}));
        QCOMPARE(song.performanceScreenCount(), 7); // entry 3 now names nothing
    }

    void cursorMoves()
    {
        Song song = songWith({2, 3, 1});
        QVERIFY(!song.hasPreviousStanza());
        QVERIFY(song.nextScreen() == false); // now on the last screen of stanza 1
        QCOMPARE(song.currentScreen(), 1);
        QVERIFY(!song.nextScreen());
        QCOMPARE(song.currentScreen(), 1);
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
    }

    void cursorOutOfRangeIsReset()
    {
        Song other = songWith({1});
        other.deleteCurrentScreen(); // stanza 0 now empty, cursor (0, 0) addresses nothing
        QCOMPARE(other.currentScreenText(), QString());
        QCOMPARE(other.currentScreenTime(), 0);
        QCOMPARE(other.currentStanza(), 0);
        QCOMPARE(other.currentScreen(), 0);
    }

    void clearKeepsIdentity()
    {
        Song song = refrainSong();
        song.setNumber(12);
        song.setTitle(QStringLiteral("Abc"));
        song.setPath(QStringLiteral("/card/Grupa/0012 Abc.txt"));
        song.setCharset(CharsetMode::Cyrillic);
        song.setKind(SongKind::Slide);
        song.markSaved();
        song.setDirty(true);
        song.setHasTimings(true);
        song.clear();
        QCOMPARE(song.stanzaCount(), 0);
        QVERIFY(song.sequence().isEmpty());
        QCOMPARE(song.refrainIndex(), 0);
        QCOMPARE(song.savedNumber(), 0);
        QVERIFY(song.savedTitle().isEmpty());
        QVERIFY(!song.isDirty());
        QVERIFY(!song.hasTimings());
        QCOMPARE(song.number(), 12);
        QCOMPARE(song.title(), QStringLiteral("Abc"));
        QCOMPARE(song.path(), QStringLiteral("/card/Grupa/0012 Abc.txt"));
        QCOMPARE(song.charset(), CharsetMode::Cyrillic);
        QCOMPARE(song.kind(), SongKind::Slide);
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
