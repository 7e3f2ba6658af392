// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/libraryplaylistresolver.h"
#include "core/library/songlibrary.h"
#include "core/model/boardcharset.h"
#include "core/model/charsetmode.h"
#include "core/model/playlist.h"
#include "testsupport.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A song of three stanzas whose second is the refrain.
QByteArray songWithRefrain()
{
    QByteArray bytes = "#n 0\r\n#k 1,r,3,r,\r\n";
    for (const char *tag : {"#z", "#r", "#z"}) {
        bytes += QByteArray(tag) + "\r\n#e\r\n";
        for (int i = 0; i < 10; ++i)
            bytes += QByteArray(20, 'a') + "\r\n";
    }
    return bytes;
}

// Playlist lines in the board's code, the tabs and line ends kept, LF written as CR LF.
QByteArray withCrLf(QStringView lines)
{
    QByteArray bytes;
    for (QChar c : lines) {
        if (c == u'\n')
            bytes += "\r\n";
        else if (c == u'\t')
            bytes += '\t';
        else
            bytes += char(BoardCharset::encode(c.unicode()));
    }
    return bytes;
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
        const QByteArray songBytes = songWithRefrain();
        QVERIFY(TestSupport::writeFile(m_card + u"Adwent/0001 Kyrie.txt", songBytes));
        QVERIFY(TestSupport::writeFile(m_card + u"Adwent/0009 Łąka.txt", songBytes));
        QVERIFY(TestSupport::writeFile(m_card + u"Boże Narodzenie/0002 Kyrie.txt", songBytes));
        QVERIFY(TestSupport::writeFile(m_card + u"Boże Narodzenie/0004 Gloria.txt", songBytes));
        QVERIFY(TestSupport::writeFile(m_card + u"Русские/0005 Слава.txt", songBytes));
        const QString longTitle = QString(42, u'L');
        QVERIFY(TestSupport::writeFile(m_card + u"Adwent/0006 " + longTitle + u"X.txt", songBytes));
        QVERIFY(TestSupport::writeFile(m_card + u"screen_dir/0007 Ogłoszenie.ekr", songBytes));
        m_library.setRoot(m_card);
        m_library.scanLibrary(ScanFlags::kRefresh);
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

    void entriesResolve()
    {
        IssueList issues;
        const Playlist playlist = read(withCrLf(u"#0/\n#TXT/\t#Kyrie/\t#1/\t#7/\n#TXT/\t#Gloria/\t#3/\t#0/\n"
                                               "#EKR/\t#Ogłoszenie/\t#5/\t#2/\n"), &issues);
        QVERIFY(issues.isEmpty());
        QCOMPARE(playlist.count(), 3);
        const PlaylistEntry &kyrie = playlist.entry(0);
        QVERIFY(kyrie.found);
        QCOMPARE(kyrie.title, QStringLiteral("Kyrie"));
        QCOMPARE(int(kyrie.type), int(PlaylistEntry::Song));
        // Groups in listing order, the first match wins.
        QCOMPARE(kyrie.path, QString(m_card + u"Adwent/0001 Kyrie.txt"));
        QCOMPARE(int(kyrie.songNumber), 1);
        QCOMPARE(int(kyrie.option), 7);
        QCOMPARE(kyrie.stanzaPosition(), 1);
        QVERIFY(!kyrie.isRefrain());
        QCOMPARE(playlist.entry(1).path, QString(m_card + u"Boże Narodzenie/0004 Gloria.txt"));
        QCOMPARE(int(playlist.entry(1).songNumber), 4);
        const PlaylistEntry &slide = playlist.entry(2);
        QVERIFY(slide.found);
        QVERIFY(slide.isSlide());
        QCOMPARE(slide.path, QString(m_card + u"screen_dir/0007 Ogłoszenie.ekr"));
        QCOMPARE(int(slide.songNumber), 7);
        QCOMPARE(int(slide.stanza), 1);
        QCOMPARE(int(slide.option), 2);
    }

    void refrainFlagShownAndWrittenPlain()
    {
        const QByteArray bytes = withCrLf(u"#0/\n#TXT/\t#Kyrie/\t#2/\t#0/\n#TXT/\t#Kyrie/\t#3/\t#0/\n");
        Playlist playlist = read(bytes);
        QVERIFY(playlist.entry(0).isRefrain());
        QCOMPARE(int(playlist.entry(0).stanza), 0x82);
        QCOMPARE(playlist.entry(0).stanzaPosition(), 2);
        QVERIFY(!playlist.entry(1).isRefrain());
        QCOMPARE(playlist.toBytes(), bytes);
    }

    void missingEntryRecordsIssueFive()
    {
        IssueList issues;
        const Playlist playlist = read(withCrLf(u"#0/\n#TXT/\t#Nie ma/\t#1/\t#0/\n#TXT/\t#Ogłoszenie/\t#1/\t#0/\n"
                                               "#EKR/\t#Brak/\t#9/\t#0/\n"), &issues);
        QCOMPARE(playlist.count(), 3);
        QVERIFY(!playlist.entry(0).found);
        QCOMPARE(int(playlist.entry(0).songNumber), 0);
        QVERIFY(playlist.entry(0).path.isEmpty());
        // A song entry is not looked up among the slides.
        QVERIFY(!playlist.entry(1).found);
        // A missing slide still reads its stanza as 1.
        QVERIFY(!playlist.entry(2).found);
        QCOMPARE(int(playlist.entry(2).stanza), 1);
        QCOMPARE(issues.size(), 3);
        QCOMPARE(issues.at(0), (LoadIssue{3, IssueCode::MissingEntry, QStringLiteral("Msza"), IssueFileType::Playlist}));
    }

    void placeholderEntries()
    {
        IssueList issues;
        const QByteArray bytes = withCrLf(u"#0/\n#TXT/\t#Kyrie/\t#1/\t#0/\n#TXT/\t#---/\t#4/\t#1/\n");
        Playlist playlist = read(bytes, &issues);
        QVERIFY(issues.isEmpty());
        const PlaylistEntry &placeholder = playlist.entry(1);
        QVERIFY(placeholder.isPlaceholder());
        QVERIFY(!placeholder.found);
        QCOMPARE(int(placeholder.songNumber), 0);
        QVERIFY(placeholder.path.isEmpty());
        QCOMPARE(placeholder.stanzaPosition(), 4);
        QCOMPARE(playlist.toBytes(), bytes);
    }

    void otherCharsetIsTried()
    {
        const QByteArray cyrillicTitle = BoardCharset::encode(u"Слава");
        IssueList issues;
        const Playlist playlist = read("#0/\r\n#TXT/\t#" + cyrillicTitle + "/\t#1/\t#0/\r\n", &issues);
        QVERIFY(issues.isEmpty());
        QVERIFY(playlist.entry(0).found);
        QCOMPARE(playlist.entry(0).title, QStringLiteral("Слава"));
        QCOMPARE(int(playlist.entry(0).songNumber), 5);

        // And the reverse: a Latin title read while the program runs in Cyrillic mode.
        const Playlist latin = read("#0/\r\n#TXT/\t#" + BoardCharset::encode(u"Łąka") + "/\t#1/\t#0/\r\n", nullptr,
                                    CharsetMode::Cyrillic);
        QVERIFY(latin.entry(0).found);
        QCOMPARE(latin.entry(0).title, QStringLiteral("Łąka"));
        QCOMPARE(int(latin.entry(0).songNumber), 9);
    }

    void blankLineEndsTheList()
    {
        const Playlist playlist = read(withCrLf(u"#0/\n#TXT/\t#Kyrie/\t#1/\t#0/\n\n#TXT/\t#Gloria/\t#1/\t#0/\n"));
        QCOMPARE(playlist.count(), 1);
        QVERIFY(playlist.isLoaded());
        const Playlist lf = read("#0/\n#TXT/\t#Kyrie/\t#1/\t#0/\n#TXT/\t#Gloria/\t#1/\t#0/\n");
        QCOMPARE(lf.count(), 2);
    }

    void titleMatchesAtMost42Characters()
    {
        const QString title42 = QString(42, u'L');
        const Playlist playlist = read("#0/\r\n#TXT/\t#" + title42.toLatin1() + "/\t#1/\t#0/\r\n#TXT/\t#"
                                       + title42.toLatin1() + "X/\t#1/\t#0/\r\n");
        QVERIFY(playlist.entry(0).found);
        QCOMPARE(int(playlist.entry(0).songNumber), 6);
        QVERIFY(!playlist.entry(1).found);
    }

    // Damaged lines: no crash, no runaway memory, the list goes on.
    void malformedLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("stanza");
        QTest::addColumn<int>("option");
        QTest::newRow("field without its slash") << QByteArray("#TXT/\t#Kyrie") << QStringLiteral("Kyrie") << 0 << 0;
        QTest::newRow("missing fields") << QByteArray("#TXT/") << QString() << 0 << 0;
        QTest::newRow("only a hash") << QByteArray("#") << QString() << 0 << 0;
        QTest::newRow("title with a hash") << QByteArray("#TXT/\t#Nr #2/\t#3/\t#4/") << QStringLiteral("Nr #2") << 3 << 4;
        QTest::newRow("unknown type is a song") << QByteArray("#MP3/\t#Kyrie/\t#1/\t#0/") << QStringLiteral("Kyrie") << 1 << 0;
        QTest::newRow("stanza beyond 127 keeps 7 bits") << QByteArray("#TXT/\t#X/\t#130/\t#300/") << QStringLiteral("X") << 2
                                                        << 44;
        QTest::newRow("10000 characters") << ("#TXT/\t#" + QByteArray(10000, 'y') + "/\t#1/\t#0/")
                                          << QString(10000, u'y') << 1 << 0;
        QTest::newRow("binary") << QByteArray("#\x01\x02\xff/\t#\x00\x80/\t#-5/\t#x/", 19) << QString() << 123 << 0;
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
        QCOMPARE(playlist.toBytes(), QByteArray("#0/\r\n#TXT/\t#\xa3") + "aska/\t#2/\t#255/\r\n#EKR/\t#Og\xb3oszenie/\t#1/\t#0/\r\n");
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
        QCOMPARE(loaded.number(), 12);
        QCOMPARE(loaded.name(), QStringLiteral("Niedziela"));
        QCOMPARE(loaded.count(), 1);
        QVERIFY(loaded.entry(0).isRefrain());

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
        library.scanLibrary(ScanFlags::Songs | ScanFlags::Slides);
        Playlist playlist;
        QVERIFY(loadLibraryPlaylist(playlist, path, library, CharsetMode::Latin));
        QCOMPARE(library.issues().size(), 2);
        QCOMPARE(library.issues().at(0).code, int(IssueCode::DuplicateTitle));
        QCOMPARE(library.issues().at(1),
                 (LoadIssue{20, IssueCode::MissingEntry, QStringLiteral("Braki"), IssueFileType::Playlist}));
        QFile::remove(path);
    }
};

LUMIVOX_TEST_MAIN_CORE(TestPlaylist)
#include "tst_playlist.moc"
