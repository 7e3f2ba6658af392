// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/language.h"
#include "core/library/librarynaming.h"
#include "core/library/librarynumbertable.h"
#include "core/card/cardcopy.h"
#include "core/model/itemname.h"
#include "core/model/playlist.h"
#include "core/model/songfile.h"
#include "testsupport.h"

using namespace LibraryNaming;

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
        QTest::newRow("plain") << u"0007 Kyrie"_qs << 7 << u"Kyrie"_qs;
        QTest::newRow("zero") << u"0000 Amen"_qs << 0 << u"Amen"_qs;
        QTest::newRow("5000") << u"5000 X"_qs << 5000 << u"X"_qs;
        QTest::newRow("digits then letters") << u"12ab Title"_qs << 12 << u"Title"_qs;
        QTest::newRow("only four characters count") << u"123456 T"_qs << 1234 << u"6 T"_qs;
        QTest::newRow("leading blanks") << u"  42 T"_qs << 42 << u"T"_qs;
        QTest::newRow("blank, digit, letter") << u" 7 x Kyrie"_qs << 7 << u"Kyrie"_qs;
        QTest::newRow("sign") << u"-012 T"_qs << -12 << u"T"_qs;
        QTest::newRow("blanks and sign") << u"  -7 x"_qs << -7 << u"x"_qs;
        QTest::newRow("plus sign") << u"+9 T"_qs << 9 << QString();
        QTest::newRow("no digits") << u"Ave Maria"_qs << 0 << u"aria"_qs;
        QTest::newRow("short name") << u"7"_qs << 7 << QString();
        QTest::newRow("number only") << u"0012"_qs << 12 << QString();
        QTest::newRow("empty") << QString() << 0 << QString();
        QTest::newRow("non-ASCII digit is no digit") << u"\u0661\u0662 T"_qs << 0 << QString();
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
        const CardChangeRecord record = CardChangeRecord::fromPath(u"/card/G/"_qs + name + u".txt", CardChangeRecord::New);
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
        QTest::newRow("accepted") << QStringLiteral("Wielkanoc") << 0;
        QTest::newRow("empty") << QString() << int(Txt::GroupNameLabel);
        QTest::newRow("Karta") << QStringLiteral("Karta") << int(Txt::GroupReservedName);
        QTest::newRow("EKRANY") << QStringLiteral("EKRANY") << int(Txt::GroupReservedName);
        QTest::newRow("reserved before forbidden") << QStringLiteral("karta") << int(Txt::GroupReservedName);
        QTest::newRow("full stop") << QStringLiteral("Msza 1.0") << int(Txt::GroupForbiddenCharacter);
        QTest::newRow("30 characters") << QString(30, u'g') << 0;
        QTest::newRow("31 characters") << QString(31, u'g') << int(Txt::GroupNameTooLong);
        QTest::newRow("forbidden before length") << QString(40, u'?') << int(Txt::GroupForbiddenCharacter);
        QTest::newRow("existing, other case") << QStringLiteral("KOLĘDY") << int(Txt::GroupExists);
        QTest::newRow("existing file is no group") << QStringLiteral("notes") << 0;
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
        QTest::newRow("accepted") << QStringLiteral("Msza") << 0 << 0;
        QTest::newRow("empty") << QString() << int(Txt::PlaylistNameEmpty) << int(Txt::PlaylistNameEmpty);
        QTest::newRow("full stop") << QStringLiteral("Msza 1.0") << int(Txt::PlaylistForbiddenCharacter)
                                   << int(Txt::TitleForbiddenCharacter);
        QTest::newRow("31 characters, rename only") << QString(31, u'p') << int(Txt::PlaylistNameTooLong) << 0;
        QTest::newRow("length before forbidden") << QString(31, u'/') << int(Txt::PlaylistNameTooLong)
                                                 << int(Txt::TitleForbiddenCharacter);
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
        QTest::newRow("empty table") << 0 << 1 << 1;
        QTest::newRow("1..498 used") << 498 << 1 << 499;
        QTest::newRow("1..499 used: none") << 499 << 1 << 0;
        QTest::newRow("start above the used run") << 10 << 20 << 20;
        QTest::newRow("start 0 never answers 0 as a number") << 0 << 0 << 1;
        QTest::newRow("start past the end") << 0 << 600 << 0;
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
};

LUMIVOX_TEST_MAIN_CORE(TestLibraryNaming)
#include "tst_librarynaming.moc"
