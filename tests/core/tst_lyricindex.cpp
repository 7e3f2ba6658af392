// SPDX-License-Identifier: GPL-3.0-or-later
// Lyric search: folding, query rules and ranking on a small card, keeping the index current.
#include "core/search/lyricindex.h"
#include "core/search/lyricindexer.h"
#include "core/library/songlibrary.h"
#include "core/model/songfile.h"
#include "tablerows.h"

namespace {

using Screens = QList<QStringList>; // the lines of each screen of a stanza

// A song whose stanzas hold the given screens' lines (blank lines where none are given).
Song makeSong(const QString &path, const QList<Screens> &stanzas)
{
    Song song;
    SongFile::parseFileName(song, path);
    song.setPath(path);
    for (const Screens &screens : stanzas) {
        song.appendStanza();
        for (const QStringList &lines : screens) {
            song.addScreenAfterCurrent();
            QString text;
            for (const QString &line : lines)
                text += line.leftJustified(kLineChars, u' ', true);
            song.setCurrentScreenText(text);
        }
    }
    song.setDefaultSequence();
    return song;
}

struct Card
{
    QTemporaryDir dir;
    QString root() const { return dir.path() + u'/'; }
    QString path(const QString &group, const QString &name) const { return root() + group + u'/' + name + u".txt"; }
    QString save(const QString &group, const QString &name, const QList<Screens> &stanzas)
    {
        const QString file = path(group, name);
        QDir().mkpath(root() + group);
        Song song = makeSong(file, stanzas);
        return SongFile::save(file, song) ? file : QString();
    }
};

// The fixture card: songs whose words the query rows below are about.
void fillCard(Card &card)
{
    card.save(u"Pieśni"_qs, u"0153 Barka"_qs,
              {{{u"Pan kiedyś stanął"_qs, u"nad brzegiem,"_qs, u"szukał ludzi"_qs}},
               {{u"Jestem ubogim"_qs, u"człowiekiem"_qs}, {}},
               {u"wers 1|wers 2|wers 3|wers 4|wers 5|wers 6|wers 7|wers 8|wers 9|wers 10"_qs.split(u'|'),
                u"x||||||||O Panie, to Ty na|mnie spojrzałeś"_qs.split(u'|')}});
    card.save(u"Pieśni"_qs, u"0020 Zbawicielu nasz"_qs, {{{u"Boże, coś Polskę"_qs}}});
    card.save(u"Kolędy"_qs, u"0011 Wśród nocnej ciszy"_qs,
              {{{u"Wśród nocnej ciszy"_qs, u"głos się rozchodzi"_qs}, {u"Pan Jezus"_qs, u"się rodzi"_qs}},
               {{u"Zbawicielu świata"_qs}}});
    card.save(u"Kolędy"_qs, u"0012 Żółw i Łódź"_qs, {{{u"S'LAMANYA Straße"_qs}}});
    card.save(u"Kolędy"_qs, u"0007 Pan jest"_qs, {{{u"la la"_qs}}});
}

LyricIndex indexOf(const Card &card)
{
    SongLibrary library;
    library.setRoot(card.root());
    library.scanLibrary(ScanFlag::Songs, {}, ScanOptions::readOnly());
    return LyricIndex::build(LyricIndex::songPaths(library));
}

QString where(const LyricHit &hit)
{
    return QStringLiteral("%1 %2/%3/%4").arg(hit.name).arg(hit.stanza).arg(hit.screen).arg(hit.line);
}

QStringList found(const LyricIndex &index, const QString &query)
{
    QStringList hits;
    for (const LyricHit &hit : index.search(query).hits)
        hits << where(hit);
    return hits;
}

} // namespace

