// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/language.h"
#include "core/model/songfile.h"
#include "core/music/musicclock.h"
#include "core/music/musicplayer.h"
#include "gui/music/musictiming.h"
#include "gui/music/musictimingdialog.h"
#include "gui/music/streamingmusicplayer.h"
#include "gui/widgets/timingbar.h"
#include "librarytestsupport.h"
#include "midifixture.h"
#include "refrainsong.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QtTest>

namespace {

// The media commands on a virtual clock; files whose names start with "bad" are refused.
class FakePlayer final : public MusicPlayer
{
public:
    explicit FakePlayer(const VirtualMusicClock &clock) : m_clock(clock) {}
    bool open(const QString &path, QString *error) override
    {
        const bool ok = !QFileInfo(path).fileName().startsWith(u"bad");
        *error = ok ? QString() : QStringLiteral("refused");
        m_state = ok ? State::Stopped : State::Closed;
        return ok;
    }
    void close() override { m_state = State::Closed; }
    State state() const override { return m_state; }
    qint64 lengthMs() const override { return 120000; }
    qint64 positionMs() override { return m_held + (m_state == State::Playing ? m_clock.nowMs() - m_startedAt : 0); }
    void playFrom(qint64 ms) override { m_held = ms, m_startedAt = m_clock.nowMs(), m_state = State::Playing; }
    void pause() override { m_held = positionMs(), m_state = State::Paused; }
    void stop() override { m_held = 0, m_state = State::Stopped; }
    void setVolume(int left, int right) override { volume = {left, right}; }
    void warn(const QString &text) { notify(text); }
    QPair<int, int> volume{0, 0};

private:
    const VirtualMusicClock &m_clock;
    State m_state = State::Closed;
    qint64 m_held = 0, m_startedAt = 0;
};

template <typename W = QPushButton>
W *child(QWidget *dialog, const char *name)
{
    return dialog->findChild<W *>(QLatin1StringView(name));
}

void press(QWidget *dialog, const char *name)
{
    QTest::mouseClick(child(dialog, name), Qt::LeftButton);
}

} // namespace

class TestMusicTiming : public LibraryTest::PanelTest
{
    Q_OBJECT

    QString m_musicDir;
    VirtualMusicClock m_clock;
    FakePlayer m_player{m_clock};

    AppSettings &settings() { return m_app->core().settings(); }
    void playFor(MusicTimingDialog &dialog, qint64 ms) { m_clock.advance(ms), dialog.tick(); }

private slots:
    void initTestCase()
    {
        setUpPanelTests();
        m_musicDir = m_app->path(QStringLiteral("muzyka"));
        for (const char *name : {"a.wav", "B.MP3", "ż.flac", "c.Ogg", "bad.wav", ".ukryty.mp3", "nuty.mid", "opis.txt"})
            QVERIFY(TestSupport::writeFile(m_musicDir + u'/' + QString::fromUtf8(name), "x"));
        QVERIFY(writeBytes(m_musicDir + u"/nuty.mid", midiWithTempoChanges()));
        settings().setLastMusicDir(m_musicDir);
    }
    void init() { m_boxes.clear(); }

