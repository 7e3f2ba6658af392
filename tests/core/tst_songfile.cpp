// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/boardcharset.h"
#include "core/model/songfile.h"
#include "filesizelimit.h"
#include "tablerows.h"

namespace {

QString fixture(const char *name)
{
    return TestSupport::testData(QStringLiteral("songfile/") + QString::fromUtf8(name));
}

QString pad(const QString &line)
{
    return line.leftJustified(kLineChars, u' ');
}

QString screenOf(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += pad(line);
    return Song::normalizedScreenText(text);
}

// Reads bytes as the file "0007 Test.<extension>".
Song readBytes(const QByteArray &bytes, IssueList *issues = nullptr, SongKind kind = SongKind::Song,
               SongReadInfo *info = nullptr)
{
    Song song;
    song.setPath(kind == SongKind::Slide ? QStringLiteral("/lib/0007 Test.ekr") : QStringLiteral("/lib/0007 Test.txt"));
    SongFile::parseFileName(song, song.path());
    SongFile::fromBytes(bytes, song, issues, info);
    return song;
}

QList<int> codes(const IssueList &issues)
{
    QList<int> result;
    for (const LoadIssue &issue : issues)
        result.append(int(issue.code));
    return result;
}

QByteArray lines(const QList<QByteArray> &rows)
{
    QByteArray out;
    for (const QByteArray &row : rows)
        out += row + "\r\n";
    return out;
}

// "#e" and ten text lines.
QByteArray screenBytes(const QList<QByteArray> &text, const QByteArray &directive = "#e")
{
    QList<QByteArray> rows{directive};
    for (int k = 0; k < kScreenLines; ++k)
        rows.append(k < text.size() ? text[k] : QByteArray());
    return lines(rows);
}

} // namespace

class TestSongFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // After reading, writing and reading again the song must not change, and the canonical
    // bytes must be a fixed point: what "song rewrite" promises for any input.
    static void verifyCanonicalRewrite(const Song &first)
    {
        const QByteArray canonical = SongFile::toBytes(first);
        IssueList issues;
        const Song second = readBytes(canonical, &issues, first.kind());
        QVERIFY(second.sameContent(first));
        QCOMPARE(SongFile::toBytes(second), canonical);
        QVERIFY(!codes(issues).contains(int(IssueCode::ShortLine)));
    }

