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
#include "testsupport.h"

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

    // Title order.
    // The weights of the blocks of letters: each block starts at its weight and counts up in the
    // listed order (upper case, then lower case, accents after the plain letter).
    void letterBlocks()
    {
        const struct { const char16_t *letters; int start; } blocks[] = {
            {u"AĄÁÂĂÄÀaąáâăäà", 528}, {u"CĆÇČcćçč", 560},     {u"DĎĐdďđ", 576},
            {u"EÉĘËĚÈÊeéęëěèê", 592}, {u"IÍÎiíî", 656},       {u"LŁĽĹlłľĺ", 704},
            {u"NŃŇnńň", 736},         {u"OÓÔŐÖoóôőö", 752},   {u"RrŘř", 800},
            {u"SŠŚŞßsšśş", 816},      {u"TŤŢtťţ", 832},       {u"UŮÚŰÜuůúűü", 848},
            {u"YÝyý", 912},           {u"ZŽŹŻzžźż", 928},
        };
        for (const auto &block : blocks) {
            const QString letters = QString::fromUtf16(block.letters);
            for (qsizetype i = 0; i < letters.size(); ++i)
                QVERIFY2(weight(letters[i].unicode()) == block.start + i, qPrintable(QString(letters[i])));
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
        QTest::newRow("prefix first, then accents") << QStringList{QStringLiteral("Ala"), QStringLiteral("Ala ma"),
                                                                    QStringLiteral("Ąb")};
        QTest::newRow("case inside the letter") << QStringList{QStringLiteral("Apple"), QStringLiteral("apple"),
                                                               QStringLiteral("Banan"), QStringLiteral("Zebra"),
                                                               QStringLiteral("zebra")};
        QTest::newRow("Polish letters") << QStringList{QStringLiteral("Łaska"), QStringLiteral("lato"),
                                                       QStringLiteral("łąka"), QStringLiteral("Matka")};
        QTest::newRow("digits and blanks before letters")
            << QStringList{QStringLiteral(" x"), QStringLiteral("10 przykazań"), QStringLiteral("2 Kor"),
                           QStringLiteral("Amen")};
        QTest::newRow("Cyrillic alphabetical") << QStringList{QStringLiteral("Аллилуия"), QStringLiteral("Бог"),
                                                              QStringLiteral("Верую"), QStringLiteral("Слава")};
        QTest::newRow("Latin before Cyrillic") << QStringList{QStringLiteral("Zdrowaś"), QStringLiteral("Аве")};
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
        QTest::newRow("Ave and Zdrowaś")
            << QStringList{QStringLiteral("0001 Zdrowaś"), QStringLiteral("0003 Ave")}
            << QStringList{QStringLiteral("0003 Ave"), QStringLiteral("0001 Zdrowaś")}
            << QStringList{QStringLiteral("0001 Zdrowaś"), QStringLiteral("0003 Ave")};
        QTest::newRow("equal titles by whole name, equal numbers by whole name")
            << QStringList{QStringLiteral("0009 Kyrie"), QStringLiteral("0010 B"), QStringLiteral("0002 Kyrie"),
                           QStringLiteral("0010 A")}
            << QStringList{QStringLiteral("0010 A"), QStringLiteral("0010 B"), QStringLiteral("0002 Kyrie"),
                           QStringLiteral("0009 Kyrie")}
            << QStringList{QStringLiteral("0002 Kyrie"), QStringLiteral("0009 Kyrie"), QStringLiteral("0010 A"),
                           QStringLiteral("0010 B")};
        QTest::newRow("short names")
            << QStringList{QStringLiteral("12"), QStringLiteral("0001 A"), QString()}
            << QStringList{QString(), QStringLiteral("12"), QStringLiteral("0001 A")}
            << QStringList{QString(), QStringLiteral("0001 A"), QStringLiteral("12")};
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