    void mappedFileKeptOrRemoved_data()
    {
        QTest::addColumn<QString>("mapped");
        QTest::addColumn<bool>("live");
        QTest::addColumn<int>("choose"); // -1: leave the list alone
        QTest::addColumn<QString>("after");
        QTest::newRow("playable") << QStringLiteral("c.Ogg") << true << -1 << QStringLiteral("c.Ogg");
        QTest::newRow("deleted") << QStringLiteral("gone.mp3") << false << -1 << QStringLiteral("gone.mp3");
        QTest::newRow("refused") << QStringLiteral("bad.wav") << false << -1 << QStringLiteral("bad.wav");
        QTest::newRow("outside") << QStringLiteral("../muzyka/a.wav") << false << -1
                                 << QStringLiteral("../muzyka/a.wav");
        QTest::newRow("no file") << QStringLiteral("a.wav") << true << 0 << QString();
    }
    void mappedFileKeptOrRemoved()
    {
        QFETCH(QString, mapped);
        QFETCH(int, choose);
        const QString title = QStringLiteral("Pieśń ") + QString::fromUtf8(QTest::currentDataTag());
        QVERIFY(settings().setMusicFor(title, mapped));
        Song song = refrainSong(title);
        MusicTimingDialog dialog(song, m_player, settings(), host());
        auto *list = child<QComboBox>(&dialog, "musicList");
        QStringList names;
        for (int i = 1; i < 7; ++i)
            names << list->itemText(i);
        QCOMPARE(names.join(u' '), QStringLiteral("B.MP3 a.wav bad.wav c.Ogg nuty.mid ż.flac"));
        QCOMPARE(list->currentText(), mapped);
        QCOMPARE(m_boxes.texts(), mapped == u"bad.wav" ? QStringList{QStringLiteral("refused")} : QStringList());
        QTEST(child(&dialog, "playButton")->isEnabled(), "live");
        QCOMPARE(m_player.isOpen(), child(&dialog, "playButton")->isEnabled());
        if (choose >= 0)
            list->setCurrentIndex(choose);

        dialog.accept();
        QVERIFY(!m_player.isOpen());
        QVERIFY(!dialog.songChanged() && !song.isDirty());
        MusicMap saved;
        saved.load(settings().musicMapPath());
        QTEST(saved.value(title), "after");
    }

