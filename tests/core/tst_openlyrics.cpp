// SPDX-License-Identifier: GPL-3.0-or-later
// Lyric files of other song programs into board songs and back: OpenLyrics and plain text.
#include "filesizelimit.h"
#include "tablerows.h"

#include "core/lyrics/lyricexport.h"
#include "core/lyrics/lyricimport.h"
#include "core/lyrics/lyriclayout.h"
#include "core/lyrics/openlyrics.h"
#include "core/model/songfile.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

using namespace TestSupport;

namespace {

const LyricImport::Board kBoards[] = {{20, 10}, {16, 6}};

QString sequenceText(const Song &song)
{
    QStringList entries;
    for (int entry : song.sequence())
        entries << (entry == RefrainMarker ? u"r"_qs : QString::number(entry));
    return entries.join(u' ');
}

// The song as the board shows it; fails the test when a line leaves the board's width or a
// screen its height.
QString dump(const LyricImport::Source &source, const LyricImport::Board &board)
{
    const Song &song = source.song;
    QString out = QStringLiteral("title: %1\nformat: %2 %3\ncharset: %4\nrefrain: %5\nsequence: %6\nnotes: %7\n")
                      .arg(source.title, source.format, source.encoding)
                      .arg(int(song.charset()))
                      .arg(song.refrainIndex())
                      .arg(sequenceText(song), lyricTokens(source.notes.messages()));
    for (int i = 0; i < song.stanzaCount(); ++i) {
        for (int j = 0; j < song.screenCount(i); ++j) {
            out += QStringLiteral("stanza %1 screen %2\n").arg(i + 1).arg(j + 1);
            int first = kScreenLines;
            int last = -1;
            for (int row = 0; row < kScreenLines; ++row) {
                if (!song.lineText(i, j, row).trimmed().isEmpty()) {
                    first = std::min(first, row);
                    last = row;
                }
            }
            // the rows between the first and the last line, a blank one too
            for (int row = first; row <= last; ++row) {
                const QString line = song.lineText(i, j, row);
                if (row >= board.height || !line.mid(board.width).trimmed().isEmpty())
                    out += u"OFF THE BOARD: "_qs;
                out += u'|' + line.left(board.width) + u"|\n";
            }
        }
    }
    return out;
}

QStringList nonEmptyLines(const Song &song, int stanza, int screen)
{
    QStringList lines;
    for (int row = 0; row < kScreenLines; ++row) {
        const QString line = song.lineText(stanza, screen, row).simplified();
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

QStringList demoSongs()
{
    QStringList files;
    QDirIterator it(sourceDir() + u"/data/demo-card", {u"*.txt"_qs}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

bool exportDemo(const QString &outDir, const QString &group = {}, LyricExport::Result *result = nullptr)
{
    LyricExport::Result r;
    const bool ok = LyricExport::exportSongs(sourceDir() + u"/data/demo-card", group, outDir, u"Demo"_qs,
                                             u"Lumivox test"_qs, r);
    if (result)
        *result = r;
    return ok && r.failed.isEmpty();
}

} // namespace

class TestOpenLyrics : public QObject
{
    Q_OBJECT

private slots:
    // Every fixture at both board sizes against its report: the screens as the board shows
    // them, refrain, sequence, notes, or why it was refused.
    void fixtures_data()
    {
        QTest::addColumn<QString>("path");
        const QDir dir(testData(u"openlyrics"_qs));
        for (const QString &name : dir.entryList({u"*.xml"_qs, u"*.txt"_qs}, QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
        // the other formats, recognised by content: any name
        const QDir formats(testData(u"lyricformats"_qs));
        for (const QString &name : formats.entryList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name)) << formats.filePath(name);
    }
    void fixtures()
    {
        QFETCH(QString, path);
        QString report;
        for (const LyricImport::Board &board : kBoards) {
            report += QStringLiteral("== %1x%2\n").arg(board.width).arg(board.height);
            LyricImport::Source source;
            LyricMessage reason;
            if (LyricImport::convert(path, board, u"pl"_qs, source, &reason) == LyricImport::Failure::None)
                report += dump(source, board);
            else
                report += u"refused: "_qs + reason.token() + u'\n';
        }
        QVERIFY2(!report.contains(u"OFF THE BOARD"), qPrintable(report));
        const QString expectedPath = QFileInfo(path).path() + u"/expected/" + QFileInfo(path).completeBaseName()
            + u".txt";
        if (qEnvironmentVariableIsSet("LUMIVOX_WRITE_EXPECTED"))
            writeFile(expectedPath, report.toUtf8());
        QCOMPARE(report, QString::fromUtf8(readFile(expectedPath)));
    }

    void wrapsToTheFewestBalancedLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("width");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("cut");
        for (const QStringList &row : tableRows(u"openlyrics/wrapping.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2].toInt() << row[3].split(u'|') << row[4].toInt();
    }
    void wrapsToTheFewestBalancedLines()
    {
        QFETCH(QString, line);
        QFETCH(int, width);
        QFETCH(QStringList, lines);
        QFETCH(int, cut);
        int cutWords = 0;
        QCOMPARE(LyricLayout::wrapLine(line, width, &cutWords), lines);
        QCOMPARE(cutWords, cut);
    }

    // A stanza of ten blocks needs ten screens and is packed; a block that needs nine is refused.
    void packsBlocksOnlyPastEightScreens()
    {
        LyricPlan plan;
        plan.stanzas.append(QList<QStringList>());
        for (int i = 0; i < 10; ++i)
            plan.stanzas[0].append({QStringLiteral("Block %1").arg(i + 1)});
        plan.sequence = {1};
        Song song;
        LyricNotes notes;
        LyricMessage reason;
        QVERIFY(LyricLayout::layout(plan, 20, 10, song, notes, &reason));
        QCOMPARE(song.screenCount(0), 1);
        QCOMPARE(nonEmptyLines(song, 0, 0).size(), 10);
        plan.stanzas[0] = {QStringList(9 * 6, u"x"_qs)};
        QVERIFY(!LyricLayout::layout(plan, 16, 6, song, notes, &reason));
        QCOMPARE(song.stanzaCount(), 0);
        QCOMPARE(reason.token(), u"stanza-too-long=1,8");
        plan.stanzas = QList<QList<QStringList>>(33, {{u"x"_qs}});
        QVERIFY(!LyricLayout::layout(plan, 20, 10, song, notes, &reason));
        QCOMPARE(reason.token(), u"too-many-stanzas=33,32");
    }

    void refusesHostileInput_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("token");
        QTest::newRow("deep nesting") << "<song><lyrics>" + QByteArray("<a>").repeated(200000) + "</song>"
                                      << u"xml-error=1"_qs;
        for (const QStringList &row : tableRows(u"openlyrics/hostile.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << unescaped(row[1]).toLatin1() << row[2];
    }
    void refusesHostileInput()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, token);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        LyricSong song;
        LyricMessage error;
        QVERIFY(!OpenLyrics::read(buffer, song, &error));
        QCOMPARE(error.token(), token);
    }

    void exportIsWellFormedOpenLyrics()
    {
        QTemporaryDir out;
        QVERIFY(exportDemo(out.path()));
        const QRegularExpression verseName(
            QStringLiteral("^((v[1-9]\\d*[a-z]?)|([cpboie][1-9]\\d?[a-z]?)|([cpboie][a-z]?))$"));
        const QStringList files = QDir(out.path()).entryList({u"*.xml"_qs}, QDir::Files);
        QCOMPARE(files.size(), demoSongs().size());
        for (const QString &file : files) {
            QFile f(out.filePath(file));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QXmlStreamReader xml(&f);
            QStringList names;
            QStringList order;
            while (!xml.atEnd()) {
                if (xml.readNext() != QXmlStreamReader::StartElement)
                    continue;
                QCOMPARE(xml.namespaceUri(), QLatin1StringView(OpenLyrics::kNamespace));
                if (xml.name() == u"song")
                    QCOMPARE(xml.attributes().value(u"version"_qs), u"0.9");
                if (xml.name() == u"verse")
                    names << xml.attributes().value(u"name"_qs).toString();
                if (xml.name() == u"verseOrder")
                    order = xml.readElementText().split(u' ');
            }
            QVERIFY2(!xml.hasError(), qPrintable(file + xml.errorString()));
            for (const QString &name : names)
                QVERIFY2(verseName.match(name).hasMatch(), qPrintable(file + u": " + name));
            for (const QString &token : order)
                QVERIFY2(names.contains(token), qPrintable(file + u": " + token));
        }
    }

    // The demo card out and into an empty card: at 20 x 10 every non-blank screen keeps its
    // lines; at 16 x 6 each stanza keeps its words. Sequence and refrain stay.
    void demoCardRoundTrip_data()
    {
        QTest::addColumn<int>("board");
        QTest::newRow("20x10") << 0;
        QTest::newRow("16x6") << 1;
    }
    void demoCardRoundTrip()
    {
        QFETCH(int, board);
        QTemporaryDir out;
        QVERIFY(exportDemo(out.path()));
        for (const QString &path : demoSongs()) {
            Song original;
            QVERIFY(SongFile::load(path, original, nullptr, SongLoadOptions{false}));
            const QString xml = out.filePath(QFileInfo(path).completeBaseName() + u".xml");
            LyricImport::Source back;
            LyricMessage reason;
            QVERIFY2(LyricImport::convert(xml, kBoards[board], u"pl"_qs, back, &reason) == LyricImport::Failure::None,
                     qPrintable(path + reason.token()));
            QCOMPARE(back.title, original.title());
            QCOMPARE(back.song.sequence(), original.sequence());
            QCOMPARE(back.song.refrainIndex(), original.refrainIndex());
            QCOMPARE(back.song.stanzaCount(), original.stanzaCount());
            for (int i = 0; i < original.stanzaCount(); ++i) {
                QList<QStringList> was;
                QList<QStringList> now;
                for (int j = 0; j < original.screenCount(i); ++j) {
                    if (!nonEmptyLines(original, i, j).isEmpty())
                        was << nonEmptyLines(original, i, j);
                }
                for (int j = 0; j < back.song.screenCount(i); ++j) {
                    if (!nonEmptyLines(back.song, i, j).isEmpty())
                        now << nonEmptyLines(back.song, i, j);
                }
                if (board == 0) {
                    QCOMPARE(now, was);
                } else {
                    const auto words = [](const QList<QStringList> &screens) {
                        QStringList all;
                        for (const QStringList &lines : screens)
                            all += lines;
                        return all.join(u' ').split(u' ');
                    };
                    QCOMPARE(words(now), words(was));
                }
            }
        }
    }

    void exportNeverReplacesAndRepeatsIdentically()
    {
        QTemporaryDir out;
        LyricExport::Result first;
        QVERIFY(exportDemo(out.path(), u"Kolędy"_qs, &first));
        QCOMPARE(first.written, 5);
        const QStringList names = QDir(out.path()).entryList(QDir::Files);
        QVERIFY(names.contains(u"0010 Bóg się rodzi.xml"_qs));
        LyricExport::Result again;
        QVERIFY(exportDemo(out.path(), u"Kolędy"_qs, &again));
        QCOMPARE(again.unchanged, 5);
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), names);
        QVERIFY(writeFile(out.filePath(u"0011 Wśród nocnej ciszy.xml"_qs), "mine"));
        QVERIFY(exportDemo(out.path(), u"Kolędy"_qs));
        QCOMPARE(readFile(out.filePath(u"0011 Wśród nocnej ciszy.xml"_qs)), QByteArray("mine"));
        QVERIFY(QFileInfo::exists(out.filePath(u"0011 Wśród nocnej ciszy (2).xml"_qs)));
    }

    void exportRefusesAFolderInTheCard()
    {
        QTemporaryDir dir;
        QVERIFY(copyTree(sourceDir() + u"/data/demo-card", dir.filePath(u"card"_qs)));
        const QStringList before = treeOf(dir.path(), true);
        LyricExport::Result result;
        LyricMessage error;
        QVERIFY(!LyricExport::exportSongs(dir.filePath(u"card"_qs), {}, dir.filePath(u"card/Kolędy/new/out"_qs), {}, {},
                                          result, {}, &error));
        QCOMPARE(error.token(), u"output-in-card");
        QVERIFY(!LyricExport::exportSongs(dir.filePath(u"card"_qs), u"Nope"_qs, dir.filePath(u"out"_qs), {}, {}, result,
                                          {}, &error));
        QCOMPARE(error.token(), u"no-group=Nope");
        QCOMPARE(treeOf(dir.path(), true), before);
    }

    // A group that takes no more bytes (as a full or write-protected card): the file is refused
    // with the system's reason, and nothing is left behind.
    void importRefusesAFailedWriteLeavingNothing()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(u"Pieśni"_qs));
        LyricImport::Request request;
        request.card = dir.path();
        request.group = u"Pieśni"_qs;
        QList<LyricImport::FileResult> results;
        {
            FileSizeLimit limit(16);
            QVERIFY(limit.active());
            QVERIFY(LyricImport::importFiles({testData(u"openlyrics/version-07.xml"_qs)}, request, results));
        }
        QCOMPARE(results.size(), 1);
        QCOMPARE(results[0].outcome, LyricImport::Outcome::Refused);
        QCOMPARE(results[0].reason.token(), u"write-failed");
        QVERIFY(!results[0].reason.detail.isEmpty());
        QCOMPARE(treeOf(dir.path()), QStringList{u"Pieśni"_qs});
    }
};

LUMIVOX_TEST_MAIN_CORE(TestOpenLyrics)
#include "tst_openlyrics.moc"
