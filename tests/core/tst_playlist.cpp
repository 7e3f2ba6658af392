// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/libraryplaylistresolver.h"
#include "core/library/songlibrary.h"
#include "core/model/boardcharset.h"
#include "core/model/charsetmode.h"
#include "core/model/playlist.h"
#include "tablerows.h"

#include <QBuffer>

namespace {

// Playlist lines in the board's code, the tabs and line ends kept, LF written as CR LF.
QByteArray withCrLf(QStringView lines)
{
    QByteArray bytes;
    for (QChar c : lines)
        bytes += c == u'\n' ? QByteArray("\r\n")
            : c == u'\t'    ? QByteArray("\t")
                            : QByteArray(1, char(BoardCharset::encode(c.unicode())));
    return bytes;
}

// An entry as one line: type, title, stanza position (r for the refrain), option, and where it
// was found (file and number), or "missing".
QString entryLine(const PlaylistEntry &e)
{
    const QString where = e.found ? QStringLiteral("%1 #%2").arg(QDir(e.path).dirName()).arg(e.songNumber)
                                  : QStringLiteral("missing #%1").arg(e.songNumber);
    return QStringLiteral("%1 %2 %3%4 %5 %6")
        .arg(e.isSlide() ? u"EKR"_qs : u"TXT"_qs, e.title)
        .arg(e.stanzaPosition())
        .arg(e.isRefrain() ? u"r"_qs : QString())
        .arg(e.option)
        .arg(where);
}

QStringList entryLines(const Playlist &playlist)
{
    QStringList lines;
    for (const PlaylistEntry &entry : playlist.entries())
        lines << entryLine(entry);
    return lines;
}

} // namespace

class TestPlaylist : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_card;
    SongLibrary m_library;

    Playlist read(const QByteArray &bytes, IssueList *issues = nullptr, CharsetMode charset = CharsetMode::Latin)
    {
        QByteArray data = bytes;
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        Playlist playlist;
        playlist.setNumber(3);
        playlist.setName(QStringLiteral("Msza"));
        LibraryPlaylistResolver resolver(m_library);
        playlist.read(buffer, charset, &resolver, issues);
        return playlist;
    }

