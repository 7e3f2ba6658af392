// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/language.h"
#include "core/library/librarynaming.h"
#include "core/library/librarynumbertable.h"
#include "core/model/itemname.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace LibraryNaming;

class TestLibraryNaming : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
    }

    void formatItemName_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        QTest::newRow("song 7") << 7 << QStringLiteral("Kyrie") << QStringLiteral("0007 Kyrie");
        QTest::newRow("four digits") << 4999 << QStringLiteral("X") << QStringLiteral("4999 X");
        QTest::newRow("zero") << 0 << QStringLiteral("Amen") << QStringLiteral("0000 Amen");
        QTest::newRow("five digits are not cut") << 12345 << QStringLiteral("Y") << QStringLiteral("12345 Y");
        QTest::newRow("negative keeps its sign") << -5 << QStringLiteral("Z") << QStringLiteral("-0005 Z");
        QTest::newRow("empty title") << 3 << QString() << QStringLiteral("0003 ");
    }
    void formatItemName()
    {
        QFETCH(int, number);
        QFETCH(QString, title);
        QFETCH(QString, name);
        QCOMPARE(ItemName::format(number, title), name);
    }

    void parseItemNumber_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::newRow("plain") << QStringLiteral("0007 Kyrie") << 7;
        QTest::newRow("zero") << QStringLiteral("0000 Amen") << 0;
        QTest::newRow("5000") << QStringLiteral("5000 X") << 5000;
        QTest::newRow("digits then letters") << QStringLiteral("12ab Title") << 12;
        QTest::newRow("only four characters count") << QStringLiteral("123456 T") << 1234;
        QTest::newRow("leading blanks") << QStringLiteral("  42 T") << 42;
        QTest::newRow("sign") << QStringLiteral("-012 T") << -12;
        QTest::newRow("plus sign") << QStringLiteral("+9 T") << 9;
        QTest::newRow("no digits") << QStringLiteral("Ave Maria") << 0;
        QTest::newRow("short name") << QStringLiteral("7") << 7;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("non-ASCII digit is no digit") << QStringLiteral("\u0661\u0662 T") << 0;
    }
    void parseItemNumber()
    {
        QFETCH(QString, name);
        QFETCH(int, number);
        QCOMPARE(ItemName::number(name), number);
    }

    void titles()
    {
        QCOMPARE(ItemName::title(u"0007 Kyrie"), QStringLiteral("Kyrie"));
        QCOMPARE(ItemName::title(u"0007 "), QString());
        QCOMPARE(ItemName::title(u"07"), QString());
        QCOMPARE(ItemName::titleOfFileName(u"0012 Abc.txt"), QStringLiteral("Abc"));
        QCOMPARE(ItemName::titleOfFileName(u"0012.txt"), QString());
        const QString longTitle(50, u'x');
        QCOMPARE(ItemName::titleForRename(QString(QStringLiteral("0001 ") + longTitle)), QString(40, u'x'));
    }

    void forbiddenNames_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("forbidden");
        QTest::newRow("plain") << QStringLiteral("Msza niedzielna") << false;
        QTest::newRow("full stop") << QStringLiteral("Msza 1.0") << true;
        for (const char16_t *c : {u"\\", u"/", u":", u"*", u"?", u"\"", u"<", u">", u"|"})
            QTest::newRow(qPrintable(QStringLiteral("char ") + QString::fromUtf16(c)))
                << (QStringLiteral("a") + QString::fromUtf16(c) + u"b") << true;
        QTest::newRow("accents and dashes pass") << QStringLiteral("Kolędy - Święta (1)") << false;
    }
    void forbiddenNames()
    {
        QFETCH(QString, text);
        QFETCH(bool, forbidden);
        QCOMPARE(isForbiddenName(text), forbidden);
    }

    void forbiddenMessage()
    {
        QCOMPARE(forbiddenCharacterList(), QStringLiteral("\\ / : * ? < > \" |"));
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
        QCOMPARE(e.fileName, QStringLiteral("0010 A"));
        QVERIFY(e.used);
        QVERIFY(e.duplicate);
        QCOMPARE(e.indexInGroup, 3);
        QCOMPARE(e.groupIndex, 1);
        QVERIFY(!table.claim(5000, QStringLiteral("5000 X"), 0, 0));
        QVERIFY(!table.claim(-1, QStringLiteral("x"), 0, 0));
        table.clear();
        QVERIFY(!table.entry(10).used);
        QVERIFY(!table.entry(10).duplicate);
        QVERIFY(table.entry(10).fileName.isEmpty());
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
