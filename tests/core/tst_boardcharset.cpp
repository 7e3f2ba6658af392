// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/boardcharset.h"
#include "tablerows.h"

using namespace BoardCharset;

class TestBoardCharset : public QObject
{
    Q_OBJECT

private slots:
    // The table itself is checked whole by tableCharactersRoundTrip; these are the rules around it.
    void encode_data()
    {
        QTest::addColumn<QString>("codePoint");
        QTest::addColumn<QString>("byte");
        QTest::addColumn<QString>("glyph");
        for (const QStringList &row : TestSupport::tableRows(u"boardcharset/encode.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2] << row[3];
    }
    void encode()
    {
        QFETCH(QString, codePoint);
        QFETCH(QString, byte);
        QFETCH(QString, glyph);
        const char16_t c = char16_t(codePoint.toInt(nullptr, 0));
        if (byte != u"-")
            QCOMPARE(int(BoardCharset::encode(c)), byte.toInt(nullptr, 0));
        if (glyph != u"-")
            QCOMPARE(int(BoardCharset::toBoardCode(c)), glyph.toInt(nullptr, 0));
    }

    void tableHasItsSizeAndBlanks()
    {
        QCOMPARE(kTableSize, 1184);
        QCOMPARE(int(tableEntry(0x00A0)), 0x20);
        QCOMPARE(int(tableEntry(0x0409)), 0x20);
        QCOMPARE(int(tableEntry(0x049F)), 0x20);
        QCOMPARE(int(tableEntry(0x2116)), 0x20); // handled outside the table
        int mapped = 0;
        for (int c = 0x80; c < kTableSize; ++c)
            mapped += tableEntry(char16_t(c)) != 0x20;
        QCOMPARE(mapped, 53 + 64 + 8);
    }

    void decode_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("latin");
        QTest::addColumn<int>("cyrillic");
        QTest::newRow("A5: Ą or Ґ") << 0xA5 << 0x0104 << 0x0490;
        QTest::newRow("B9: ą or numero") << 0xB9 << 0x0105 << 0x2116;
        QTest::newRow("C0: Latin-1 or А") << 0xC0 << 0x00C0 << 0x0410;
        QTest::newRow("A3: Ł in both") << 0xA3 << 0x0141 << 0x0141;
        QTest::newRow("letter") << 0x61 << 0x61 << 0x61;
        QTest::newRow("tab") << 0x09 << 0x20 << 0x20;
        QTest::newRow("NUL") << 0x00 << 0x20 << 0x20;
        QTest::newRow("CR") << 0x0D << 0x20 << 0x20;
        QTest::newRow("unlisted high byte") << 0x81 << 0x81 << 0x81;
    }
    void decode()
    {
        QFETCH(int, byte);
        QFETCH(int, latin);
        QFETCH(int, cyrillic);
        QCOMPARE(int(BoardCharset::decode(uchar(byte), CharsetMode::Latin)), latin);
        QCOMPARE(int(BoardCharset::decode(uchar(byte), CharsetMode::Cyrillic)), cyrillic);
    }

    // Every character of the table comes back from its byte in the mode it belongs to.
    void tableCharactersRoundTrip()
    {
        for (int c = 0x20; c < kTableSize; ++c) {
            if (c == 0x7F || tableEntry(char16_t(c)) == 0x20)
                continue;
            const bool cyrillicLetter = c >= 0x0400;
            const CharsetMode mode = cyrillicLetter ? CharsetMode::Cyrillic : CharsetMode::Latin;
            const uchar byte = BoardCharset::encode(char16_t(c));
            // In Cyrillic mode 0xB9 is the numero sign, so ą only survives in Latin files.
            QVERIFY2(BoardCharset::decode(byte, mode) == c, qPrintable(QString::number(c, 16)));
        }
        QCOMPARE(BoardCharset::decode(BoardCharset::encode(kNumeroSign), CharsetMode::Cyrillic), kNumeroSign);
    }

    void textDecodeUsesTheCurrentMode()
    {
        const QByteArray bytes("\xA5x\xB9", 3);
        setCurrentCharsetMode(CharsetMode::Cyrillic);
        QCOMPARE(BoardCharset::decode(bytes), QStringLiteral(u"Ґx№"));
        setCurrentCharsetMode(CharsetMode::Latin);
        QCOMPARE(BoardCharset::decode(bytes), QStringLiteral(u"Ąxą"));
        QCOMPARE(BoardCharset::encode(QStringView(u"Ąxą№€")), QByteArray("\xA5x\xB9\xB9\xAC"));
    }

    void alignRow_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QString>("aligned");
        const QString ab = QStringLiteral("    ab              ");
        QTest::newRow("centre two") << ab << 10 << QStringLiteral("         ab         ");
        QTest::newRow("centre three: odd surplus right") << QStringLiteral("abc") << 10
                                                         << QStringLiteral("        abc         ");
        QTest::newRow("left") << ab << 11 << QStringLiteral("ab                  ");
        QTest::newRow("right") << ab << 12 << QStringLiteral("                  ab");
        QTest::newRow("inner spaces kept") << QStringLiteral(" a  b ") << 12 << QStringLiteral("                a  b");
        QTest::newRow("blank") << QString(20, u' ') << 10 << QString(20, u' ');
        QTest::newRow("full") << QStringLiteral("abcdefghijklmnopqrst") << 10 << QStringLiteral("abcdefghijklmnopqrst");
    }
    void alignRow()
    {
        QFETCH(QString, row);
        QFETCH(int, alignment);
        QFETCH(QString, aligned);
        QCOMPARE(BoardCharset::alignRow(row, RowAlignment(alignment)), aligned);
    }
};

LUMIVOX_TEST_MAIN_CORE(TestBoardCharset)
#include "tst_boardcharset.moc"
