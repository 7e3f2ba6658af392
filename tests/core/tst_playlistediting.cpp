// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/playlistediting.h"
#include "core/model/song.h"
#include "tablerows.h"

#include <QTest>

using namespace PlaylistEditing;

namespace {

Song makeSong(const QString &title, int stanzas, int refrain, const QList<int> &sequence)
{
    Song song;
    song.setTitle(title);
    song.setNumber(12);
    for (int i = 0; i < stanzas; ++i)
        song.appendStanza();
    song.setRefrainIndex(refrain);
    song.setSequence(sequence);
    return song;
}

Playlist titled(const QStringList &titles)
{
    Playlist playlist;
    for (const QString &title : titles) {
        PlaylistEntry entry;
        entry.title = title;
        playlist.append(entry);
    }
    return playlist;
}

QStringList titlesOf(const Playlist &playlist)
{
    QStringList titles;
    for (const PlaylistEntry &entry : playlist.entries())
        titles << entry.title;
    return titles;
}

QList<int> stanzasOf(const Playlist &playlist)
{
    QList<int> stanzas;
    for (const PlaylistEntry &entry : playlist.entries())
        stanzas << entry.stanza;
    return stanzas;
}

} // namespace

class TestPlaylistEditing : public QObject
{
    Q_OBJECT
private slots:
    void insertChoices_data()
    {
        QTest::addColumn<QList<int>>("song");   // stanzas, refrain, then the sequence
        QTest::addColumn<QList<int>>("choice"); // mode, stanza, from, to
        QTest::addColumn<QList<int>>("expected");
        QTest::addColumn<QList<int>>("found");
        using TestSupport::numbers;
        for (const QStringList &row : TestSupport::tableRows(u"playlist-lines/inserts.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << QList<int>{row[1].toInt(), row[2].toInt()} + numbers(row[3]) << numbers(row.mid(4, 4).join(u','))
                << numbers(row[8]) << numbers(row[9]);
    }

    void insertChoices()
    {
        QFETCH(QList<int>, song);
        QFETCH(QList<int>, choice);
        QFETCH(QList<int>, expected);
        QFETCH(QList<int>, found);
        Playlist playlist;
        int position = 0;
        const InsertResult result = insertEntries(
            playlist, &position, makeSong(u"Gloria"_qs, song[0], song[1], song.mid(2)), u"/x/0012 Gloria.txt"_qs,
            {choice[0], choice[1], choice[2], choice[3], kDefaultOption});
        QCOMPARE(stanzasOf(playlist), expected);
        QCOMPARE(result.added, expected.size());
        QCOMPARE(position, expected.size());
        QVERIFY(playlist.isDirty());
        for (int i = 0; i < found.size(); ++i) {
            QCOMPARE(int(playlist.entry(i).found), found[i]);
            QCOMPARE(playlist.entry(i).option, kDefaultOption);
            QCOMPARE(playlist.entry(i).songNumber, 12);
        }
    }

    void insertKeepsOrderAtPosition()
    {
        Playlist playlist = titled({QStringLiteral("A"), QStringLiteral("B")});
        Song slide = makeSong(QStringLiteral("S"), 1, 0, {});
        slide.setKind(SongKind::Slide);
        const Song song = makeSong(QStringLiteral("G"), 2, 0, {1, 2});
        int position = 1;
        insertEntries(playlist, &position, song, {}, {});
        insertEntries(playlist, &position, slide, {}, {InsertChoice::Range, 1, 3, 5, kDefaultOption});
        QCOMPARE(titlesOf(playlist), QStringLiteral("A G G S B").split(u' '));
        QCOMPARE(position, 4);
        QCOMPARE(playlist.entry(3).type, PlaylistEntry::Slide);
        QCOMPARE(playlist.entry(3).stanza, 1);
        // A position past the end is clamped to the end.
        position = 99;
        insertEntries(playlist, &position, slide, {}, {});
        QCOMPARE(playlist.entry(5).title, QStringLiteral("S"));
    }

    void insertStopsAtLimit()
    {
        QList<int> sequence(60, 1);
        const Song song = makeSong(QStringLiteral("Long"), 1, 0, sequence);
        Playlist playlist = titled(QStringList(50, QStringLiteral("X")));
        int position = 50;
        InsertResult result = insertEntries(playlist, &position, song, {}, {});
        QCOMPARE(result.added, 50);
        QVERIFY(result.full);
        QCOMPARE(playlist.count(), kMaxEntries);
        // A file may hold more than the limit: adding to it adds nothing.
        Playlist big = titled(QStringList(150, QStringLiteral("X")));
        position = 0;
        result = insertEntries(big, &position, song, {}, {});
        QCOMPARE(result.added, 0);
        QVERIFY(result.full);
        QCOMPARE(big.count(), 150);
    }

    void moveEntry_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("insertPosition");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("order");
        for (const QStringList &row : TestSupport::tableRows(u"playlist-lines/moves.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1].toInt() << row[2].toInt() << row[3].toInt() << row[4];
    }

    void moveEntry()
    {
        QFETCH(int, from);
        QFETCH(int, insertPosition);
        QFETCH(int, target);
        QFETCH(QString, order);
        Playlist playlist = titled(QStringLiteral("a b c d e f").split(u' '));
        QCOMPARE(PlaylistEditing::moveEntry(playlist, from, insertPosition), target);
        QCOMPARE(titlesOf(playlist).join(u' '), order);
        QCOMPARE(playlist.isDirty(), target >= 0);
    }

    void removeAdjacentTakesOneOccurrence()
    {
        Playlist playlist = titled(QStringLiteral("A B B B C B B").split(u' '));
        QCOMPARE(removeAdjacent(playlist, 2), 3);
        QCOMPARE(titlesOf(playlist).join(u' '), QStringLiteral("A C B B"));
        QCOMPARE(removeAdjacent(playlist, 3), 2);
        QCOMPARE(titlesOf(playlist).join(u' '), QStringLiteral("A C"));
        QCOMPARE(removeAdjacent(playlist, 5), 0);
    }

    void showable_data()
    {
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("stanza");
        QTest::addColumn<bool>("showable");
        for (const QStringList &row : TestSupport::tableRows(u"playlist-lines/showable.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << (row[1] == u"1") << row[2].toInt() << row[3].toInt() << (row[4] == u"1");
    }

    void showable()
    {
        QFETCH(bool, found);
        QFETCH(int, type);
        QFETCH(int, stanza);
        QFETCH(bool, showable);
        const Song song = makeSong(QStringLiteral("G"), 4, 3, {1});
        PlaylistEntry entry;
        entry.found = found;
        entry.type = quint8(type);
        entry.stanza = quint8(stanza);
        QCOMPARE(isShowable(entry, &song), showable);
        QVERIFY(!isShowable(entry, nullptr));
    }
};

QTEST_GUILESS_MAIN(TestPlaylistEditing)
#include "tst_playlistediting.moc"
