// SPDX-License-Identifier: GPL-3.0-or-later
// Names of library items: the "NNNN Title" rule, the checks of typed names, numbers and title order.
#include "core/app/language.h"
#include "core/library/librarynaming.h"
#include "core/library/librarynumbertable.h"
#include "core/library/titlecollation.h"
#include "core/card/cardcopy.h"
#include "core/model/itemname.h"
#include "core/model/playlist.h"
#include "core/model/songfile.h"
#include "tablerows.h"

#include <algorithm>

using namespace LibraryNaming;
using namespace TitleCollation;

class TestLibraryNaming : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
    }

    void formatItemName()
    {
        QCOMPARE(ItemName::format(7, u"Kyrie"_qs), u"0007 Kyrie"_qs);
        QCOMPARE(ItemName::format(12345, u"Y"_qs), u"12345 Y"_qs); // five digits are not cut
        QCOMPARE(ItemName::format(-5, u"Z"_qs), u"-0005 Z"_qs);
        QCOMPARE(ItemName::format(3, QString()), u"0003 "_qs);
    }

    // The "NNNN Title.ext" rule every reader of a library file name follows: the number of the
    // first four characters (leading blanks and a sign allowed, stopping at the first non-digit,
    // no digits giving 0), the title from the sixth character to the extension.
    void numberAndTitleOfAName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("title");
        for (const QStringList &row : TestSupport::tableRows(u"naming/numbers.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2].toInt() << row[3];
    }
    void numberAndTitleOfAName()
    {
        QFETCH(QString, name);
        QFETCH(int, number);
        QFETCH(QString, title);
        const auto both = [](int n, const QString &t) -> QString { return QString::number(n) + u'|' + t; };
        Song song;
        SongFile::parseFileName(song, u"/card/G/"_qs + name + u".txt");
        Playlist playlist;
        playlist.parseFileName(u"/card/playlist_dir/"_qs + name + u".lst");
        const CardChangeRecord record = CardChangeRecord::fromPath(u"/card/G/"_qs + name + u".txt",
                                                                   CardChangeRecord::New);
        const QStringList parsed{both(ItemName::number(name), ItemName::title(name)),
                                 both(ItemName::number(name), ItemName::titleOfFileName(QString(name + u".txt"))),
                                 both(song.number(), song.title()), both(playlist.number(), playlist.name()),
                                 both(record.number, record.title)};
        QCOMPARE(parsed, QStringList(parsed.size(), both(number, title)));
        QCOMPARE(ItemName::titleForRename(QString(u"0001 "_qs + QString(50, u'x'))), QString(40, u'x'));
    }

    void forbiddenNames()
    {
        for (QChar c : u".\\/:*?\"<>|"_qs)
            QVERIFY2(isForbiddenName(QString(u"a"_qs + c + u"b")), qPrintable(QString(c)));
        QVERIFY(!isForbiddenName(u"Kolędy - Święta (1)"_qs));
    }

    void groupNameRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("textId");
        for (const QStringList &row : TestSupport::tableRows(u"naming/groupnames.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1] << TestSupport::textIds(row[2]).value(0);
    }
    void groupNameRules()
    {
        QFETCH(QString, name);
        QFETCH(int, textId);
        QTemporaryDir base;
        QVERIFY(QDir(base.path()).mkdir(QStringLiteral("kolędy")));
        QVERIFY(TestSupport::writeFile(base.filePath(QStringLiteral("notes")), "x"));
        QCOMPARE(checkGroupName(name, base.path()), textId);
    }

    void playlistNameRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("renameId");
        QTest::addColumn<int>("titleId");
        for (const QStringList &row : TestSupport::tableRows(u"naming/playlistnames.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << row[1] << TestSupport::textIds(row[2]).value(0) << TestSupport::textIds(row[3]).value(0);
    }
    void playlistNameRules()
    {
        QFETCH(QString, name);
        QFETCH(int, renameId);
        QFETCH(int, titleId);
        QCOMPARE(checkPlaylistRename(name), renameId);
        QCOMPARE(checkPlaylistTitle(name), titleId);
    }

    void numberTableOwnerAndDuplicate()
    {
        LibraryNumberTable table(kSongTableSize);
        QCOMPARE(table.size(), 5000);
        QVERIFY(table.claim(10, QStringLiteral("0010 A"), 3, 1));
        QVERIFY(!table.claim(10, QStringLiteral("0010 B"), 0, 2));
        const LibraryNumberTable::Entry &e = table.entry(10);
        QVERIFY(e.used && e.duplicate);
        QCOMPARE(QStringList({e.fileName, QString::number(e.indexInGroup), QString::number(e.groupIndex)}),
                 QStringList({u"0010 A"_qs, u"3"_qs, u"1"_qs}));
        QVERIFY(!table.claim(5000, QStringLiteral("5000 X"), 0, 0));
        QVERIFY(!table.claim(-1, QStringLiteral("x"), 0, 0));
        table.clear();
        QVERIFY(!table.entry(10).used && !table.entry(10).duplicate && table.entry(10).fileName.isEmpty());
    }

    void findFreeNumber_data()
    {
        QTest::addColumn<int>("usedUpTo");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("free");
        for (const QStringList &row : TestSupport::tableRows(u"naming/freenumbers.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1].toInt() << row[2].toInt() << row[3].toInt();
    }
    void findFreeNumber()
    {
        QFETCH(int, usedUpTo);
        QFETCH(int, from);
        QFETCH(int, free);
        LibraryNumberTable table(kSlideTableSize);
        for (int n = 1; n <= usedUpTo; ++n)
            table.markUsed(n);
        QCOMPARE(table.findFree(from), free);
    }

    // Title order.
    // The weights of the blocks of letters (tests/data/naming/letterblocks.tsv).
    void letterBlocks()
    {
        const QList<QStringList> blocks = TestSupport::tableRows(u"naming/letterblocks.tsv"_qs);
        QCOMPARE(blocks.size(), 14);
        for (const QStringList &block : blocks) {
            for (qsizetype i = 0; i < block[1].size(); ++i)
                QVERIFY2(weight(block[1][i].unicode()) == block[0].toInt() + i, qPrintable(QString(block[1][i])));
        }
        // Single letters and signs between the blocks.
        QCOMPARE(QList<int>({weight(u' '), weight(u'0'), weight(u'B'), weight(u'b'), weight(u'~')}),
                 QList<int>({0, 256, 544, 545, 1088}));
    }

    void unlistedCharactersSortLastByCodeUnit()
    {
        const int lastListed = weight(u'~');
        for (char16_t c : {char16_t(0x01), char16_t(0x7F), char16_t(0xF1) /* ñ */, char16_t(0x410), char16_t(0x44F)})
            QVERIFY2(weight(c) > lastListed, qPrintable(QString::number(c, 16)));
        QVERIFY(weight(0x410) < weight(0x411));
        QVERIFY(weight(0xF1) < weight(0x410));
    }

    void orders_data()
    {
        QTest::addColumn<QStringList>("ordered");
        for (const QStringList &row : TestSupport::tableRows(u"naming/orders.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1].split(u'|');
    }
    void orders()
    {
        QFETCH(QStringList, ordered);
        for (qsizetype i = 0; i + 1 < ordered.size(); ++i) {
            QVERIFY2(compare(ordered[i], ordered[i + 1]) < 0, qPrintable(ordered[i] + u" < " + ordered[i + 1]));
            QVERIFY2(compare(ordered[i + 1], ordered[i]) > 0, qPrintable(ordered[i + 1] + u" > " + ordered[i]));
        }
        QStringList shuffled = ordered;
        std::reverse(shuffled.begin(), shuffled.end());
        std::sort(shuffled.begin(), shuffled.end(), [](const QString &a, const QString &b) { return lessThan(a, b); });
        QCOMPARE(shuffled, ordered);
    }

    void equalTitles()
    {
        QCOMPARE(compare(u"Kyrie", u"Kyrie"), 0);
        QCOMPARE(compare(u"", u""), 0);
        QVERIFY(compare(u"", u"A") < 0);
    }

    void nameSorts_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("byTitle");
        QTest::addColumn<QStringList>("byNumber");
        for (const QStringList &row : TestSupport::tableRows(u"naming/namesorts.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1].split(u'|') << row[2].split(u'|') << row[3].split(u'|');
    }
    void nameSorts()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, byTitle);
        QFETCH(QStringList, byNumber);
        QStringList sorted = names;
        sortNames(sorted, SortMode::ByTitle);
        QCOMPARE(sorted, byTitle);
        sorted = names;
        sortNames(sorted, SortMode::ByNumber);
        QCOMPARE(sorted, byNumber);
    }
};

LUMIVOX_TEST_MAIN_CORE(TestLibraryNaming)
#include "tst_librarynaming.moc"
