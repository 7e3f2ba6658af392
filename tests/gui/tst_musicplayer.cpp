// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/mididecoder.h"
#include "core/app/language.h"
#include "core/music/musicclock.h"
#include "gui/music/pcmsource.h"
#include "gui/music/streamingmusicplayer.h"
#include "midifixture.h"
#include "tablerows.h"
#include "tonefile/tonefile.h"

#include <QtEndian>
#include <QtTest>

#include <algorithm>
#include <cmath>

Q_DECLARE_METATYPE(ToneFile::Format)

namespace {

// A sound device that runs ahead of the clock by a full buffer, and fails when told to.
class FakeDevice final : public AudioOutput
{
public:
    static constexpr qint64 kBuffer = 4410;
    FakeDevice(const MusicClock &clock, int rate, bool *fail) : m_null(clock, rate), m_fail(fail) {}
    bool start(PcmSource *source) override
    {
        m_source = source;
        return m_null.start(source);
    }
    void suspend() override { m_null.suspend(); }
    void update() override
    {
        m_null.update();
        if (m_ahead == 0 && !m_source->atEnd()) {
            std::vector<qint16> frames(kBuffer * 2);
            m_ahead = m_source->readFrames(frames.data(), kBuffer);
        }
    }
    qint64 bufferedFrames() const override { return m_ahead; }
    bool failed() const override { return *m_fail; }

private:
    NullAudioOutput m_null;
    bool *m_fail;
    PcmSource *m_source = nullptr;
    qint64 m_ahead = 0;
};

} // namespace

