// SPDX-License-Identifier: GPL-3.0-or-later
// lumivox-cli fonts export, run as a process on the shipped fonts.
#include "core/font/boardfont.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCliFonts : public QObject
{
    Q_OBJECT

private slots:
    void exportsEveryFontInNameOrder()
    {
        QTemporaryDir dir;
        const QString fonts = dir.filePath(QStringLiteral("Font"));
        QVERIFY(TestSupport::copyTree(TestSupport::sourceDir() + u"/data/Font", fonts));
        const QString out = dir.filePath(QStringLiteral("Out"));
        const auto run = TestSupport::runCli({QStringLiteral("fonts"), QStringLiteral("export"), fonts, out,
                                                         QStringLiteral("--header"), QStringLiteral("--mirrored")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("fonts 2, skipped 0\n"));
        const QByteArray image = TestSupport::readFile(out + u"/fonts.out");
        QVERIFY(image.startsWith("Z800000\r\nczcionka: Font_V1\r\nH800000466F6E745F5631"));
        QVERIFY(image.contains("\r\nczcionka: Font_V2\r\nH800540"));
        // 'A' (0x41) of Font_V1 mirrored: K5..K1 as they stand in the .fnt line.
        BoardFont font;
        QVERIFY(FontFile::load(fonts + u"/Font_V1.fnt", font));
        const Glyph &a = font.glyphs[0x41];
        QByteArray mirrored;
        for (int k = 5; k >= 1; --k)
            mirrored += upperHex(a.k(k), 2);
        QVERIFY(image.contains(QByteArray("\r\nH800180" + upperHex(font.glyphs[0x40].k(5), 2))));
        QVERIFY(image.contains(mirrored));
        const QByteArray header = TestSupport::readFile(out + u"/fonts.h");
        QVERIFY(header.startsWith("U8 fontDataTable[] = {\r\r\n"));
        QCOMPARE(header.count("\r\r\n"), 2 + 2 * 256);
    }

    void lowerCaseNamesAndBadArguments()
    {
        QTemporaryDir dir;
        QVERIFY(TestSupport::copyTree(TestSupport::sourceDir() + u"/data/Font", dir.path()));
        auto run = TestSupport::runCli({QStringLiteral("fonts"), QStringLiteral("export"), dir.path(),
                                                   dir.path(), QStringLiteral("--lowercase-names")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(TestSupport::readFile(dir.filePath(QStringLiteral("fonts.out"))).contains("czcionka: font_v2"));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("fonts.h"))));

        run = TestSupport::runCli({QStringLiteral("fonts"), QStringLiteral("export"), dir.path()});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(u"usage: lumivox-cli fonts export"));
        QTemporaryDir empty;
        run = TestSupport::runCli({QStringLiteral("fonts"), QStringLiteral("export"), empty.path(), empty.path()});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(!run.err.isEmpty());
        QVERIFY(!QFileInfo::exists(empty.filePath(QStringLiteral("fonts.out"))));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestCliFonts)
#include "tst_clifonts.moc"
