// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's stanza and sequence edits, the save checks and the save plans on a card folder.
#include "core/editor/songediting.h"
#include "core/editor/songsaving.h"
#include "core/model/song.h"
#include "core/model/songfile.h"
#include "core/util/textids.h"
#include "tablerows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// n stanzas of one screen each, the refrain at position refrain (0: none), sung alternating.
Song songOf(int stanzas, int refrain)
{
    Song song;
    for (int i = 0; i < stanzas; ++i) {
        song.appendStanza();
        song.addScreenAfterCurrent();
        song.setCurrentScreenText(QString::number(i + 1));
    }
    song.setRefrainIndex(refrain);
    song.setAlternatingSequence();
    song.setCursor(0, 0);
    return song;
}

QString firstTexts(const Song &song)
{
    QStringList texts;
    for (int i = 0; i < song.stanzaCount(); ++i)
        texts << song.screenText(i, 0).trimmed();
    return texts.join(u',');
}

QStringList regularFiles(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::NoSymLinks, QDir::Name);
}

} // namespace

class TestSongEditing : public QObject
{
    Q_OBJECT

private slots:
    void sequenceEdits_data()
    {
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QList<int>>("after");
        for (const QStringList &row : TestSupport::tableRows(u"songediting/sequence.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << TestSupport::numbers(row[1]) << row[2] << row[3].toInt()
                                              << TestSupport::numbers(row[4]).value(0) << TestSupport::numbers(row[5]);
    }
    void sequenceEdits()
    {
        QFETCH(QList<int>, before);
        QFETCH(QString, edit);
        QFETCH(int, a);
        QFETCH(int, b);
        Song song = songOf(2, 0);
        song.setSequence(before);
        if (edit == u"move")
            SongEditing::moveEntry(song, a, b);
        else if (edit == u"insert")
            SongEditing::insertEntry(song, a, b);
        else
            SongEditing::removeEntry(song, a);
        QTEST(song.sequence(), "after");
    }

    // The refrain follows its stanza, or goes with it.
    void stanzaDeletedOrInserted_data()
    {
        QTest::addColumn<bool>("insert");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("refrain");
        QTest::addColumn<QList<int>>("sequence");
        QTest::addColumn<QString>("stanzas");
        for (const QStringList &row : TestSupport::tableRows(u"songediting/stanzas.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << (row[1] == u"insert") << row[2].toInt() << row[3].toInt() << TestSupport::numbers(row[4]) << row[5];
    }
    void stanzaDeletedOrInserted()
    {
        QFETCH(bool, insert);
        QFETCH(int, current);
        Song song = songOf(4, 3);
        song.setCursor(current, 0);
        if (insert)
            QVERIFY(SongEditing::addStanza(song));
        else
            SongEditing::deleteCurrentStanza(song);
        QTEST(song.refrainIndex(), "refrain");
        QTEST(song.sequence(), "sequence");
        QTEST(firstTexts(song), "stanzas");
    }

    void lastStanzaStaysAndFullSongRefuses()
    {
        Song song = songOf(1, 0);
        SongEditing::deleteCurrentStanza(song);
        QCOMPARE(song.stanzaCount(), 1);
        song = songOf(kMaxStanzas, 0);
        QVERIFY(!SongEditing::addStanza(song));
        QCOMPARE(song.stanzaCount(), kMaxStanzas);
    }

    void saveErrors_data()
    {
        QTest::addColumn<bool>("slide");
        QTest::addColumn<bool>("sequence");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QList<int>>("errors");
        for (const QStringList &row : TestSupport::tableRows(u"songsaving/saveerrors.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << (row[1] == u"1") << (row[2] == u"1") << row[3]
                                              << TestSupport::unescaped(row[4]) << TestSupport::textIds(row[5]);
    }
    void saveErrors()
    {
        QFETCH(bool, slide);
        QFETCH(bool, sequence);
        QFETCH(QString, number);
        QFETCH(QString, title);
        Song song = songOf(1, 0);
        if (!sequence)
            song.setSequence({});
        const ItemKind kind = slide ? ItemKind::Slide : ItemKind::Song;
        QTEST(SongSaving::saveErrors(song, kind, SongSaving::parseNumber(number), title), "errors");
    }

    // A saved song "0007 Ave.txt" in group G of a card, saved again under a number and title.
    void savePlans_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("existing"); // a file, "link" to the song's own, or "dir"
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QStringList>("files"); // regular files of G afterwards
        for (const QStringList &row : TestSupport::tableRows(u"songsaving/saveplans.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << row[1].toInt() << row[2] << row[3] << (row[4] == u"1") << (row[5] == u"1") << row[6].split(u'|');
    }
    void savePlans()
    {
        QFETCH(int, number);
        QFETCH(QString, title);
        QFETCH(QString, existing);
        QTemporaryDir card;
        const QString group = card.filePath(u"G"_qs);
        const QString own = group + u"/0007 Ave.txt";
        QVERIFY(TestSupport::writeFile(own, TestSupport::songBytes('a')));
        const QString target = group + u'/' + ItemName::format(number, title) + u".txt";
        if (existing == u"link")
            QVERIFY(QFile::link(u"0007 Ave.txt"_qs, target)); // how FAT sees a name differing in case
        else if (existing == u"dir")
            QVERIFY(QDir().mkpath(target));
        else if (!existing.isEmpty())
            QVERIFY(TestSupport::writeFile(group + u'/' + existing, "other"));
        Song song;
        QVERIFY(SongFile::load(own, song));
        song.setCurrentScreenText(u"new text"_qs);
        const QByteArray newBytes = [&] {
            Song renamed = song;
            renamed.setNumber(number);
            renamed.setTitle(title);
            return SongFile::toBytes(renamed);
        }();
        song.setNumber(number);
        song.setTitle(title);

        const SongSaving::Plan plan = SongSaving::plan(song, ItemKind::Song, group, number, title);
        QCOMPARE(plan.target, target);
        QTEST(plan.askReplace, "ask");
        QTEST(SongSaving::execute(song, plan), "written");
        QTEST(regularFiles(group), "files");
        QFETCH(bool, written);
        QCOMPARE(TestSupport::readFile(target) == newBytes, written);
        QCOMPARE(song.path(), written ? target : own);
        QCOMPARE(song.kind(), SongKind::Song);
    }

    void newSongAndSlidePlans()
    {
        Song song = songOf(1, 0);
        song.setKind(SongKind::NewSong);
        song.setPath(u"/somewhere/0001 Old.txt"_qs); // a new song owns no file, whatever its path says
        SongSaving::Plan plan = SongSaving::plan(song, ItemKind::Song, u"/card/G/"_qs, 1, u"Old"_qs);
        QCOMPARE(plan.target, u"/card/G/0001 Old.txt"_qs);
        QVERIFY(plan.oldFile.isEmpty());
        song.setKind(SongKind::Slide);
        song.setPath(u"/card/screen_dir/0003 A.ekr"_qs);
        song.setNumber(3);
        song.setTitle(u"A"_qs);
        song.markSaved();
        plan = SongSaving::plan(song, ItemKind::Slide, u"/card/screen_dir"_qs, 3, u"B"_qs);
        QCOMPARE(plan.target, u"/card/screen_dir/0003 B.ekr"_qs);
        QCOMPARE(plan.oldFile, u"/card/screen_dir/0003 A.ekr"_qs);
    }
};

LUMIVOX_TEST_MAIN_CORE(TestSongEditing)
#include "tst_songediting.moc"