class TestMusicPlayer : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    VirtualMusicClock m_clock;
    std::vector<qint16> m_taken;

    QString tone(const QString &name, const ToneFile::ToneShape &shape)
    {
        const QString path = m_dir.filePath(name);
        QString error;
        if (!QFile::exists(path) && !ToneFile::write(path, shape, &error))
            qFatal("fixture %s: %s", qPrintable(name), qPrintable(error));
        return path;
    }
    std::unique_ptr<MusicPlayer> player(MusicBackendOptions options = {})
    {
        options.clock = &m_clock;
        if (!options.makeOutput)
            options.silent = true;
        options.tap = [this](const qint16 *frames, qint64 count) {
            m_taken.insert(m_taken.end(), frames, frames + count * 2);
        };
        m_taken.clear();
        return createMusicPlayer(std::move(options));
    }
    std::unique_ptr<MusicPlayer> opened(const QString &path)
    {
        auto p = player();
        QString error;
        if (!p->open(path, &error))
            qFatal("open %s: %s", qPrintable(path), qPrintable(error));
        return p;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
    }

    void positionFollowsTheClock()
    {
        auto p = opened(tone(QStringLiteral("ten.wav"), {}));
        QCOMPARE(p->lengthMs(), 10000);
        QCOMPARE(p->state(), MusicPlayer::State::Stopped);
        p->playFrom(0);
        m_clock.advance(2350);
        QCOMPARE(p->positionMs(), 2350);
        QCOMPARE(qint64(m_taken.size()), 2350 * 441 / 10 * 2);
        p->pause();
        m_clock.advance(1000);
        QCOMPARE(p->positionMs(), 2350);
        QVERIFY(p->isPaused() && p->isPlaying());
        p->playFrom(5000);
        m_clock.advance(1000);
        QCOMPARE(p->positionMs(), 6000);
        m_clock.advance(60000);
        QCOMPARE(p->positionMs(), 10000);
        QVERIFY(p->isPlaying() && !p->isPaused());
        p->playFrom(-50);
        QCOMPARE(p->positionMs(), 0);
        p->playFrom(99999);
        QCOMPARE(p->positionMs(), 10000);
    }

    void gainScalesEachChannel_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        for (const QStringList &row : TestSupport::tableRows(u"music/gains.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1].toInt() << row[2].toInt() << row[3].toInt() << row[4].toInt();
    }
    void gainScalesEachChannel()
    {
        QFETCH(int, channels);
        QFETCH(int, rate);
        QFETCH(int, left);
        QFETCH(int, right);
        const ToneFile::ToneShape shape{rate, channels, rate, ToneFile::Format::Wav};
        auto p = opened(tone(QStringLiteral("gain-%1-%2.wav").arg(channels).arg(rate), shape));
        p->setVolume(left, right);
        p->playFrom(0);
        m_clock.advance(1000);
        QCOMPARE(p->positionMs(), 1000);
        QCOMPARE(qint64(m_taken.size()), qint64(rate) * 2);
        const int volume[2] = {left, right};
        for (int c = 0; c < 2; ++c) {
            const double gain = channelGain(volume[c]);
            const int tolerance = gain == 0.0 ? 0 : 1;
            for (qint64 f = 0; f < rate; ++f) {
                const double expected = ToneFile::sample(shape, channels == 1 ? 0 : c, f) * 32768.0 * gain;
                if (std::abs(m_taken[size_t(f * 2 + c)] - expected) > tolerance)
                    QFAIL(qPrintable(QStringLiteral("channel %1 frame %2: %3, expected %4")
                                         .arg(c)
                                         .arg(f)
                                         .arg(m_taken[size_t(f * 2 + c)])
                                         .arg(expected)));
            }
        }
    }

    void formatsOpenAndSeek_data()
    {
        QTest::addColumn<ToneFile::Format>("format");
        QTest::addColumn<QString>("name");
        QTest::newRow("WAV") << ToneFile::Format::Wav << QStringLiteral("Kolęda żółć.wav");
        QTest::newRow("FLAC") << ToneFile::Format::Flac << QStringLiteral("tone.flac");
        QTest::newRow("OGG") << ToneFile::Format::Ogg << QStringLiteral("tone.ogg");
        QTest::newRow("MP3") << ToneFile::Format::Mp3 << QStringLiteral("Pieśń ą.mp3");
    }
    void formatsOpenAndSeek()
    {
        QFETCH(ToneFile::Format, format);
        QFETCH(QString, name);
        const ToneFile::ToneShape shape{44100, 2, 441000, format};
        auto p = opened(tone(name, shape));
        QVERIFY2(qAbs(p->lengthMs() - 10000) <= 30, qPrintable(QString::number(p->lengthMs())));
        p->playFrom(7000);
        m_clock.advance(1000);
        QCOMPARE(p->positionMs(), 8000);
        QCOMPARE(qint64(m_taken.size()), 44100 * 2);
        // After the seek the decoded tone is the file's tone at 7 s, up to the lossy codecs' error.
        const bool lossless = format == ToneFile::Format::Wav || format == ToneFile::Format::Flac;
        double error = 0, power = 0;
        for (qint64 f = 0; f < 44100; ++f) {
            error = qMax(error, std::abs(m_taken[size_t(f * 2)] - ToneFile::sample(shape, 0, 7 * 44100 + f) * 32768.0));
            power += double(m_taken[size_t(f * 2)]) * m_taken[size_t(f * 2)] / 44100;
        }
        if (lossless)
            QCOMPARE(error, 0.0);
        else // the tone's level (16384 / sqrt 2), not silence or noise
            QVERIFY2(qAbs(std::sqrt(power) - 11585) < 1200, qPrintable(QString::number(std::sqrt(power))));
        m_clock.advance(5000);
        QCOMPARE(p->positionMs(), p->lengthMs());
    }

    void badFilesAreRefusedWithTheReason_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("text named .mp3") << QStringLiteral("text.mp3")
                                         << QByteArray("Gloria in excelsis Deo\n").repeated(40);
        QTest::newRow("empty .mp3") << QStringLiteral("empty.mp3") << QByteArray();
        QTest::newRow("a folder") << QStringLiteral("folder.wav") << QByteArray();
        QTest::newRow("missing") << QStringLiteral("missing.ogg") << QByteArray();
    }
    void badFilesAreRefusedWithTheReason()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString path = m_dir.filePath(name);
        if (name.startsWith(u"folder"))
            QVERIFY(QDir().mkpath(path));
        else if (!name.startsWith(u"missing"))
            QVERIFY(TestSupport::writeFile(path, bytes));
        auto p = player();
        QString error;
        QVERIFY(!p->open(path, &error));
        QVERIFY2(error.startsWith(Lang::text(Txt::MusicFileRefused) + u' ' + name + u'\n')
                     && error.size() > name.size() + 40,
                 qPrintable(error));
        QCOMPARE(p->state(), MusicPlayer::State::Closed);
        p->playFrom(0);
        QCOMPARE(p->positionMs(), 0);
    }

    // Playback ends where the data ends: a cut WAV, a deleted file, 10 ms, a 3-hour (sparse) WAV.
    void playbackEndsWhereTheDataEnds()
    {
        const QString cut = m_dir.filePath(QStringLiteral("cut.wav"));
        QVERIFY(QFile::copy(tone(QStringLiteral("ten.wav"), {}), cut));
        QVERIFY(QFile::resize(cut, 44 + 2 * 44100 * 4));
        auto p = opened(cut);
        QVERIFY(p->lengthMs() >= 2000);
        p->playFrom(0);
        m_clock.advance(20000);
        QCOMPARE(p->positionMs(), 2000);

        const QString gone = m_dir.filePath(QStringLiteral("gone.flac"));
        QVERIFY(QFile::copy(tone(QStringLiteral("tone.flac"), {44100, 2, 441000, ToneFile::Format::Flac}), gone));
        p = opened(gone);
        p->playFrom(0);
        m_clock.advance(1000);
        QCOMPARE(p->positionMs(), 1000);
        QVERIFY(QFile::remove(gone));
        m_clock.advance(1000);
        QCOMPARE(p->positionMs(), 2000);

        p = opened(tone(QStringLiteral("short.wav"), {44100, 2, 441, ToneFile::Format::Wav}));
        QCOMPARE(p->lengthMs(), 10);
        p->playFrom(0);
        m_clock.advance(100);
        QCOMPARE(p->positionMs(), 10);

        // Three hours of silence after a real header: the sizes patched, the file extended sparsely.
        const QString hours = m_dir.filePath(QStringLiteral("three hours.wav"));
        QVERIFY(QFile::copy(tone(QStringLiteral("short.wav"), {44100, 2, 441, ToneFile::Format::Wav}), hours));
        const qint64 dataBytes = 3LL * 3600 * 44100 * 4;
        QFile file(hours);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.resize(44 + dataBytes));
        QByteArray header = file.peek(44);
        QCOMPARE(header.mid(36, 4), QByteArray("data"));
        qToLittleEndian<quint32>(quint32(36 + dataBytes), header.data() + 4);
        qToLittleEndian<quint32>(quint32(dataBytes), header.data() + 40);
        QVERIFY(file.seek(0) && file.write(header) == 44);
        file.close();
        p = opened(hours);
        QCOMPARE(p->lengthMs(), 3 * 3600 * 1000);
        p->playFrom(3 * 3600 * 1000 - 500);
        m_clock.advance(2000);
        QCOMPARE(p->positionMs(), 3 * 3600 * 1000);
    }

    void lostSoundHandsOverToTheNullSinkOnce()
    {
        bool fail = false;
        int devicesMade = 0;
        QStringList notices;
        MusicBackendOptions options;
        options.makeOutput = [&](int rate) -> std::unique_ptr<AudioOutput> {
            ++devicesMade;
            return std::make_unique<FakeDevice>(m_clock, rate, &fail);
        };
        auto p = player(options);
        p->setNoticeHandler([&](const QString &text) { notices << text; });
        QString error;
        QVERIFY(p->open(tone(QStringLiteral("ten.wav"), {}), &error));
        p->playFrom(1000);
        m_clock.advance(2000);
        QCOMPARE(p->positionMs(), 3000);
        QVERIFY(notices.isEmpty());
        fail = true;
        QCOMPARE(p->positionMs(), 3000);
        QCOMPARE(notices, QStringList{Lang::text(Txt::NoSoundOutput)});
        m_clock.advance(500);
        QCOMPARE(p->positionMs(), 3500);
        // Every play tries the device again; a failing one is not reported twice.
        p->playFrom(6000);
        m_clock.advance(500);
        QCOMPARE(p->positionMs(), 6500);
        QCOMPARE(devicesMade, 2);
        QCOMPARE(notices.size(), 1);

        // No device at all: the first play reports it, the time goes on.
        options.makeOutput = [](int) { return std::unique_ptr<AudioOutput>(); };
        p = player(options);
        p->setNoticeHandler([&](const QString &text) { notices << text; });
        QVERIFY(p->open(tone(QStringLiteral("ten.wav"), {}), &error));
        p->playFrom(0);
        m_clock.advance(1234);
        QCOMPARE(p->positionMs(), 1234);
        QCOMPARE(notices.size(), 2);
    }

    // The player's end is the tempo map's length, rendered through FluidSynth (no font: silence).
    void midiEndsAtItsTempoMapLength_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<qint64>("ms");
        QTest::newRow("type 1, tempo changes") << midiWithTempoChanges() << 2750LL;
        QTest::newRow("type 0, time code")
            << midiFile(0, 0xE728, {MidiTrack().raw(0, QByteArray("\xB0\x07\x64", 3)).note(100, 62, 2345).end()})
            << 2445LL;
        QTest::newRow("type 1, tempo in the last track") << midiFile(
            1, 96, {MidiTrack().note(0, 60, 96).end(), MidiTrack().tempo(0, 300000).tempo(48, 600000).end()})
                                                         << 450LL;
    }
    void midiEndsAtItsTempoMapLength()
    {
        QFETCH(QByteArray, data);
        QFETCH(qint64, ms);
        const QString path = m_dir.filePath(QStringLiteral("tempo %1.mid").arg(ms));
        QVERIFY(writeBytes(path, data));
        auto p = opened(path);
        QVERIFY2(qAbs(p->lengthMs() - ms) <= 10, qPrintable(QString::number(p->lengthMs())));
        p->playFrom(0);
        m_clock.advance(ms + 1000);
        QCOMPARE(p->positionMs(), p->lengthMs());
        QVERIFY(qAbs(qint64(m_taken.size() / 2) - ms * 441 / 10) <= 441);

        // A seek lands where asked and plays on to the same end.
        p->playFrom(ms / 2);
        m_clock.advance(100);
        QCOMPARE(p->positionMs(), ms / 2 + 100);
        m_clock.advance(ms);
        QCOMPARE(p->positionMs(), p->lengthMs());

        MidiDecoder decoder;
        QString reason;
        QVERIFY(decoder.open(path, &reason));
        QCOMPARE(decoder.startSynth(QString()), MidiDecoder::FontResult::NoFont);
        std::vector<float> chunk(size_t(AudioDecoder::kChunkFrames) * 2);
        qint64 rendered = 0;
        while (const qint64 got = decoder.readStereo(chunk.data(), AudioDecoder::kChunkFrames))
            rendered += got;
        QVERIFY(decoder.atEnd());
        QCOMPARE(rendered, decoder.frames());
        QVERIFY(qAbs(rendered * 1000 / MidiDecoder::kSampleRate - ms) <= 10);
    }

    // With a font the note sounds from the frame the tempo map gives it: 250 ms (a quarter at 240 BPM).
    void noteSoundsWhereTheTempoMapPutsIt()
    {
        const QString font = m_dir.filePath(QStringLiteral("square.sf2"));
        const QString path = m_dir.filePath(QStringLiteral("late note.mid"));
        QVERIFY(writeBytes(font, squareWaveSoundFont()));
        QVERIFY(writeBytes(
            path, midiFile(0, 480, {MidiTrack().tempo(0, 250000).tempo(480, 1000000).note(0, 60, 480).end(480)})));
        MidiDecoder decoder;
        QString reason;
        QVERIFY(decoder.open(path, &reason));
        QCOMPARE(decoder.startSynth(font), MidiDecoder::FontResult::Loaded);
        QCOMPARE(decoder.frames(), 2250 * 441 / 10);
        std::vector<float> pcm(size_t(decoder.frames()) * 2);
        QCOMPARE(decoder.readStereo(pcm.data(), decoder.frames()), decoder.frames());
        const auto loud = std::find_if(pcm.begin(), pcm.end(), [](float v) { return std::abs(v) > 0.01f; });
        QVERIFY(qAbs((loud - pcm.begin()) / 2 - 250 * 441 / 10) <= 441); // within 10 ms
        double power = 0;
        for (qint64 f = 44100 * 3 / 4; f < 44100 * 3 / 4 + 4410; ++f)
            power += double(pcm[size_t(f * 2)]) * pcm[size_t(f * 2)];
        QVERIFY2(power / 4410 > 1e-3, qPrintable(QString::number(power / 4410)));
    }

    // A font that does not load is reported in the program's words; the file still times.
    void brokenSoundFontIsReported()
    {
        const QString font = m_dir.filePath(QStringLiteral("broken.sf2"));
        QVERIFY(writeBytes(font, QByteArray("RIFF\x10\0\0\0sfbkLIST", 16) + QByteArray(4000, '\x5A')));
        const QString path = m_dir.filePath(QStringLiteral("hymn.mid"));
        QVERIFY(writeBytes(path, midiWithTempoChanges()));
        MusicBackendOptions options;
        options.makeOutput = [](int) { return std::unique_ptr<AudioOutput>(); };
        options.soundFont = font;
        auto p = player(options);
        QStringList notices;
        p->setNoticeHandler([&](const QString &text) { notices << text; });
        QString error;
        QVERIFY(p->open(path, &error));
        QCOMPARE(notices, QStringList{Lang::text(Txt::MidiSoundFontBroken).arg(font)});
        QCOMPARE(p->lengthMs(), 2750);
        p->playFrom(0);
        m_clock.advance(5000);
        QCOMPARE(p->positionMs(), 2750);
    }
};

QTEST_GUILESS_MAIN(TestMusicPlayer)
#include "tst_musicplayer.moc"
