// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/music/timingsession.h"

#include <QtTest>

namespace {

// Stanza 1 of three screens, the refrain (position 2) of two, stanza 3 of three; sung 1, r, 3, r
// with an entry naming no stanza in between: ten screens, the refrain at 3-4 and 8-9.
Song refrainSong()
{
    Song song;
    for (const int screens : {3, 2, 3}) {
        song.appendStanza();
        for (int i = 0; i < screens; ++i)
            song.addScreenAfterCurrent();
    }
    song.setRefrainIndex(2);
    song.setSequence({1, 7, RefrainMarker, 3, RefrainMarker});
    return song;
}

// Plays from the start and records a mark at each of the given positions (ms).
void recordAt(TimingSession &session, std::initializer_list<qint64> marks)
{
    for (const qint64 ms : marks) {
        session.tick(ms);
        QCOMPARE(session.record(), TimingSession::RecordResult::Recorded);
    }
}

} // namespace

class TestTimingSession : public QObject
{
    Q_OBJECT

private slots:
    void timeText_data()
    {
        QTest::addColumn<int>("tenths");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0 << QStringLiteral("00:00:00.00");
        QTest::newRow("tenths shown times ten") << 125 << QStringLiteral("00:00:12.50");
        QTest::newRow("last before an hour") << 35999 << QStringLiteral("00:59:59.90");
        QTest::newRow("an hour") << 36000 << QStringLiteral("01:00:00.00");
    }
    void timeText()
    {
        QFETCH(int, tenths);
        QTEST(TimingSession::timeText(tenths), "text");
    }

    void refrainTimedOnceServesBothOccurrences()
    {
        TimingSession session(refrainSong());
        QCOMPARE(session.screenCount(), 10);
        QCOMPARE(session.codes().at(3), quint32(RefrainMarker) << 16);
        QCOMPARE(session.codes().at(9), quint32(RefrainMarker) << 16 | 1);
        QCOMPARE(session.codes().at(5), 2u << 16);

        QCOMPARE(session.changeMode(TimingSession::Mode::Play), TimingSession::Mode::Play);
        recordAt(session, {1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000});
        QCOMPARE(session.durations().mid(8), (QList<int>{10, 10}));
        QCOMPARE(session.currentScreen(), 8);
        QVERIFY(!session.canRecord());

        // The second refrain passes at its scheduled ends (90, 100), not at the late tick.
        QVERIFY(!session.tick(9000));
        QVERIFY(session.tick(9300));
        QCOMPARE(session.currentScreen(), 9);
        QCOMPARE(session.lastMark(), 90);
        QVERIFY(session.tick(12000));
        QCOMPARE(session.currentScreen(), 10);
        QCOMPARE(session.lastMark(), 100);

        // Past the last screen nothing changes.
        const QList<int> before = session.durations();
        QCOMPARE(session.record(), TimingSession::RecordResult::Nothing);
        QVERIFY(!session.tick(50000));
        QCOMPARE(session.durations(), before);
        QCOMPARE(session.currentScreen(), 10);
    }

    void negativeOrEmptyDurationStoresNothing()
    {
        TimingSession session(refrainSong());
        session.changeMode(TimingSession::Mode::Play);
        recordAt(session, {3000});
        QCOMPARE(session.record(), TimingSession::RecordResult::Nothing);  // no time has passed
        session.tick(2000);                                                 // the player went back
        QCOMPARE(session.record(), TimingSession::RecordResult::Negative);
        QCOMPARE(session.durations().at(1), 0);
        QCOMPARE(session.currentScreen(), 1);
        QCOMPARE(session.lastMark(), 20);
        recordAt(session, {2500});
        QCOMPARE(session.durations().mid(0, 3), (QList<int>{30, 5, 0}));
    }

    void jumpLandsOnFirstUntimedScreen()
    {
        TimingSession session(refrainSong());
        QCOMPARE(session.changeMode(TimingSession::Mode::Pause), TimingSession::Mode::Stop);
        session.changeMode(TimingSession::Mode::Play);
        recordAt(session, {1000, 2000, 3000});
        QCOMPARE(session.changeMode(TimingSession::Mode::Pause), TimingSession::Mode::Pause);

        session.jump(15);
        QCOMPARE(session.currentScreen(), 1);
        QCOMPARE(session.lastMark(), 10);
        session.jump(200);
        QCOMPARE(session.currentScreen(), 3);
        QCOMPARE(session.lastMark(), 30);
        QVERIFY(session.canRecord());
        QCOMPARE(session.record(), TimingSession::RecordResult::Recorded);
        QCOMPARE(session.durations().at(3), 170);
        QCOMPARE(session.durations().at(8), 170);

        session.zero();
        QCOMPARE(session.mode(), TimingSession::Mode::Stop);
        QCOMPARE(session.durations(), QList<int>(10, 0));
        QCOMPARE(session.currentScreen(), 0);
        QCOMPARE(session.lastMark(), 0);
        QCOMPARE(session.position(), 0);
    }

    void applyWritesTimesAndFlag()
    {
        Song song = refrainSong();
        song.setScreenTime(2, 2, -5);  // read from a file: shown and written back as untimed
        QVERIFY(TimingSession(song).applyTo(song));
        QCOMPARE(song.screenTime(2, 2), 0);

        song.setDirty(false);
        QVERIFY(!TimingSession(song).applyTo(song));
        QVERIFY(!song.isDirty());

        TimingSession session(song);
        session.changeMode(TimingSession::Mode::Play);
        recordAt(session, {1000, 2000, 3000, 4500});
        QVERIFY(session.applyTo(song));
        QVERIFY(song.isDirty());
        QVERIFY(song.hasTimings());
        QCOMPARE(song.screenTime(0, 2), 10);
        QCOMPARE(song.screenTime(1, 0), 15);

        session.zero();
        QVERIFY(session.applyTo(song));
        QVERIFY(!song.hasTimings());
        QCOMPARE(song.screenTime(1, 0), 0);
    }
};

QTEST_GUILESS_MAIN(TestTimingSession)
#include "tst_timingsession.moc"
