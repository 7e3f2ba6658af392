// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/textids.h"
#include "core/font/boardfont.h"
#include "core/font/fontexport.h"
#include "testsupport.h"

#include <QBuffer>
#include <QCryptographicHash>

class TestBoardFont : public QObject
{
    Q_OBJECT

    // A font whose glyph i has every column i, except 'A' (0x41) with K5..K1 = 01..05.
    static BoardFont sampleFont(const QString &name)
    {
        BoardFont font;
        font.name = name;
        for (int i = 0; i < BoardFont::kGlyphCount; ++i) {
            for (int k = 1; k <= 5; ++k)
                font.glyphs[i].setK(k, quint8(i));
            font.glyphs[i].comment = QStringLiteral("znak %1").arg(i);
        }
        Glyph &a = font.glyphs[0x41];
        a.setK(5, 0x01);
        a.setK(4, 0x02);
        a.setK(3, 0x03);
        a.setK(2, 0x04);
        a.setK(1, 0x05);
        a.comment = QStringLiteral("A");
        return font;
    }

    static bool readBytes(const QByteArray &bytes, BoardFont &font)
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        return FontFile::read(buffer, font);
    }

private slots:
    void writtenFileLayout()
    {
        const QByteArray bytes = FontFile::toBytes(sampleFont(QStringLiteral("X")));
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.size(), 260); // 259 lines and the empty rest after the last line end
        QCOMPARE(lines[0], QByteArray("#\r"));
        QCOMPARE(lines[1], QByteArray("#Nr\t|\tK5\tK4\tK3\tK2\tK1\t#komentarz\r"));
        QCOMPARE(lines[2], QByteArray("#\r"));
        QCOMPARE(lines[3 + 0x41], QByteArray("0x41\t|\t0x01\t0x02\t0x03\t0x04\t0x05\t#A\r"));
        QCOMPARE(lines[3 + 0xFF], QByteArray("0xFF\t|\t0xFF\t0xFF\t0xFF\t0xFF\t0xFF\t#znak 255\r"));
        QVERIFY(bytes.endsWith("#znak 255\r\n"));
    }

    // Glyph lines in order, the written index not read; comment, blank and other lines between them skipped.
    void glyphLines()
    {
        QByteArray bytes;
        for (int i = 0; i < 256; ++i) {
            bytes += "# komentarz\n\n  wcięty\r\n0x99\t|\t0x" + QByteArray::number(i, 16)
                + (i == 0x41 ? "\t0x02\t0x03\t0x04\t0x05\t#A\r\n" : "\t0x00\t0x00\t0x00\t0x00\t#\n");
        }
        BoardFont font;
        QVERIFY(readBytes(bytes, font));
        const Glyph &a = font.glyphs[0x41];
        QCOMPARE(QList<int>({a.k(5), a.k(4), a.k(3), a.k(2), a.k(1)}), QList<int>({0x41, 2, 3, 4, 5}));
        QCOMPARE(a.comment, QStringLiteral("A"));
        QVERIFY(a.dot(0, 5) && !a.dot(0, 0)); // K1 = 0x05: rows 5 and 7 lit
        QCOMPARE(font.glyphs[255].k(5), quint8(0xFF));
    }

    void shortFileFailsButKeepsWhatItRead()
    {
        BoardFont font = sampleFont(QStringLiteral("X"));
        const BoardFont before = font;
        QVERIFY(!readBytes("0x00\t|\t0x11\t0x11\t0x11\t0x11\t0x11\t#one\n"
                           "0x01\t|\t0x0G\t0xzz\t0x7\n",
                           font));
        QCOMPARE(font.glyphs[0].k(1), quint8(0x11));
        QCOMPARE(font.glyphs[0].comment, QStringLiteral("one"));
        // Leading hex digits only; a line cut short reads as zeros and an empty comment.
        QCOMPARE(font.glyphs[1].k(5), quint8(0x0));
        QCOMPARE(font.glyphs[1].k(4), quint8(0x0));
        QCOMPARE(font.glyphs[1].k(3), quint8(0x7));
        QCOMPARE(font.glyphs[1].k(1), quint8(0x0));
        QCOMPARE(font.glyphs[1].comment, QString());
        QCOMPARE(font.glyphs[2], before.glyphs[2]);
    }

    void saveLoadRoundTrip()
    {
        QTemporaryDir dir;
        BoardFont font = sampleFont(QStringLiteral("Font_V1"));
        font.glyphs[3].comment = QStringLiteral(
            "Ąę żółć — a comment longer than sixty-five characters, read back whole");
        font.glyphs[4].comment = QStringLiteral("line\nbreak");
        const QString path = dir.filePath(QStringLiteral("Font_V1.fnt"));
        QVERIFY(FontFile::save(path, font));
        BoardFont back;
        QVERIFY(FontFile::load(path, back));
        QCOMPARE(back.name, QStringLiteral("Font_V1"));
        QCOMPARE(back.glyphs[3].comment, font.glyphs[3].comment);
        QCOMPARE(back.glyphs[4].comment, QStringLiteral("line break")); // never splits the line
        font.glyphs[4].comment = back.glyphs[4].comment;
        QCOMPARE(back, font);
        QVERIFY(!FontFile::save(dir.filePath(QStringLiteral("missing/dir/x.fnt")), font));
        QVERIFY(!FontFile::load(dir.filePath(QStringLiteral("nope.fnt")), back));
    }

    void dotsAreBitsOfTheColumns()
    {
        BoardFont font;
        QVERIFY(!font.hasDots());
        font.glyphs[200].setDot(4, 7, true);
        QVERIFY(font.hasDots());
        QCOMPARE(font.glyphs[200].k(5), quint8(0x01));
    }

    // The whole image of the shipped fonts, plain and mirrored, is compared byte for byte by the
    // command-line cases fonts-export*; here the header file and the bytes of one glyph.
    void exportBytesOfTheLetterA()
    {
        QTemporaryDir dir;
        QVERIFY(FontFile::save(dir.filePath(QStringLiteral("Font_V1.fnt")), sampleFont(QStringLiteral("Font_V1"))));
        FontExportOptions options;
        options.fontDir = dir.path();
        options.outDir = dir.filePath(QStringLiteral("Out"));
        options.fontNames = {QStringLiteral("Font_V1")};
        options.withHeader = true;
        FontExportResult result = exportFontImage(options);
        QVERIFY(result.ok);
        const QByteArray out = TestSupport::readFile(options.outDir + u"/fonts.out");
        // Glyphs 64..71 on one line at 0x800040 + 64 * 5.
        QVERIFY(out.contains("\r\nH80018040404040400504030201424242424243434343434444444444"));
        const QByteArray h = TestSupport::readFile(options.outDir + u"/fonts.h");
        QVERIFY(h.startsWith("U8 fontDataTable[] = {\r\r\n0x00, 0x00, 0x00, 0x00, 0x00, // 0x00\r\r\n"));
        QVERIFY(h.contains("\r\r\n0x05, 0x04, 0x03, 0x02, 0x01, // 0x41\r\r\n"));
        QVERIFY(h.endsWith("0xFF, 0xFF, 0xFF, 0xFF, 0xFF, // 0xFF\r\r\n};\r\r\n"));
    }

    void nameRecordOfALongName()
    {
        QTemporaryDir dir;
        const QString name = QString(40, u'a');
        QVERIFY(FontFile::save(dir.filePath(name + u".fnt"), sampleFont(name)));
        FontExportOptions options{dir.path(), dir.path(), {name}, false, false, false};
        QVERIFY(exportFontImage(options).ok);
        const QByteArray image = TestSupport::readFile(dir.filePath(QStringLiteral("fonts.out")));
        QVERIFY(image.contains(QByteArray("\r\nH800000" + QByteArray("61").repeated(40) + "\r\n")));
    }

    // The shipped fonts: every glyph line present, the board's letters where the board code puts them.
    // Font_V2 leaves the codes of Ў ў І і blank: those letters do not round-trip (their low bytes are written).
    void shippedFonts_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<int>>("litCodes");
        QTest::addColumn<QString>("comments");
        QTest::addColumn<QList<int>>("blankCodes");
        QTest::newRow("Latin") << QStringLiteral("Font_V1.fnt")
                               << QList<int>{'A', 'z', '0', 0xA5, 0xB9, 0x8C, 0xA3, 0xD3, 0xE4}
                               << QStringLiteral("ĄąŚŁÓä") << QList<int>{0x20};
        QTest::newRow("Cyrillic") << QStringLiteral("Font_V2.fnt")
                                  << QList<int>{'A', 0xC0, 0xFF, 0xA8, 0xB8, 0xAA, 0xBA, 0xAF, 0xBF, 0xA5, 0xB4, 0xB9}
                                  << QStringLiteral("АяЁёЄєЇїҐґ№") << QList<int>{0x20, 0xA1, 0xA2, 0xB2, 0xB3};
    }
    void shippedFonts()
    {
        QFETCH(QString, file);
        QFETCH(QList<int>, litCodes);
        QFETCH(QString, comments);
        QFETCH(QList<int>, blankCodes);
        BoardFont font;
        QVERIFY(FontFile::load(TestSupport::sourceDir() + u"/data/Font/" + file, font));
        for (int code : litCodes)
            QVERIFY2(!font.glyphs[code].isBlank(), qPrintable(QString::number(code, 16)));
        for (int code : blankCodes)
            QVERIFY2(font.glyphs[code].isBlank(), qPrintable(QString::number(code, 16)));
        QString named;
        for (const Glyph &g : font.glyphs)
            named += g.comment.left(1);
        for (QChar c : comments)
            QVERIFY2(named.contains(c), qPrintable(QString(c)));
    }

    // A font that cannot be exported whole is skipped and reported; fonts.out and fonts.h are
    // then byte for byte those of an export without it, so the fonts after it keep their addresses.
    void badFontsAreSkipped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("textId");
        QTest::addColumn<int>("detail");
        const QByteArray font = FontFile::toBytes(sampleFont(QStringLiteral("B")));
        for (const QString &name : {u"B\nZ800000"_qs, u"B\r"_qs, u"B\x1b[31m"_qs})
            QTest::addRow("control character %d", int(name[1].unicode()))
                << name << font << int(Txt::FontExportControlInName) << 0;
        const QByteArray random = QCryptographicHash::hash("font", QCryptographicHash::Sha512).repeated(64);
        QTest::newRow("random bytes") << u"B"_qs << random << int(Txt::FontExportIncomplete) << 0;
        QTest::newRow("100 glyph lines") << u"B"_qs << font.left(font.indexOf("\r\n0x64\t") + 2)
                                         << int(Txt::FontExportIncomplete) << 100;
        QTest::newRow("column not hex") << u"B"_qs
                                        << QByteArray(font).replace("\t0x01\t0x02\t0x03", "\t0x0G\t0x02\t0x03")
                                        << int(Txt::FontExportBadColumn) << 3 + 0x41 + 1;
    }
    void badFontsAreSkipped()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, textId);
        QFETCH(int, detail);
        QTemporaryDir dir;
        for (const QString &font : {u"A"_qs, u"Z"_qs})
            QVERIFY(FontFile::save(dir.filePath(font + u".fnt"), sampleFont(font)));
        QVERIFY(TestSupport::writeFile(dir.filePath(name + u".fnt"), bytes));
        FontExportOptions options{dir.path(), dir.filePath(QStringLiteral("Out")), {u"A"_qs, name, u"Z"_qs}, true};
        const FontExportResult result = exportFontImage(options);
        QVERIFY(result.ok && result.fontsWritten == 2 && result.skipped.size() == 1);
        QCOMPARE(result.skipped[0].fontName, name);
        QCOMPARE(result.skipped[0].textId, textId);
        QCOMPARE(result.skipped[0].detail, detail);

        options.fontNames = QStringList{u"A"_qs, u"Z"_qs};
        options.outDir = dir.filePath(QStringLiteral("Without"));
        QVERIFY(exportFontImage(options).ok);
        for (const QString &file : {u"/fonts.out"_qs, u"/fonts.h"_qs})
            QCOMPARE(TestSupport::readFile(dir.filePath(u"Out"_qs) + file),
                     TestSupport::readFile(options.outDir + file));
        QVERIFY(TestSupport::readFile(options.outDir + u"/fonts.out").contains("\r\nczcionka: Z\r\nH800540"));
    }

    void skippedFontsAndFailures()
    {
        QTemporaryDir dir;
        QVERIFY(FontFile::save(dir.filePath(QStringLiteral("B.fnt")), sampleFont(QStringLiteral("B"))));
        FontExportOptions options{
            dir.path(), dir.filePath(QStringLiteral("Out")), {QStringLiteral("Missing"), QStringLiteral("B")}};
        FontExportResult result = exportFontImage(options);
        QVERIFY(result.ok);
        QCOMPARE(result.skipped.size(), 1);
        QCOMPARE(result.skipped[0].textId, int(Txt::FontExportMissing));
        // The skipped font takes no address space.
        QVERIFY(TestSupport::readFile(options.outDir + u"/fonts.out").contains("czcionka: B\r\nH80000042FF"));

        QTemporaryDir empty;
        result = exportAllFonts(empty.path(), empty.filePath(QStringLiteral("Out")));
        QVERIFY(!result.ok);
        QCOMPARE(result.failureTextId, int(Txt::FontExportNoFonts));
        QVERIFY(!QFileInfo::exists(empty.filePath(QStringLiteral("Out/fonts.out"))));

        QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("blocker")), "x"));
        options.outDir = dir.filePath(QStringLiteral("blocker"));
        result = exportFontImage(options);
        QVERIFY(!result.ok);
        QCOMPARE(result.failureTextId, int(Txt::FontExportCannotCreate));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestBoardFont)
#include "tst_boardfont.moc"