class TestLyricIndex : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestSupport::initApplicationIdentity(); }

    void folding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("finds");
        for (const QStringList &row : TestSupport::tableRows(u"lyricindex/folding.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2] << (row[3] == u"1");
    }
    void folding()
    {
        QFETCH(QString, text);
        QFETCH(QString, query);
        QFETCH(bool, finds);
        LyricIndex index;
        index.setSong(makeSong(u"/card/g/0001 Song.txt"_qs, {{{text}}}));
        QCOMPARE(index.search(query).total, finds ? 1 : 0);
    }

    void queries_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("hits");
        for (const QStringList &row : TestSupport::tableRows(u"lyricindex/queries.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2].split(u'|', Qt::SkipEmptyParts);
        QTest::newRow("huge query") << u"pan "_qs.repeated(2500)
                                    << QStringList{u"0007 Pan jest 0/0/0"_qs, u"0153 Barka 1/1/1"_qs,
                                                   u"0011 Wśród nocnej ciszy 1/2/1"_qs};
    }
    void queries()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, hits);
        Card card;
        fillCard(card);
        QCOMPARE(found(indexOf(card), query), hits);
    }

    void hitFields()
    {
        Card card;
        fillCard(card);
        const LyricIndex index = indexOf(card);
        const LyricHit hit = index.search(u"o panie to ty"_qs).hits.value(0);
        QCOMPARE(where(hit), u"0153 Barka 3/2/9"_qs);
        QCOMPARE(hit.snippet, u"O Panie, to Ty na / mnie spojrzałeś"_qs);
        // The last line of a screen has no next line.
        QCOMPARE(index.search(u"\"wers 10\""_qs).hits.value(0).snippet, u"wers 10"_qs);
        const LyricSearchResult many = index.search(u"pan"_qs, 2);
        QCOMPARE(many.hits.size(), 2);
        QCOMPARE(many.total, 3);
    }

    void keptCurrent()
    {
        Card card;
        fillCard(card);
        LyricIndex index = indexOf(card);
        const int reads = index.fileReads();
        // A save puts the song held in memory into the index without reading its file.
        const QString barka = card.path(u"Pieśni"_qs, u"0153 Barka"_qs);
        index.setSong(makeSong(barka, {{{u"Nowe słowa"_qs}}}));
        QCOMPARE(index.fileReads(), reads);
        QCOMPARE(found(index, u"nowe slowa"_qs), QStringList{u"0153 Barka 1/1/1"_qs});
        QCOMPARE(found(index, u"ubogim"_qs), QStringList());

        const QString renamed = card.path(u"Kolędy"_qs, u"0154 Łódka"_qs);
        index.renameSong(barka, renamed);
        QCOMPARE(index.fileReads(), reads);
        QCOMPARE(found(index, u"nowe"_qs), QStringList{u"0154 Łódka 1/1/1"_qs});
        QCOMPARE(found(index, u"lodka"_qs), QStringList{u"0154 Łódka 0/0/0"_qs});
        index.removeSong(renamed);
        QCOMPARE(found(index, u"nowe"_qs), QStringList());
        index.removeDirectory(card.root() + u"Kolędy/"_qs);
        QCOMPARE(found(index, u"pan"_qs), QStringList());
        QCOMPARE(index.songCount(), 1);

        // A file changed behind the index is no longer current; reading it again makes it so.
        const QString zbawiciel = card.path(u"Pieśni"_qs, u"0020 Zbawicielu nasz"_qs);
        QVERIFY(index.isCurrent(zbawiciel));
        QVERIFY(TestSupport::writeFile(zbawiciel, TestSupport::songBytes('q')));
        QVERIFY(!index.isCurrent(zbawiciel));
        QVERIFY(index.readSong(zbawiciel));
        QVERIFY(index.isCurrent(zbawiciel));
        QVERIFY(QFile::remove(zbawiciel));
        QVERIFY(!index.readSong(zbawiciel));
        QCOMPARE(index.songCount(), 0);
    }

    // A build reads only; an unreadable and a 1 MB file are counted or cut, never a crash.
    void buildReadsOnlyAndSurvivesBadFiles()
    {
        Card card;
        fillCard(card);
        const QString huge = card.root() + u"Pieśni/0300 Big.txt"_qs;
        QVERIFY(TestSupport::writeFile(
            huge, "#n 0\r\n#k 1,\r\n" + QByteArray("#z\r\n#e\r\n" + QByteArray(2000, 'a') + "\r\n").repeated(500)));
        const QString locked = card.root() + u"Pieśni/0301 Locked.txt"_qs;
        QVERIFY(TestSupport::writeFile(locked, TestSupport::songBytes('z')));
        QFile::setPermissions(locked, {});
        const QByteArray before = TestSupport::readFile(card.path(u"Pieśni"_qs, u"0153 Barka"_qs));
        SongLibrary library;
        library.setRoot(card.root());
        library.scanLibrary(ScanFlag::Songs, {}, ScanOptions::readOnly());
        int unreadable = 0;
        const LyricIndex index = LyricIndex::build(LyricIndex::songPaths(library), nullptr, &unreadable);
        QCOMPARE(unreadable, QFileInfo(locked).isReadable() ? 0 : 1); // root reads everything
        QCOMPARE(index.search(u"aaaa"_qs).total, 1);
        QCOMPARE(TestSupport::readFile(card.path(u"Pieśni"_qs, u"0153 Barka"_qs)), before);
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner);
    }

    // A second card chosen while the first is read: only the second card's songs are found, and
    // a save made during the build is in the result.
    void indexerSwitchDuringBuild()
    {
        Card first;
        fillCard(first);
        Card second;
        second.save(u"Inne"_qs, u"0001 Alleluja"_qs, {{{u"Chwalcie Pana"_qs}}});
        second.save(u"Inne"_qs, u"0002 Amen"_qs, {{{u"Amen"_qs}}});
        SongLibrary a;
        a.setRoot(first.root());
        a.scanLibrary(ScanFlag::Songs, {}, ScanOptions::readOnly());
        SongLibrary b;
        b.setRoot(second.root());
        b.scanLibrary(ScanFlag::Songs, {}, ScanOptions::readOnly());

        LyricIndexer indexer;
        indexer.rebuild(a);
        indexer.rebuild(b);
        indexer.rebuild(a);
        indexer.rebuild(b);
        QVERIFY(indexer.isBuilding());
        indexer.songSaved(makeSong(second.path(u"Inne"_qs, u"0002 Amen"_qs), {{{u"Pan z wami"_qs}}}));
        indexer.waitForBuild();
        QVERIFY(!indexer.isBuilding());
        QCOMPARE(found(indexer.index(), u"pan"_qs), (QStringList{u"0001 Alleluja 1/1/1"_qs, u"0002 Amen 1/1/1"_qs}));
        // The queued ends of the dropped builds change nothing.
        QCoreApplication::processEvents();
        QCOMPARE(indexer.index().songCount(), 2);
    }
};

QTEST_GUILESS_MAIN(TestLyricIndex)
#include "tst_lyricindex.moc"
