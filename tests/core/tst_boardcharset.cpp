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
        for (const QStringList &row : TestSupport::tableRows(u"boardcharset/decode.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << row[1].toInt(nullptr, 0) << row[2].toInt(nullptr, 0) << row[3].toInt(nullptr, 0);
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
        for (const QStringList &row : TestSupport::tableRows(u"boardcharset/alignrow.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2].toInt() << row[3];
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
