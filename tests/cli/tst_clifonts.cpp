// SPDX-License-Identifier: GPL-3.0-or-later
// lumivox-cli fonts export, run as a process on the shipped fonts.
#include "core/font/fontexport.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCliFonts : public QObject
{
    Q_OBJECT

private slots:
    // The command writes what the export itself writes for the same options, every font of
    // the folder in name order; the bytes are checked by tst_boardfont.
    void exportMatchesTheLibrary_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("header");
        QTest::addColumn<bool>("mirrored");
        QTest::addColumn<bool>("lowerCase");
        QTest::newRow("plain") << QStringList{} << false << false << false;
        QTest::newRow("header, mirrored") << QStringList{u"--header"_qs, u"--mirrored"_qs} << true << true << false;
        QTest::newRow("lower-case names") << QStringList{u"--lowercase-names"_qs} << false << false << true;
    }
    void exportMatchesTheLibrary()
    {
        QFETCH(QStringList, options);
        QTemporaryDir dir;
        const QString fonts = dir.filePath(QStringLiteral("Font"));
        QVERIFY(TestSupport::copyTree(TestSupport::sourceDir() + u"/data/Font", fonts));
        const QString out = dir.filePath(QStringLiteral("Out"));
        const auto run = TestSupport::runCli(QStringList{u"fonts"_qs, u"export"_qs, fonts, out} + options);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("fonts 2, skipped 0\n"));

        FontExportOptions direct{fonts, dir.filePath(QStringLiteral("Direct")), {u"Font_V1"_qs, u"Font_V2"_qs}};
        QFETCH(bool, header);
        QFETCH(bool, mirrored);
        QFETCH(bool, lowerCase);
        direct.withHeader = header;
        direct.mirrored = mirrored;
        direct.lowerCaseNames = lowerCase;
        QVERIFY(exportFontImage(direct).ok);
        const QStringList written = TestSupport::treeOf(out, true);
        QCOMPARE(written.size(), header ? 2 : 1);
        QCOMPARE(written, TestSupport::treeOf(direct.outDir, true));
    }

    void folderWithoutFontsWritesNothing()
    {
        QTemporaryDir empty;
        const auto run = TestSupport::runCli({QStringLiteral("fonts"), QStringLiteral("export"), empty.path(), empty.path()});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(!run.err.isEmpty());
        QVERIFY(!QFileInfo::exists(empty.filePath(QStringLiteral("fonts.out"))));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestCliFonts)
#include "tst_clifonts.moc"
