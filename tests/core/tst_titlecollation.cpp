// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/titlecollation.h"
#include "testsupport.h"

#include <algorithm>

using namespace TitleCollation;

class TestTitleCollation : public QObject
{
    Q_OBJECT

private slots:
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

LUMIVOX_TEST_MAIN_CORE(TestTitleCollation)
#include "tst_titlecollation.moc"
