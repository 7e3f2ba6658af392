// SPDX-License-Identifier: GPL-3.0-or-later
// Lyric files of every format: encodings, languages, numbers of a batch, exports over earlier
// exports and the byte-exact round trip of the demo card.
#include "testsupport.h"

#include "core/lyrics/lyricexport.h"
#include "core/lyrics/lyricfile.h"
#include "core/lyrics/lyricimport.h"
#include "core/model/songfile.h"

using namespace TestSupport;

namespace {

// Every screen's rows and the stanza layout, for comparing two imports.
QString screensOf(const Song &song)
{
    QString out = QStringLiteral("%1 %2\n").arg(song.refrainIndex()).arg(song.stanzaCount());
    for (int i = 0; i < song.stanzaCount(); ++i) {
        for (int j = 0; j < song.screenCount(i); ++j) {
            for (int row = 0; row < kScreenLines; ++row)
                out += song.lineText(i, j, row) + u'\n';
        }
    }
    return out;
}

LyricImport::Source converted(const QString &path, const QString &language = {}, const QString &encoding = {})
{
    LyricImport::Source source;
    LyricMessage reason;
    if (LyricImport::convert(path, {20, 10}, u"pl"_qs, source, &reason, language, encoding)
        != LyricImport::Failure::None)
        source.title = u"refused: "_qs + reason.token();
    return source;
}

LyricImport::Request requestFor(const QString &card, const QString &group)
{
    LyricImport::Request request;
    request.card = card;
    request.group = group;
    request.lang = u"pl"_qs;
    return request;
}

} // namespace

