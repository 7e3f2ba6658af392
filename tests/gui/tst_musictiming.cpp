// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/language.h"
#include "core/model/songfile.h"
#include "core/music/musicclock.h"
#include "core/music/musicplayer.h"
#include "gui/app/messageboxes.h"
#include "gui/music/musictiming.h"
#include "gui/music/musictimingdialog.h"
#include "gui/widgets/timingbar.h"
#include "testappcore.h"

#include <QComboBox>
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
        close();
        if (QFileInfo(path).fileName().startsWith(u"bad")) {
            *error = QStringLiteral("refused: ") + path;
            return false;
        }
        m_state = State::Stopped;
        m_held = 0;
        return true;
    }
    void close() override { m_state = State::Closed; }
    State state() const override { return m_state; }
    qint64 lengthMs() const override { return 120000; }
    qint64 positionMs() override
    {
        return m_state == State::Playing ? qMin(lengthMs(), m_held + m_clock.nowMs() - m_startedAt) : m_held;
    }
    void playFrom(qint64 ms) override
    {
        m_held = ms;
        m_startedAt = m_clock.nowMs();
        m_state = State::Playing;
    }
    void pause() override
    {
        m_held = positionMs();
        m_state = State::Paused;
    }
    void stop() override
    {
        m_held = 0;
        m_state = State::Stopped;
    }
    void setVolume(int left, int right) override { volume = {left, right}; }
    void warn(const QString &text) { notify(text); }

    QPair<int, int> volume{0, 0};

private:
    const VirtualMusicClock &m_clock;
    State m_state = State::Closed;
    qint64 m_held = 0;
    qint64 m_startedAt = 0;
};

// Three stanzas (the second the refrain, two screens) sung 1, r, 3, r: ten screens.
Song timedSong(const QString &title, const QList<int> &sequence = {1, RefrainMarker, 3, RefrainMarker})
{
    Song song;
    song.setTitle(title);
    for (const int screens : {3, 2, 3}) {
        song.appendStanza();
        for (int i = 0; i < screens; ++i)
            song.addScreenAfterCurrent();
    }
    song.setScreenText(0, 0, QStringLiteral("Pierwszy ekran"));
    song.setRefrainIndex(2);
    song.setSequence(sequence);
    return song;
}

} // namespace