private slots:
    void exampleFileIsWrittenToTheByte()
    {
        Song song;
        song.appendStanza();
        song.addScreenAfterCurrent();
        song.setCurrentScreenText(screenOf({u"Pan jest pasterzem"_qs,
                                            u"moim, niczego mi"_qs,
                                            u"nie brak."_qs,
                                            {},
                                            u"Pozwala mi leżeć"_qs,
                                            u"na zielonych"_qs,
                                            u"pastwiskach."_qs}));
        song.appendStanza();
        song.setRefrainIndex(2);
        song.addScreenAfterCurrent();
        song.setCurrentScreenText(screenOf(
            {{}, {}, u"Alleluja,"_qs, u"alleluja!"_qs, {}, u"Łaska i pokój"_qs, {}, {}, {}, u"  Święty Bóg"_qs}));
        song.setSequence({1, RefrainMarker});

        const QByteArray expected = TestSupport::readFile(fixture("0001 Example.txt"));
        QVERIFY(!expected.isEmpty());
        QCOMPARE(SongFile::toBytes(song), expected);

        IssueList issues;
        Song loaded;
        QVERIFY(SongFile::load(fixture("0001 Example.txt"), loaded, &issues));
        QVERIFY(issues.isEmpty());
        QVERIFY(loaded.sameContent(song));
        QCOMPARE(loaded.savedNumber(), 1);
        QCOMPARE(loaded.savedTitle(), QStringLiteral("Example"));
        QVERIFY(!loaded.isDirty());
    }

    void cyrillicFileWithTimes()
    {
        Song song;
        QVERIFY(SongFile::load(fixture("0002 Timed.txt"), song));
        QCOMPARE(song.charset(), CharsetMode::Cyrillic);
        QVERIFY(song.hasTimings());
        QCOMPARE(song.refrainIndex(), 1);
        QCOMPARE(song.sequence(), (QList<int>{2, RefrainMarker, 3, RefrainMarker}));
        QCOMPARE(QStringList({song.lineText(0, 0, 1), song.lineText(1, 0, 1), song.lineText(2, 0, 0)}),
                 QStringList({pad(u"Ґ ї № 5"_qs), pad(u"я в начале"_qs), pad(u"Ёлка Єва Її"_qs)}));
        QCOMPARE(QList<int>({song.screenTime(0, 0), song.screenTime(1, 1), song.screenTime(2, 0)}),
                 QList<int>({35, 0, 125}));
        QCOMPARE(song.performanceScreenCount(), 5);
        QCOMPARE(SongFile::toBytes(song), TestSupport::readFile(fixture("0002 Timed.txt")));
    }

    // Number and title follow the name rule of tst_librarynaming; here the kind and the length.
    void parseFileName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("issueFileType"); // 0: no issue
        const QString forty = u"0012 "_qs + QString(31, u'x') + u".txt"_qs;
        const QString slideForty = u"0012 "_qs + QString(31, u'x') + u".ekr"_qs;
        QTest::newRow("slide") << u"0499 Ogłoszenia.ekr"_qs << 499 << u"Ogłoszenia"_qs << 1 << 0;
        QTest::newRow("extension in capitals") << u"0003 Abc.TXT"_qs << 3 << u"Abc"_qs << 0 << 0;
        QTest::newRow("other extension keeps kind") << u"0003 Abc.doc"_qs << 3 << u"Abc"_qs << 2 << 0;
        QTest::newRow("39 characters") << forty.mid(1) << 12 << QString(30, u'x') << 0 << 0;
        QTest::newRow("40 characters") << forty << 12 << QString(31, u'x') << 0 << 1;
        QTest::newRow("40 characters, slide") << slideForty << 12 << QString(31, u'x') << 1 << 2;
    }
    void parseFileName()
    {
        QFETCH(QString, path);
        QFETCH(int, number);
        QFETCH(QString, title);
        QFETCH(int, kind);
        QFETCH(int, issueFileType);
        Song song;
        song.setKind(SongKind::NewSong);
        IssueList issues;
        SongFile::parseFileName(song, path, &issues);
        QCOMPARE(song.number(), number);
        QCOMPARE(song.title(), title);
        QCOMPARE(int(song.kind()), kind);
        if (issueFileType == 0) {
            QVERIFY(issues.isEmpty());
        } else {
            QCOMPARE(issues.size(), 1);
            QCOMPARE(
                issues.at(0),
                (LoadIssue{
                    12, IssueCode::NameTooLong, IssueFileType(issueFileType), {}, QFileInfo(path).completeBaseName()}));
        }
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("slide");
        QTest::addColumn<QList<int>>("sequence");
        QTest::addColumn<QList<int>>("screenCounts");
        QTest::addColumn<QList<int>>("issueCodes");
        const QByteArray full = screenBytes(QList<QByteArray>(kScreenLines, QByteArray(kLineChars, 'a')));
        for (const QStringList &row : TestSupport::tableRows(u"songrows/reading.tsv"_qs)) {
            QByteArray bytes;
            for (const QString &line : row[1].split(u'|'))
                bytes += line == u"@" ? full : line.toLatin1() + "\r\n";
            if (row[2] == u"lf")
                bytes.replace("\r\n", "\n");
            QTest::newRow(qPrintable(row[0])) << bytes << (row[2] == u"slide") << TestSupport::numbers(row[3])
                                              << TestSupport::numbers(row[4]) << TestSupport::numbers(row.value(5));
        }
    }
    void reading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, slide);
        QFETCH(QList<int>, sequence);
        QFETCH(QList<int>, screenCounts);
        QFETCH(QList<int>, issueCodes);
        IssueList issues;
        const Song song = readBytes(bytes, &issues, slide ? SongKind::Slide : SongKind::Song);
        QCOMPARE(song.sequence(), sequence);
        QList<int> counts;
        for (int i = 0; i < song.stanzaCount(); ++i)
            counts.append(song.screenCount(i));
        QCOMPARE(counts, screenCounts);
        QCOMPARE(codes(issues), issueCodes);
        for (const LoadIssue &issue : issues) {
            QCOMPARE(issue.fileType, IssueFileType::Song); // whatever the kind of file
            QCOMPARE(issue.number, 7);
            QCOMPARE(issue.location(), QStringLiteral("0007 Test"));
        }
        verifyCanonicalRewrite(song);
    }

    void screenLines_data()
    {
        QTest::addColumn<QByteArray>("charsetLine");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shortLine");
        for (const QStringList &row : TestSupport::tableRows(u"songrows/screenlines.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << row[1].toLatin1() << TestSupport::unescaped(row[2]).toLatin1() << row[3] << (row[4] == u"1");
    }
    void screenLines()
    {
        QFETCH(QByteArray, charsetLine);
        QFETCH(QByteArray, line);
        QFETCH(QString, text);
        QFETCH(bool, shortLine);
        IssueList issues;
        const Song song = readBytes(lines({charsetLine, "#k 1,", "#z"}) + screenBytes({line}), &issues);
        QCOMPARE(song.lineText(0, 0, 0), pad(text));
        QCOMPARE(codes(issues).count(int(IssueCode::ShortLine)), 9 + (shortLine ? 1 : 0));
        verifyCanonicalRewrite(song);
    }

    // Characters that would break the file or read back as an empty line are written as spaces.
    void writerKeepsTheLineStructure()
    {
        Song song;
        song.appendStanza();
        song.addScreenAfterCurrent();
        song.setCurrentScreenText(pad(u"ÿ Latin"_qs) + pad(u"a\tb\u0000c\u010Ad\re\nf"_qs) + pad(u"€ŐőЉ∑ǅ\u00A0☺"_qs));
        const QByteArray latin = SongFile::toBytes(song);
        QVERIFY(latin.contains("\r\n  Latin             \r\na b c d e f         \r\n"));
        QCOMPARE(latin.count('\n'), 2 + 2 + 10);
        QCOMPARE(latin.count('\r'), latin.count('\n'));

        song.setCharset(CharsetMode::Cyrillic);
        song.setCurrentScreenText(pad(u"яблоко"_qs));
        const QByteArray cyrillic = SongFile::toBytes(song);
        QVERIFY(cyrillic.contains("\r\n\xFF\xE1\xEB\xEE\xEA\xEE              \r\n"));
        QCOMPARE(readBytes(cyrillic).lineText(0, 0, 0), pad(u"яблоко"_qs));
    }

    void timings()
    {
        const QByteArray bytes = lines({"#k 1,", "#z"}) + screenBytes({"a"}) + screenBytes({"b"}, "#e 12")
            + screenBytes({"c"}, "#e ");
        const Song song = readBytes(bytes);
        QVERIFY(song.hasTimings());
        QCOMPARE(QList<int>({song.screenTime(0, 0), song.screenTime(0, 1), song.screenTime(0, 2)}),
                 QList<int>({0, 12, 0}));
        QVERIFY(SongFile::toBytes(song).contains("#e 0\r\na "));
        QVERIFY(SongFile::toBytes(song).contains("#e 12\r\n"));

        Song untimed = song;
        untimed.setHasTimings(false);
        const QByteArray written = SongFile::toBytes(untimed);
        QVERIFY(!written.contains("#e "));
        QVERIFY(!readBytes(written).hasTimings());
        QVERIFY(!readBytes(lines({"#z"}) + screenBytes({"a"})).hasTimings());
    }

    void handTypedFileIsRewrittenAtOnce()
    {
        const QString path = m_dir.filePath(QStringLiteral("0003 Tabs and short lines.txt"));
        const QByteArray original = TestSupport::readFile(fixture("0003 Tabs and short lines.txt"));
        QVERIFY(TestSupport::writeFile(path, original));

        IssueList issues;
        Song readOnly;
        QVERIFY(SongFile::load(path, readOnly, &issues, SongLoadOptions{false}));
        QCOMPARE(TestSupport::readFile(path), original);
        QCOMPARE(codes(issues), QList<int>(19, int(IssueCode::ShortLine)));
        QCOMPARE(readOnly.lineText(1, 0, 1), pad(u" indented"_qs));
        QCOMPARE(readOnly.lineText(1, 0, 2), pad(u"tab inside"_qs));
        QCOMPARE(readOnly.lineText(1, 0, 5), pad(QString()));
        QCOMPARE(readOnly.lineText(1, 1, 0), pad(u"short"_qs));

        Song song;
        QString error;
        QVERIFY(SongFile::load(path, song, nullptr, {}, &error));
        QVERIFY(error.isEmpty());
        const QByteArray rewritten = TestSupport::readFile(path);
        QVERIFY(!rewritten.contains('\t'));
        QCOMPARE(rewritten, SongFile::toBytes(readOnly));
        QVERIFY(song.sameContent(readOnly));
        IssueList again;
        Song reread;
        QVERIFY(SongFile::load(path, reread, &again));
        QVERIFY(again.isEmpty());
        QVERIFY(reread.sameContent(readOnly));
    }

    // The disk refuses the rewrite: the song is read all the same, the file stays as it was and
    // the caller learns that it was not rewritten, and why.
    void failedRewriteIsReported()
    {
        const QString path = m_dir.filePath(QStringLiteral("0003 Tabs and short lines.txt"));
        const QByteArray original = TestSupport::readFile(fixture("0003 Tabs and short lines.txt"));
        QVERIFY(TestSupport::writeFile(path, original));
        Song song;
        QString error;
        bool loaded = false;
        {
            FileSizeLimit limit(64);
            QVERIFY(limit.active());
            loaded = SongFile::load(path, song, nullptr, {}, &error);
        }
        QVERIFY(loaded);
        QCOMPARE(song.lineText(1, 0, 2), pad(u"tab inside"_qs));
        QCOMPARE(TestSupport::readFile(path), original);
        QVERIFY2(error.contains(u"not rewritten") && error.endsWith(qt_error_string(EFBIG)), qPrintable(error));
    }

    void tabOutsideTheKeptBytesNeedsNoRewrite()
    {
        SongReadInfo info;
        readBytes(lines({"#k\t1,", "#z"}) + screenBytes({"12345678901234567890\t"}), nullptr, SongKind::Song, &info);
        QVERIFY(!info.tabsReplaced);
        readBytes(lines({"#z"}) + screenBytes({"1\t3"}), nullptr, SongKind::Song, &info);
        QVERIFY(info.tabsReplaced);
    }

    void slideFileReadsAndWritesBack()
    {
        Song slide;
        IssueList issues;
        QVERIFY(SongFile::load(fixture("0004 Slide.ekr"), slide, &issues, SongLoadOptions{false}));
        QVERIFY(issues.isEmpty());
        QCOMPARE(slide.kind(), SongKind::Slide);
        QVERIFY(slide.sequence().isEmpty());
        QCOMPARE(slide.lineText(0, 0, 0), pad(u"Ogłoszenia"_qs));
        const QByteArray written = SongFile::toBytes(slide);
        QVERIFY(written.startsWith("#n 0\r\n#k \r\n#z\r\n"));
        QVERIFY(readBytes(written, nullptr, SongKind::Slide).sameContent(slide));
    }

    void limitsDropTheRestAndPreventTheRewrite()
    {
        QByteArray bytes = lines({"#k 1,"});
        for (int i = 0; i < kMaxStanzas + 2; ++i)
            bytes += lines({"#z"}) + screenBytes({"x\ty"});
        for (int j = 0; j < kMaxScreensPerStanza + 3; ++j)
            bytes += screenBytes({"\t"});
        const QString path = m_dir.filePath(QStringLiteral("0008 Big.txt"));
        QVERIFY(TestSupport::writeFile(path, bytes));
        IssueList issues;
        Song song;
        QVERIFY(SongFile::load(path, song, &issues));
        QCOMPARE(song.stanzaCount(), kMaxStanzas);
        QCOMPARE(song.screenCount(kMaxStanzas - 1), 1); // the surplus screens belong to a dropped stanza
        QCOMPARE(codes(issues).count(int(IssueCode::LimitExceeded)), 1);
        QCOMPARE(TestSupport::readFile(path), bytes); // not rewritten though it held tabs

        QByteArray screens = lines({"#z"});
        for (int j = 0; j < kMaxScreensPerStanza + 3; ++j)
            screens += screenBytes({QByteArray::number(j)});
        const Song capped = readBytes(screens);
        QCOMPARE(capped.screenCount(0), kMaxScreensPerStanza);
        QCOMPARE(capped.lineText(0, kMaxScreensPerStanza - 1, 0), pad(u"7"_qs));
    }

    // A megabyte of "#e" lines: the screens beyond the limit are dropped with one issue.
    void hugeFileOfScreenDirectives()
    {
        const QString path = m_dir.filePath(QStringLiteral("0009 Huge.txt"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#k 1,\r\n#z\r\n");
            const QByteArray block = QByteArray("#e\r\n").repeated(256 * 1024);
            QCOMPARE(file.write(block), block.size());
        }
        IssueList issues;
        Song song;
        QVERIFY(SongFile::load(path, song, &issues));
        QCOMPARE(song.stanzaCount(), 1);
        QCOMPARE(song.screenCount(0), kMaxScreensPerStanza);
        QCOMPARE(song.lineText(0, 0, 0), pad(u"#e"_qs));
        QCOMPARE(codes(issues).count(int(IssueCode::ShortLine)), kMaxScreensPerStanza * kScreenLines);
        QCOMPARE(codes(issues).count(int(IssueCode::LimitExceeded)), 1);
        verifyCanonicalRewrite(song);
        QFile::remove(path);
    }

    void saveIsAtomicAndFollowsTheName()
    {
        Song song;
        QVERIFY(SongFile::load(fixture("0001 Example.txt"), song, nullptr, SongLoadOptions{false}));
        song.setDirty(true);

        // A directory in the way: the save fails and the song keeps its state.
        const QString blocked = m_dir.filePath(QStringLiteral("0005 Blocked.txt"));
        QVERIFY(QDir().mkpath(blocked + u"/inside"));
        QString error;
        QVERIFY(!SongFile::save(blocked, song, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(blocked).isDir());
        QVERIFY(!SongFile::save(m_dir.filePath(QStringLiteral("missing/0005 X.txt")), song));
        QVERIFY(song.isDirty());
        QCOMPARE(song.number(), 1);

        const QString target = m_dir.filePath(QStringLiteral("0042 Nowy tytuł.ekr"));
        QVERIFY(TestSupport::writeFile(target, "old content"));
        QVERIFY(SongFile::save(target, song));
        QCOMPARE(TestSupport::readFile(target), TestSupport::readFile(fixture("0001 Example.txt")));
        QCOMPARE(QStringList(
                     {song.path(), QString::number(song.number()), song.title(), QString::number(song.savedNumber())}),
                 QStringList({target, u"42"_qs, u"Nowy tytuł"_qs, u"42"_qs}));
        QCOMPARE(song.kind(), SongKind::Slide);
        QVERIFY(!song.isDirty());
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("*0042*")}, QDir::Files | QDir::Hidden).size(), 1);
    }

    void loadOfMissingFileLeavesTheSongAlone()
    {
        Song song;
        song.setNumber(5);
        QString error;
        QVERIFY(!SongFile::load(m_dir.filePath(QStringLiteral("0001 none.txt")), song, nullptr, {}, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(song.number(), 5);
        QVERIFY(song.path().isEmpty());
        QVERIFY(!SongFile::load(m_dir.path(), song));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestSongFile)
#include "tst_songfile.moc"