class TestLyricFormats : public QObject
{
    Q_OBJECT

private slots:
    // The same text in each code page imports exactly as its UTF-8 copy, the encoding named.
    void codePagesImportAsUtf8_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("encoding");
        const QDir dir(testData(u"lyricformats/encodings"_qs));
        for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
            if (!name.contains(u"UTF-8"))
                QTest::newRow(qPrintable(name)) << name << name.section(u'-', 1).chopped(4);
        }
    }
    void codePagesImportAsUtf8()
    {
        QFETCH(QString, file);
        QFETCH(QString, encoding);
        const QString dir = testData(u"lyricformats/encodings/"_qs);
        const LyricImport::Source utf8 = converted(dir + file.section(u'-', 0, 0) + u"-UTF-8.txt");
        const LyricImport::Source guessed = converted(dir + file);
        QCOMPARE(guessed.encoding, encoding);
        QCOMPARE(screensOf(guessed.song), screensOf(utf8.song));
        QCOMPARE(guessed.song.sequence(), utf8.song.sequence());
        // named by the user, the encoding is taken as it is
        QCOMPARE(screensOf(converted(dir + file, {}, encoding).song), screensOf(utf8.song));
    }

    // One language per song: the one asked for, the program's, the first the board shows.
    void oneLanguagePerSong_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("notes");
        QTest::newRow("first shown") << u"languages.xml"_qs << QString() << u"Morgenlied"_qs << u"languages-left=en"_qs;
        QTest::newRow("asked") << u"languages.xml"_qs << u"en-GB"_qs << u"Morning song"_qs << u"languages-left=de"_qs;
        QTest::newRow("not in the file") << u"languages.xml"_qs << u"cs"_qs << u"Morgenlied"_qs
                                         << u"languages-left=en"_qs;
        QTest::newRow("transliteration") << u"transliterated.xml"_qs << QString() << u"Shir Simcha"_qs
                                         << u"as-stanzas=b1 document-order languages-left=he,en"_qs;
        QTest::newRow("translation") << u"transliterated.xml"_qs << u"en"_qs << u"Song of joy"_qs
                                     << u"as-stanzas=b1 document-order languages-left=he,he/en"_qs;
        QTest::newRow("two-language slides")
            << u"abendlied.sng"_qs << u"2"_qs << u"Abendlied"_qs << u"languages-left=1"_qs;
    }
    void oneLanguagePerSong()
    {
        QFETCH(QString, file);
        QFETCH(QString, language);
        QFETCH(QString, title);
        QFETCH(QString, notes);
        const LyricImport::Source source = converted(testData(u"lyricformats/"_qs + file), language);
        QCOMPARE(source.title, title);
        QCOMPARE(lyricTokens(source.notes.messages()), notes);
        // every screen holds the lines of one language only
        const QString screens = screensOf(source.song);
        const bool german = screens.contains(u"Sonne") || screens.contains(u"Abend");
        const bool english = screens.contains(u"sun") || screens.contains(u"evening") || screens.contains(u"joy");
        QVERIFY2(!(german && english), qPrintable(screens));
    }

    // A batch claims its entries before any is taken: a collision moves one song only, to the
    // lowest number nobody claims, and the report names the entry. A file's own number (its
    // name's, an OpenSong hymn number) is claimed without a songbook being named.
    void oneCollisionMovesOneSong()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(u"card/Pieśni"_qs));
        QStringList files;
        for (int i = 1; i <= 30; ++i) {
            const QString name = QStringLiteral("%1/%2 Pieśń %3.txt").arg(dir.path()).arg(i, 4, 10, QChar(u'0')).arg(i);
            QVERIFY(writeFile(name, QStringLiteral("Zwrotka pieśni %1").arg(i).toUtf8()));
            files << name;
        }
        const QString twice = dir.filePath(u"0001 Powtórka 1.txt"_qs);
        QVERIFY(writeFile(twice, "Powtórka"));
        files.insert(1, twice);
        // An OpenSong hymn number claims as a file name's number does, without a songbook asked for.
        const QString hymn42 = testData(u"lyricformats/Amazing mercy"_qs);
        const QString hymn3 = dir.filePath(u"hymn"_qs);
        QVERIFY(writeFile(hymn3,
                          "<song><title>Hymn</title><hymn_number>3</hymn_number>"
                          "<lyrics>[V1]\n Hymn line</lyrics></song>"));
        files << hymn42 << hymn3;
        const QHash<QString, QPair<int, QString>> moved{
            {twice, {31, u"moved-from=1"_qs}}, {hymn42, {42, QString()}}, {hymn3, {32, u"moved-from=3"_qs}}};
        QList<LyricImport::FileResult> results;
        QVERIFY(LyricImport::importFiles(files, requestFor(dir.filePath(u"card"_qs), u"Pieśni"_qs), results));
        QCOMPARE(results.size(), 33);
        for (const LyricImport::FileResult &r : std::as_const(results)) {
            QCOMPARE(r.outcome, LyricImport::Outcome::Imported);
            if (moved.contains(r.file)) {
                QCOMPARE(r.number, moved.value(r.file).first);
                QCOMPARE(lyricTokens(r.notes.messages()), moved.value(r.file).second);
            } else {
                QCOMPARE(r.number, QFileInfo(r.file).fileName().left(4).toInt());
                QVERIFY(r.notes.messages().isEmpty());
            }
        }
    }

    // An export over an earlier export of the same song replaces it, whatever the songbook;
    // another file of that name keeps it and the song gets " (2)".
    void exportReplacesItsEarlierFile()
    {
        QTemporaryDir dir;
        const QString card = dir.filePath(u"card"_qs);
        const QString out = dir.filePath(u"out"_qs);
        QVERIFY(copyTree(sourceDir() + u"/data/demo-card", card));
        LyricExport::Result result;
        QVERIFY(LyricExport::exportSongs(card, u"Kolędy"_qs, out, u"A"_qs, u"test"_qs, result));
        const QStringList names = QDir(out).entryList(QDir::Files);
        QVERIFY(LyricExport::exportSongs(card, u"Kolędy"_qs, out, u"B"_qs, u"test"_qs, result));
        QCOMPARE(result.written, 5);
        QCOMPARE(QDir(out).entryList(QDir::Files), names);
        const QString song = card + u"/Kolędy/0010 Bóg się rodzi.txt";
        QByteArray bytes = readFile(song);
        bytes.replace("truchleje", "drzy nieco");
        QVERIFY(writeFile(song, bytes));
        QVERIFY(writeFile(out + u"/0011 Wśród nocnej ciszy.xml", "not an export"));
        QVERIFY(LyricExport::exportSongs(card, u"Kolędy"_qs, out, u"B"_qs, u"test"_qs, result));
        QCOMPARE(result.unchanged, 3);
        QVERIFY(readFile(out + u"/0010 Bóg się rodzi.xml").contains("drzy nieco"));
        QCOMPARE(readFile(out + u"/0011 Wśród nocnej ciszy.xml"), QByteArray("not an export"));
        QCOMPARE(QDir(out).entryList(QDir::Files).size(), names.size() + 1);
    }

    // Out to OpenLyrics and back at 20 x 10: every demo song file comes back byte for byte.
    void demoCardRoundTripIsByteExact()
    {
        QTemporaryDir out;
        LyricExport::Result result;
        QVERIFY(
            LyricExport::exportSongs(sourceDir() + u"/data/demo-card", {}, out.path(), u"Demo"_qs, u"test"_qs, result));
        QDirIterator it(sourceDir() + u"/data/demo-card", {u"*.txt"_qs}, QDir::Files, QDirIterator::Subdirectories);
        int songs = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            Song original;
            QVERIFY(SongFile::load(path, original, nullptr, SongLoadOptions{false}));
            LyricImport::Source back = converted(out.filePath(QFileInfo(path).completeBaseName() + u".xml"));
            back.song.setNumber(original.number());
            back.song.setTitle(original.title());
            QCOMPARE(QString::fromLatin1(SongFile::toBytes(back.song)), QString::fromLatin1(readFile(path)));
            ++songs;
        }
        QVERIFY(songs >= 10);
    }

    // Hostile files of every format end in a refusal or a song within the board's limits.
    void hostileFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("token");
        QByteArray parts;
        for (int i = 0; i < 40000; ++i)
            parts += "[V" + QByteArray::number(i) + "]\n x\n";
        QTest::newRow("OpenSong parts") << "<song><title>t</title><lyrics>" + parts + "</lyrics></song>"
                                        << u"too-many-stanzas=33,32"_qs;
        QTest::newRow("OpenSong deep") << "<song>" + QByteArray("<a>").repeated(100000) << u"xml-error=1"_qs;
        QTest::newRow("ChordPro sections")
            << "{title: t}\n" + QByteArray("{soc}\nx\n{eoc}\n{sob}\ny\n{eob}\n").repeated(20000)
            << u"too-many-stanzas=33,32"_qs;
        QByteArray slides = "#Title=t\n---\n";
        for (int i = 0; i < 40000; ++i)
            slides += "Vers " + QByteArray::number(i % 99 + 1) + "\nx\n---\n";
        QTest::newRow("SongBeamer parts") << slides << u"too-many-stanzas=33,32"_qs;
        QTest::newRow("plain numbers") << QByteArray("1. x\n").repeated(40000) << u"too-many-stanzas=33,32"_qs;
        QTest::newRow("one long line") << QByteArray(4000000, 'a') << u"stanza-too-long=1,8"_qs;
        QTest::newRow("NUL bytes") << QByteArray("text\0more", 9) << u"not-plain-text"_qs;
        QTest::newRow("UTF-8 mark, bad body") << QByteArray("\xEF\xBB\xBFZa\xBF\xF3\xB3") << u"bad-encoding=UTF-8"_qs;
    }
    void hostileFilesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, token);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"song"_qs);
        QVERIFY(writeFile(path, bytes));
        QCOMPARE(converted(path).title, u"refused: "_qs + token);
    }
};

LUMIVOX_TEST_MAIN_CORE(TestLyricFormats)
#include "tst_lyricformats.moc"