class TestMusicTiming : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestAppCore> m_app;
    QString m_musicDir;
    VirtualMusicClock m_clock;
    QStringList m_boxes;

    AppSettings &settings() { return m_app->core().settings(); }
    template <typename W>
    W *child(QWidget *dialog, const char *name)
    {
        W *widget = dialog->findChild<W *>(QLatin1StringView(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    void playFor(MusicTimingDialog &dialog, qint64 ms)
    {
        m_clock.advance(ms);
        dialog.tick();
    }

private slots:
    void initTestCase()
    {
        m_app = std::make_unique<TestAppCore>();
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
        m_musicDir = m_app->path(QStringLiteral("muzyka"));
        for (const char *name : {"a.wav", "B.MP3", "ż.flac", "c.Ogg", "bad.wav", ".ukryty.mp3", "nuty.mid", "opis.txt"})
            QVERIFY(TestSupport::writeFile(m_musicDir + u'/' + QString::fromUtf8(name), "x"));
        settings().setLastMusicDir(m_musicDir);
        MessageBoxes::setResponder([this](const MessageBoxes::Request &request) {
            m_boxes << request.text;
            return QMessageBox::Ok;
        });
    }
    void init() { m_boxes.clear(); }

    void musicListAndMappedFile_data()
    {
        QTest::addColumn<QString>("mapped");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<bool>("live");
        QTest::newRow("playable") << QStringLiteral("c.Ogg") << 0 << true;
        QTest::newRow("deleted") << QStringLiteral("znikniety.mp3") << 0 << false;
        QTest::newRow("refused") << QStringLiteral("bad.wav") << 1 << false;
        QTest::newRow("outside the folder") << QStringLiteral("../muzyka/a.wav") << 0 << false;
    }
    void musicListAndMappedFile()
    {
        QFETCH(QString, mapped);
        const QString title = QStringLiteral("Pieśń ") + QString::fromUtf8(QTest::currentDataTag());
        QVERIFY(settings().setMusicFor(title, mapped));
        Song song = timedSong(title);
        FakePlayer player(m_clock);
        MusicTimingDialog dialog(song, player, settings());
        auto *list = child<QComboBox>(&dialog, "musicList");
        QStringList names;
        for (int i = 1; i < list->count(); ++i)
            names << list->itemText(i);
        QCOMPARE(names.mid(0, 5), (QStringList{QStringLiteral("B.MP3"), QStringLiteral("a.wav"), QStringLiteral("bad.wav"), QStringLiteral("c.Ogg"),
                                         QStringLiteral("ż.flac")}));
        QCOMPARE(list->currentText(), mapped);
        QCOMPARE(m_boxes.size(), QTest::currentDataTag() == QByteArray("refused") ? 1 : 0);
        QTEST(child<QPushButton>(&dialog, "playButton")->isEnabled(), "live");
        QCOMPARE(player.isOpen(), child<QPushButton>(&dialog, "playButton")->isEnabled());

        dialog.accept();
        QCOMPARE(settings().musicFor(title), mapped);
        QVERIFY(!player.isOpen());
        QVERIFY(!dialog.songChanged());
        QVERIFY(!song.isDirty());
    }

    void noFileRemovesThePair()
    {
        const QString title = QStringLiteral("Bez muzyki");
        QVERIFY(settings().setMusicFor(title, QStringLiteral("a.wav")));
        Song song = timedSong(title);
        FakePlayer player(m_clock);
        MusicTimingDialog dialog(song, player, settings());
        child<QComboBox>(&dialog, "musicList")->setCurrentIndex(0);
        QVERIFY(!child<QPushButton>(&dialog, "recordButton")->isEnabled());
        dialog.accept();
        MusicMap saved;
        QVERIFY(saved.load(settings().musicMapPath()));
        QCOMPARE(saved.value(title), QString());
        QVERIFY(settings().musicFor(title).isEmpty());
    }

    void modesAndVolume()
    {
        Song song = timedSong(QStringLiteral("Głośność"));
        FakePlayer player(m_clock);
        MusicTimingDialog dialog(song, player, settings());
        child<QComboBox>(&dialog, "musicList")->setCurrentIndex(1);
        QCOMPARE(player.volume, qMakePair(1000, 1000));

        QTest::mouseClick(child<QPushButton>(&dialog, "pauseButton"), Qt::LeftButton);
        QVERIFY(child<QPushButton>(&dialog, "stopButton")->isChecked());
        QCOMPARE(player.state(), MusicPlayer::State::Stopped);
        QVERIFY(!child<QSlider>(&dialog, "positionSlider")->isEnabled());

        child<QSlider>(&dialog, "volumeSlider")->setValue(401);
        QCOMPARE(player.volume, qMakePair(600, 600));
        QTest::mouseClick(child<QPushButton>(&dialog, "muteLeft"), Qt::LeftButton);
        QCOMPARE(player.volume, qMakePair(1, 600));
        QTest::mouseClick(child<QPushButton>(&dialog, "muteRight"), Qt::LeftButton);
        QCOMPARE(player.volume, qMakePair(1, 1));

        // The sound output's notice is shown once, after the player call that raised it.
        player.warn(QStringLiteral("bez dźwięku"));
        player.warn(QStringLiteral("bez dźwięku"));
        QVERIFY(m_boxes.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(m_boxes, QStringList{QStringLiteral("bez dźwięku")});

        // Closing while playing closes the player and leaves the song alone.
        dialog.show();
        QTest::mouseClick(child<QPushButton>(&dialog, "playButton"), Qt::LeftButton);
        playFor(dialog, 1500);
        QTest::mouseClick(child<QPushButton>(&dialog, "recordButton"), Qt::LeftButton);
        dialog.close();
        QVERIFY(!player.isOpen());
        QCOMPARE(song.screenTime(0, 0), 0);
        QVERIFY(!song.isDirty());
    }

    void recordedTimesReachTheSavedSong()
    {
        Song song = timedSong(QStringLiteral("Nagrana"));
        FakePlayer player(m_clock);
        MusicTimingDialog dialog(song, player, settings());
        child<QComboBox>(&dialog, "musicList")->setCurrentIndex(2);
        QTest::mouseClick(child<QPushButton>(&dialog, "playButton"), Qt::LeftButton);
        auto *record = child<QPushButton>(&dialog, "recordButton");
        for (const qint64 ms : {1200, 800, 2500}) {
            playFor(dialog, ms);
            QTest::mouseClick(record, Qt::LeftButton);
        }
        auto *list = child<QTableWidget>(&dialog, "timeList");
        QCOMPARE(list->rowCount(), 10);
        QCOMPARE(list->item(1, 0)->text(), QStringLiteral("00:00:00.80"));
        QCOMPARE(list->item(2, 1)->text(), QStringLiteral("00:00:02.00"));
        QCOMPARE(list->item(0, 2)->text(), QStringLiteral("Pierwszy ekran"));
        auto *bar = child<TimingBar>(&dialog, "timingBar");
        QCOMPARE(bar->times().mid(0, 4), (QList<int>{12, 8, 25, 0}));
        QCOMPARE(bar->currentIndex(), 3);

        // Paused, a page step of the position slider jumps; the timer's moves do not.
        QTest::mouseClick(child<QPushButton>(&dialog, "pauseButton"), Qt::LeftButton);
        auto *slider = child<QSlider>(&dialog, "positionSlider");
        QVERIFY(slider->isEnabled());
        slider->triggerAction(QAbstractSlider::SliderToMinimum);
        QCOMPARE(dialog.session().currentScreen(), 0);
        slider->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(dialog.session().currentScreen(), 3);

        dialog.accept();
        QVERIFY(dialog.songChanged());
        QVERIFY(song.hasTimings());
        const QString path = m_app->path(QStringLiteral("0042 Nagrana.txt"));
        QString error;
        QVERIFY2(SongFile::save(path, song, &error), qPrintable(error));
        Song back;
        QVERIFY(SongFile::load(path, back));
        QVERIFY(back.hasTimings());
        QCOMPARE((QList<int>{back.screenTime(0, 0), back.screenTime(0, 1), back.screenTime(0, 2), back.screenTime(1, 0)}),
                 (QList<int>{12, 8, 25, 0}));
    }

    void emptySequenceLeavesOnlyTheListOn()
    {
        Song song = timedSong(QStringLiteral("Pusta"), {9});
        FakePlayer player(m_clock);
        MusicTimingDialog dialog(song, player, settings());
        child<QComboBox>(&dialog, "musicList")->setCurrentIndex(1);
        for (const char *name : {"playButton", "recordButton", "zeroButton", "muteLeft"})
            QVERIFY2(!child<QPushButton>(&dialog, name)->isEnabled(), name);
        QVERIFY(child<QComboBox>(&dialog, "musicList")->isEnabled());
        dialog.tick();
        dialog.accept();
        QVERIFY(!song.isDirty());
    }

    void missingMusicFolderIsReported()
    {
        settings().setLastMusicDir(m_app->path(QStringLiteral("nie-ma")));
        Song song = timedSong(QStringLiteral("Bez folderu"));
        QVERIFY(!openMusicTiming(nullptr, song));
        QCOMPARE(m_boxes, QStringList{Lang::text(Txt::TimingNoMusicFolder)});
        settings().setLastMusicDir(m_musicDir);
    }
};

QTEST_MAIN(TestMusicTiming)
#include "tst_musictiming.moc"