    void modesVolumeNoticeAndClose()
    {
        Song song = refrainSong(QStringLiteral("Głośność"));
        MusicTimingDialog dialog(song, m_player, settings(), host());
        child<QComboBox>(&dialog, "musicList")->setCurrentIndex(1);
        QCOMPARE(m_player.volume, qMakePair(1000, 1000));
        press(&dialog, "pauseButton");
        QVERIFY(child(&dialog, "stopButton")->isChecked());
        QVERIFY(!child<QSlider>(&dialog, "positionSlider")->isEnabled());

        child<QSlider>(&dialog, "volumeSlider")->setValue(401);
        QCOMPARE(m_player.volume, qMakePair(600, 600));
        press(&dialog, "muteLeft");
        press(&dialog, "muteRight");
        QCOMPARE(m_player.volume, qMakePair(1, 1));

        // The sound output's notice is shown once, after the player call that raised it.
        m_player.warn(QStringLiteral("cisza"));
        m_player.warn(QStringLiteral("cisza"));
        QVERIFY(m_boxes.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(m_boxes.texts(), QStringList{QStringLiteral("cisza")});

        dialog.show();
        press(&dialog, "playButton");
        playFor(dialog, 1500);
        press(&dialog, "recordButton");
        dialog.close();
        QVERIFY(!m_player.isOpen());
        QVERIFY(song.screenTime(0, 0) == 0 && !song.isDirty());
    }

    // A box opened while the music plays (the sound output's notice, a time below zero) holds the
    // music and the clock: the time spent reading it goes to no screen.
    void clockPausesUnderBox()
    {
        Song song = refrainSong(QStringLiteral("Wstrzymana"));
        MusicTimingDialog dialog(song, m_player, settings(), host());
        child<QComboBox>(&dialog, "musicList")->setCurrentIndex(1);
        press(&dialog, "playButton");
        playFor(dialog, 1000);
        m_boxes.whileOpen = [this] { m_clock.advance(6800); };
        m_player.warn(QStringLiteral("cisza"));
        QCoreApplication::processEvents();
        QCOMPARE(m_boxes.texts(), QStringList{QStringLiteral("cisza")});
        QVERIFY(child(&dialog, "playButton")->isChecked());
        playFor(dialog, 500);
        press(&dialog, "recordButton");
        QCOMPARE(child<TimingBar>(&dialog, "timingBar")->times().first(), 15);
        dialog.reject();
    }

    void recordedTimesReachTheSavedSong()
    {
        Song song = refrainSong(QStringLiteral("Nagrana"));
        MusicTimingDialog dialog(song, m_player, settings(), host());
        child<QComboBox>(&dialog, "musicList")->setCurrentIndex(2);
        press(&dialog, "playButton");
        for (const qint64 ms : {1200, 800, 2500}) {
            playFor(dialog, ms);
            press(&dialog, "recordButton");
        }
        auto *list = child<QTableWidget>(&dialog, "timeList");
        QCOMPARE(list->item(1, 0)->text() + list->item(2, 1)->text() + list->item(0, 2)->text(),
                 QStringLiteral("00:00:00.8000:00:02.00Pierwszy ekran"));
        QCOMPARE(child<TimingBar>(&dialog, "timingBar")->times().mid(0, 4), (QList<int>{12, 8, 25, 0}));

        // Paused, a step of the position slider jumps.
        press(&dialog, "pauseButton");
        auto *slider = child<QSlider>(&dialog, "positionSlider");
        slider->triggerAction(QAbstractSlider::SliderToMinimum);
        QCOMPARE(dialog.session().currentScreen(), 0);
        slider->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(dialog.session().currentScreen(), 3);

        dialog.accept();
        QVERIFY(dialog.songChanged());
        const QString path = m_app->path(QStringLiteral("0042 Nagrana.txt"));
        QVERIFY(SongFile::save(path, song));
        Song back;
        QVERIFY(SongFile::load(path, back));
        QVERIFY(back.hasTimings());
        QCOMPARE((QList<int>{back.screenTime(0, 0), back.screenTime(0, 2), back.screenTime(1, 0)}),
                 (QList<int>{12, 25, 0}));
    }

    // A MIDI file from the list plays on the null sink: its length shows at once, the screens are timed.
    void midiTimedOnTheNullSink()
    {
        MusicBackendOptions options;
        options.clock = &m_clock;
        options.silent = true;
        const std::unique_ptr<MusicPlayer> player = createMusicPlayer(options);
        Song song = refrainSong(QStringLiteral("Organy"));
        MusicTimingDialog dialog(song, *player, settings(), host());
        auto *list = child<QComboBox>(&dialog, "musicList");
        list->setCurrentIndex(list->findText(QStringLiteral("nuty.mid")));
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(child<QLabel>(&dialog, "lengthText")->text(), TimingSession::timeText(27));
        press(&dialog, "playButton");
        for (const qint64 ms : {1200, 800}) {
            playFor(dialog, ms);
            press(&dialog, "recordButton");
        }
        playFor(dialog, 5000);
        QCOMPARE(player->positionMs(), 2750);
        dialog.accept();
        QVERIFY(dialog.songChanged());
        QCOMPARE((QList<int>{song.screenTime(0, 0), song.screenTime(0, 1)}), (QList<int>{12, 8}));
        QCOMPARE(settings().musicFor(QStringLiteral("Organy")), QStringLiteral("nuty.mid"));
    }

    void emptySequenceAndMissingFolder()
    {
        Song song = refrainSong(QStringLiteral("Pusta"), {9});
        {
            MusicTimingDialog dialog(song, m_player, settings(), host());
            child<QComboBox>(&dialog, "musicList")->setCurrentIndex(1);
            for (const char *name : {"playButton", "recordButton", "zeroButton", "muteLeft"})
                QVERIFY2(!child(&dialog, name)->isEnabled(), name);
            dialog.tick();
            dialog.accept();
            QVERIFY(!song.isDirty());
        }
        settings().setLastMusicDir(m_app->path(QStringLiteral("nie-ma")));
        QVERIFY(!openMusicTiming(host(), song));
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::TimingNoMusicFolder)});
        settings().setLastMusicDir(m_musicDir);
    }
};

QTEST_MAIN(TestMusicTiming)
#include "tst_musictiming.moc"