private slots:
    void initTestCase()
    {
        m_card = m_dir.filePath(QStringLiteral("card/"));
        // Three stanzas, the second the refrain.
        const QByteArray song = TestSupport::songBytes('a', "1,r,3,r,", {"#z", "#r", "#z"});
        QVERIFY(TestSupport::writeFiles(
            m_card,
            {u"Adwent/0001 Kyrie.txt"_qs, u"Adwent/0009 Łąka.txt"_qs, u"Boże Narodzenie/0002 Kyrie.txt"_qs,
             u"Boże Narodzenie/0004 Gloria.txt"_qs, u"Русские/0005 Слава.txt"_qs,
             u"Adwent/0006 "_qs + QString(42, u'L') + u"X.txt", u"screen_dir/0007 Ogłoszenie.ekr"_qs},
            song));
        m_library.setRoot(m_card);
        m_library.scanLibrary(kRefreshScan);
        QCOMPARE(m_library.issues().size(), 1); // the second Kyrie's title
    }

    void headerOnly()
    {
        const Playlist playlist = read("#0/\r\n");
        QCOMPARE(playlist.count(), 0);
        QVERIFY(playlist.isLoaded());
        QCOMPARE(read(QByteArray()).count(), 0);
        QVERIFY(read("not a playlist\r\n#TXT/\t#Kyrie/\t#1/\t#0/\r\n").isLoaded());
        QCOMPARE(read("not a playlist\r\n#0/\r\n#TXT/\t#Kyrie/\t#1/\t#0/\r\n").count(), 0);
    }

    // Groups in listing order, the first match wins; a song entry is never looked up among the
    // slides; a missing slide still reads its stanza as 1; "---" is a placeholder, never looked up.
    void entriesResolve()
    {
        IssueList issues;
        const QByteArray bytes = withCrLf(u"#0/\n#TXT/\t#Kyrie/\t#1/\t#7/\n#TXT/\t#Gloria/\t#3/\t#0/\n"
                                          "#EKR/\t#Ogłoszenie/\t#5/\t#2/\n#TXT/\t#Kyrie/\t#2/\t#0/\n"
                                          "#TXT/\t#Nie ma/\t#1/\t#0/\n#TXT/\t#Ogłoszenie/\t#1/\t#0/\n"
                                          "#EKR/\t#Brak/\t#9/\t#0/\n#TXT/\t#---/\t#4/\t#1/\n");
        Playlist playlist = read(bytes, &issues);
        QCOMPARE(entryLines(playlist),
                 QStringList({u"TXT Kyrie 1 7 0001 Kyrie.txt #1"_qs, u"TXT Gloria 3 0 0004 Gloria.txt #4"_qs,
                              u"EKR Ogłoszenie 1 2 0007 Ogłoszenie.ekr #7"_qs, u"TXT Kyrie 2r 0 0001 Kyrie.txt #1"_qs,
                              u"TXT Nie ma 1 0 missing #0"_qs, u"TXT Ogłoszenie 1 0 missing #0"_qs,
                              u"EKR Brak 1 0 missing #0"_qs, u"TXT --- 4 1 missing #0"_qs}));
        QVERIFY(playlist.entry(7).isPlaceholder() && playlist.entry(7).path.isEmpty());
        QCOMPARE(issues.size(), 3);
        QCOMPARE(issues.at(0),
                 (LoadIssue{3, IssueCode::MissingEntry, IssueFileType::Playlist, {}, QStringLiteral("Msza")}));
        // The refrain flag is shown, not written; a slide's stanza is always 1.
        QCOMPARE(playlist.toBytes(), QByteArray(bytes).replace("#5/", "#1/").replace("#9/", "#1/"));
    }

    void otherCharsetIsTried()
    {
        const QByteArray cyrillicTitle = BoardCharset::encode(u"Слава");
        IssueList issues;
        const Playlist playlist = read("#0/\r\n#TXT/\t#" + cyrillicTitle + "/\t#1/\t#0/\r\n", &issues);
        QVERIFY(issues.isEmpty());
        QCOMPARE(entryLine(playlist.entry(0)), u"TXT Слава 1 0 0005 Слава.txt #5"_qs);
        // And the reverse: a Latin title read while the program runs in Cyrillic mode.
        const Playlist latin = read("#0/\r\n#TXT/\t#" + BoardCharset::encode(u"Łąka") + "/\t#1/\t#0/\r\n", nullptr,
                                    CharsetMode::Cyrillic);
        QCOMPARE(entryLine(latin.entry(0)), u"TXT Łąka 1 0 0009 Łąka.txt #9"_qs);
    }

    void blankLineEndsTheListAndTitlesMatchAtMost42Characters()
    {
        const Playlist playlist = read(withCrLf(u"#0/\n#TXT/\t#Kyrie/\t#1/\t#0/\n\n#TXT/\t#Gloria/\t#1/\t#0/\n"));
        QCOMPARE(playlist.count(), 1);
        QVERIFY(playlist.isLoaded());
        QCOMPARE(read("#0/\n#TXT/\t#Kyrie/\t#1/\t#0/\n#TXT/\t#Gloria/\t#1/\t#0/\n").count(), 2); // LF only
        const QByteArray title42(42, 'L');
        const Playlist longTitles = read("#0/\r\n#TXT/\t#" + title42 + "/\t#1/\t#0/\r\n#TXT/\t#" + title42
                                         + "X/\t#1/\t#0/\r\n");
        QVERIFY(longTitles.entry(0).found);
        QCOMPARE(int(longTitles.entry(0).songNumber), 6);
        QVERIFY(!longTitles.entry(1).found);
    }

    // Damaged lines: no crash, no runaway memory, the list goes on.
    void malformedLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("stanza");
        QTest::addColumn<int>("option");
        for (const QStringList &row : TestSupport::tableRows(u"playlist-lines/malformed.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << TestSupport::unescaped(row[1]).toLatin1() << (row[2].isEmpty() ? QString() : row[2])
                << row[3].toInt() << row[4].toInt();
        QTest::newRow("10000 characters")
            << ("#TXT/\t#" + QByteArray(10000, 'y') + "/\t#1/\t#0/") << QString(10000, u'y') << 1 << 0;
    }
    void malformedLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, title);
        QFETCH(int, stanza);
        QFETCH(int, option);
        const Playlist playlist = read("#0/\r\n" + line + "\r\n#TXT/\t#Gloria/\t#1/\t#0/\r\n");
        QCOMPARE(playlist.count(), 2);
        if (!title.isNull())
            QCOMPARE(playlist.entry(0).title, title);
        QCOMPARE(playlist.entry(0).stanzaPosition(), stanza);
        QCOMPARE(int(playlist.entry(0).option), option);
        QVERIFY(playlist.entry(1).found);
    }

    // Bytes that do not decode and encode back to themselves are written back as they were read.
    void unresolvedTitleWrittenBackUnchanged()
    {
        const QByteArray bytes("#0/\r\n#TXT/\t#\xc0\xc1 \x81/\t#1/\t#0/\r\n");
        Playlist playlist = read(bytes);
        QVERIFY(!playlist.entry(0).found);
        QCOMPARE(playlist.toBytes(), bytes);
        playlist.entry(0).title = QStringLiteral("Gloria");
        QCOMPARE(playlist.toBytes(), QByteArray("#0/\r\n#TXT/\t#Gloria/\t#1/\t#0/\r\n"));
    }

    void writerFormat()
    {
        Playlist playlist;
        PlaylistEntry song;
        song.title = QStringLiteral("Łaska");
        song.stanza = 2 | PlaylistEntry::kRefrainFlag;
        song.option = 255;
        playlist.append(song);
        PlaylistEntry slide;
        slide.type = PlaylistEntry::Slide;
        slide.title = QStringLiteral("Ogłoszenie");
        slide.stanza = 1;
        playlist.append(slide);
        QCOMPARE(playlist.toBytes(),
                 QByteArray("#0/\r\n#TXT/\t#\xa3") + "aska/\t#2/\t#255/\r\n#EKR/\t#Og\xb3oszenie/\t#1/\t#0/\r\n");
        QCOMPARE(Playlist().toBytes(), QByteArray("#0/\r\n"));
    }

    void saveAndLoad()
    {
        const QString path = m_card + u"playlist_dir/0012 Niedziela.lst";
        QVERIFY(QDir().mkpath(m_card + u"playlist_dir"));
        Playlist playlist = read(withCrLf(u"#0/\n#TXT/\t#Kyrie/\t#2/\t#1/\n#EKR/\t#Ogłoszenie/\t#1/\t#0/\n"));
        playlist.remove(5);
        QVERIFY(!playlist.isDirty());
        playlist.remove(1);
        QVERIFY(playlist.isDirty());
        QVERIFY(playlist.save(path));
        QVERIFY(!playlist.isDirty());
        QCOMPARE(TestSupport::readFile(path), withCrLf(u"#0/\n#TXT/\t#Kyrie/\t#2/\t#1/\n"));

        Playlist loaded;
        LibraryPlaylistResolver resolver(m_library);
        QVERIFY(loaded.load(path, CharsetMode::Latin, &resolver));
        QCOMPARE(QStringList({QString::number(loaded.number()), loaded.name()}),
                 QStringList({u"12"_qs, u"Niedziela"_qs}));
        QCOMPARE(entryLines(loaded), QStringList{u"TXT Kyrie 2r 1 0001 Kyrie.txt #1"_qs});

        QString error;
        QVERIFY(!loaded.load(m_card + u"playlist_dir/0013 Brak.lst", CharsetMode::Latin, &resolver, nullptr, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(loaded.count(), 0);
        QCOMPARE(loaded.number(), -1);
        QVERIFY(!loaded.save(m_card + u"no such dir/0001 X.lst"));
    }

    void libraryLoadRecordsIssuesInTheLibrary()
    {
        const QString path = m_card + u"playlist_dir/0020 Braki.lst";
        QVERIFY(TestSupport::writeFile(path, "#0/\r\n#TXT/\t#Brak/\t#1/\t#0/\r\n"));
        SongLibrary library;
        library.setRoot(m_card);
        library.scanLibrary(ScanFlag::Songs | ScanFlag::Slides);
        Playlist playlist;
        QVERIFY(loadLibraryPlaylist(playlist, path, library, CharsetMode::Latin));
        QCOMPARE(library.issues().size(), 2);
        QCOMPARE(library.issues().at(0).code, IssueCode::DuplicateTitle);
        QCOMPARE(library.issues().at(1),
                 (LoadIssue{20, IssueCode::MissingEntry, IssueFileType::Playlist, {}, QStringLiteral("Braki")}));
        QFile::remove(path);
    }
};

LUMIVOX_TEST_MAIN_CORE(TestPlaylist)
#include "tst_playlist.moc"
