// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/music/midifile.h"
#include "core/music/soundfontsearch.h"
#include "midifixture.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>

Q_DECLARE_METATYPE(MidiFile::Error)

namespace {

MidiFile::Error readMidi(const QByteArray &bytes, MidiFile *file)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    MidiFile::Error error = MidiFile::Error::Unreadable;
    file->read(buffer, &error);
    return error;
}

QByteArray tempoStorm()
{
    MidiTrack track;
    for (int i = 0; i < 10000; ++i)
        track.tempo(i == 0 ? 0 : 48, i % 2 ? 250000 : 500000);
    return midiFile(0, 480, {track.end(48)});
}

} // namespace

class TestMidiFile : public QObject
{
    Q_OBJECT

private slots:
    void length_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<int>("events");
        QTest::newRow("type 0 at the default tempo")
            << midiFile(0, 480, {MidiTrack().note(0, 60, 960).end()}) << 1000LL << 2;
        QTest::newRow("type 1 with tempo changes") << midiWithTempoChanges() << 2750LL << 5;
        QTest::newRow("tempo in a later track")
            << midiFile(1, 480, {MidiTrack().note(0, 60, 960).end(), MidiTrack().tempo(0, 1000000).end()}) << 2000LL
            << 2;
        QTest::newRow("end of track after the last note")
            << midiFile(0, 96, {MidiTrack().note(0, 60, 48).end(144)}) << 1000LL << 2;
        // 25 frames of 40 ticks: 1000 ticks a second whatever the tempo events say.
        QTest::newRow("time code 25 fps")
            << midiFile(0, 0xE728, {MidiTrack().tempo(0, 250000).note(0, 60, 2500).end()}) << 2500LL << 2;
        QTest::newRow("time code 29.97 fps")
            << midiFile(0, quint16((256 - 29) << 8 | 100), {MidiTrack().note(0, 60, 2997).end()}) << 1000LL << 2;
        QTest::newRow("running status") << midiFile(0, 480,
                                                    {MidiTrack()
                                                         .raw(0, QByteArray("\x90\x3C\x64", 3))
                                                         .raw(0, QByteArray("\x40\x64", 2))
                                                         .raw(480, QByteArray("\x3C\x00", 2))
                                                         .raw(0, QByteArray("\x40\x00", 2))
                                                         .end()})
                                        << 500LL << 4;
        QTest::newRow("running status at a track's start: that track is empty") << midiFile(
            1, 480, {MidiTrack().note(0, 60, 480).end(), MidiTrack().raw(0, QByteArray("\x3C\x64", 2)).end(9600)})
                                                                                << 500LL << 2;
        const QByteArray whole = midiFile(0, 480, {MidiTrack().note(0, 60, 480).note(0, 62, 480).end()});
        QTest::newRow("cut off: up to the last whole event") << whole.left(whole.size() - 6) << 500LL << 3;
        QTest::newRow("track length past the end of the file")
            << midiHeader(0, 1, 480) + MidiTrack().note(0, 60, 480).chunk(100000) << 500LL << 2;
        QTest::newRow("sysex and an unknown chunk skipped") << midiHeader(1, 1, 480) + QByteArray("XFIH") + be32(2)
                + "ab" + MidiTrack().raw(0, QByteArray("\xF0\x03\x7E\x7F\xF7", 5)).note(240, 60, 240).end().chunk()
                                                            << 500LL << 2;
        QTest::newRow("10000 tempo events") << tempoStorm() << 375000LL << 0;
        QTest::newRow("no tracks") << midiHeader(1, 0, 480) << 0LL << 0;
    }
    void length()
    {
        QFETCH(QByteArray, data);
        MidiFile file;
        QCOMPARE(readMidi(data, &file), MidiFile::Error::None);
        QTEST(file.lengthMs(), "ms");
        QTEST(int(file.events().size()), "events");
    }

    void eventOrder()
    {
        MidiFile file;
        QCOMPARE(readMidi(midiWithTempoChanges(), &file), MidiFile::Error::None);
        const std::vector<MidiEvent> &events = file.events();
        QCOMPARE(events.front().status, quint8(0xC0));
        QCOMPARE(events.back().status, quint8(0x80));
        QCOMPARE(events.back().timeUs, 2750000LL);
        // The second note starts at tick 960: 500 ms + 250 ms.
        QCOMPARE(events[3].timeUs, 750000LL);
        QCOMPARE(events[3].data1, quint8(64));
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<MidiFile::Error>("error");
        const QByteArray track = MidiTrack().note(0, 60, 480).end().chunk();
        QTest::newRow("empty") << QByteArray() << MidiFile::Error::NotMidi;
        QTest::newRow("a WAV header") << QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16) << MidiFile::Error::NotMidi;
        QTest::newRow("header cut off") << midiHeader(0, 1, 480).left(12) << MidiFile::Error::NotMidi;
        QTest::newRow("division 0") << midiHeader(0, 1, 0) + track << MidiFile::Error::Damaged;
        QTest::newRow("unknown frame rate")
            << midiHeader(0, 1, quint16((256 - 23) << 8 | 4)) + track << MidiFile::Error::Damaged;
        QTest::newRow("type 2") << midiHeader(2, 1, 480) + track << MidiFile::Error::Unsupported;
        MidiTrack endless;
        for (int i = 0; i < 100; ++i)
            endless.tempo(0x0FFFFFFF, 0xFFFFFF);
        QTest::newRow("days long") << midiFile(0, 1, {endless}) << MidiFile::Error::TooLong;
    }
    void refused()
    {
        QFETCH(QByteArray, data);
        MidiFile file;
        QTEST(readMidi(data, &file), "error");
        QVERIFY(file.events().empty());
    }

    void randomBytes()
    {
        QRandomGenerator random(42);
        QByteArray noise(4 * 1024 * 1024, Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        QElapsedTimer timer;
        timer.start();
        MidiFile file;
        QCOMPARE(readMidi(noise, &file), MidiFile::Error::NotMidi);
        // The same bytes as the tracks of a file: read as far as they hold, and soon.
        QCOMPARE(readMidi(midiHeader(1, 1, 480) + "MTrk" + be32(quint32(noise.size())) + noise, &file),
                 MidiFile::Error::None);
        QCOMPARE(readMidi(midiHeader(1, 1, 480) + noise, &file), MidiFile::Error::None);
        QVERIFY(timer.elapsed() < 20000);
    }

    void soundFontSearch_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QString>("found");
        const QStringList all{QStringLiteral("mine/Piano.sf2"), QStringLiteral("sf2/default-GM.sf2"),
                              QStringLiteral("sf2/b.sf3"), QStringLiteral("sf2/a/z.sf2"),
                              QStringLiteral("soundfonts/x.sf2")};
        QTest::newRow("the configured one")
            << all << QStringLiteral("mine/Piano.sf2") << QStringLiteral("mine/Piano.sf2");
        QTest::newRow("configured but missing: the default")
            << all << QStringLiteral("mine/Gone.sf2") << QStringLiteral("sf2/default-GM.sf2");
        QTest::newRow("no default: first by name below the folder")
            << all.mid(2) << QString() << QStringLiteral("sf2/a/z.sf2");
        QTest::newRow("then the second folder") << all.mid(4) << QString() << QStringLiteral("soundfonts/x.sf2");
        QTest::newRow("other files are no fonts")
            << QStringList{QStringLiteral("sf2/readme.txt")} << QString() << QString();
    }
    void soundFontSearch()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, configured);
        QFETCH(QString, found);
        QTemporaryDir dir;
        for (const QString &name : files) {
            QVERIFY(QDir(dir.path()).mkpath(QFileInfo(name).path()));
            QVERIFY(writeBytes(dir.filePath(name), "x"));
        }
        const QString result = findSoundFont(
            configured.isEmpty() ? QString() : dir.filePath(configured),
            dir.filePath(QStringLiteral("sf2/default-GM.sf2")),
            {dir.filePath(QStringLiteral("sf2")), dir.filePath(QStringLiteral("soundfonts"))});
        QCOMPARE(result, found.isEmpty() ? QString() : dir.filePath(found));
    }
};

QTEST_GUILESS_MAIN(TestMidiFile)
#include "tst_midifile.moc"
