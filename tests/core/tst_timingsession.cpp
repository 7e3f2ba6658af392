// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/music/timingsession.h"
#include "refrainsong.h"

#include <QtTest>

using Mode = TimingSession::Mode;
using Result = TimingSession::RecordResult;

namespace {

// Records a mark at each of the given player positions (ms).
void recordAt(TimingSession &session, std::initializer_list<qint64> marks)
{
    for (const qint64 ms : marks) {
        session.tick(ms);
        QCOMPARE(session.record(), Result::Recorded);
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
        QCOMPARE(session.codes().at(9), quint32(RefrainMarker) << 16 | 1);
        QCOMPARE(session.codes().at(5), 2u << 16);
        QCOMPARE(session.changeMode(Mode::Pause), Mode::Stop);
        QCOMPARE(session.changeMode(Mode::Play), Mode::Play);
        recordAt(session, {1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000});
        QCOMPARE(session.durations().mid(8), (QList<int>{10, 10}));
        QVERIFY(!session.canRecord());

        // The second refrain passes at its scheduled ends (90, 100), not at the late tick.
        QVERIFY(!session.tick(9000));
        QVERIFY(session.tick(9300));
        QCOMPARE(session.currentScreen(), 9);
        QCOMPARE(session.lastMark(), 90);
        QVERIFY(session.tick(12000));
        QCOMPARE(session.lastMark(), 100);

        // Past the last screen nothing changes.
        const QList<int> before = session.durations();
        QCOMPARE(session.record(), Result::Nothing);
        QVERIFY(!session.tick(50000));
        QCOMPARE(session.durations(), before);
        QCOMPARE(session.currentScreen(), 10);
    }

    void negativeRecordStoresNothingAndJumpFindsUntimedScreen()
    {
        TimingSession session(refrainSong());
        session.changeMode(Mode::Play);
        recordAt(session, {3000});
        QCOMPARE(session.record(), Result::Nothing); // no time has passed
        session.tick(2000);                          // the player went back
        QCOMPARE(session.record(), Result::Negative);
        QCOMPARE(session.durations().at(1), 0);
        QCOMPARE(session.lastMark(), 20);
        recordAt(session, {2500, 3500});

        session.changeMode(Mode::Pause);
        session.jump(32);
        QCOMPARE(session.currentScreen(), 1);
        QCOMPARE(session.lastMark(), 30);
        session.jump(200);
        QCOMPARE(session.currentScreen(), 3);
        QCOMPARE(session.lastMark(), 45);
        QCOMPARE(session.record(), Result::Recorded);
        QCOMPARE(session.durations().at(8), 155);

        session.zero();
        QCOMPARE(session.mode(), Mode::Stop);
        QCOMPARE(session.durations(), QList<int>(10, 0));
        QCOMPARE(session.currentScreen() + session.lastMark() + session.position(), 0);
    }

    void applyWritesTimesAndFlag()
    {
        Song song = refrainSong();
        song.setScreenTime(2, 2, -5); // read from a file: shown and written back as untimed
        QVERIFY(TimingSession(song).applyTo(song));
        QVERIFY(song.screenTime(2, 2) == 0 && !song.hasTimings());
        song.setScreenTime(1, 1, 15);
        song.setHasTimings(true);
        song.setDirty(false);
        TimingSession session(song);
        QVERIFY(!session.applyTo(song) && !song.isDirty());
        session.zero();
        QVERIFY(session.applyTo(song) && song.isDirty());
        QVERIFY(!song.hasTimings());
    }
};

QTEST_GUILESS_MAIN(TestTimingSession)
#include "tst_timingsession.moc"
