// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped demo card is what its generator writes from the source, and it reads back clean.
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

class TestDemoCard : public QObject
{
    Q_OBJECT

    static QString binary(const char *name) { return TestSupport::buildDir() + u"/bin/" + QString::fromLatin1(name); }
    static QString shipped() { return TestSupport::sourceDir() + u"/data/demo-card"; }

private slots:
    void committedFilesMatchTheGenerator()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("card"));
        const auto run = TestSupport::runProcess(binary("lumivox-make-demo-card"),
                                                 {TestSupport::sourceDir() + u"/tools/democard/hymns.txt", out});
        QCOMPARE(run.exitCode, 0);
        // Every name and every byte (Latin-1 shows each byte as one character).
        QCOMPARE(TestSupport::treeOf(shipped(), true), TestSupport::treeOf(out, true));
        // Refuses to write over an existing card.
        QCOMPARE(TestSupport::runProcess(binary("lumivox-make-demo-card"),
                                         {TestSupport::sourceDir() + u"/tools/democard/hymns.txt", out}).exitCode, 2);
    }

    void demoCardScansWithoutIssues()
    {
        const auto scan = TestSupport::runProcess(binary("lumivox-cli"), {QStringLiteral("scan"), shipped(), QStringLiteral("--full")});
        QCOMPARE(scan.exitCode, 0);
        QVERIFY(scan.out.startsWith(u"songs 11, slides 2, playlists 1, issues 0"));
        const auto playlist = TestSupport::runProcess(
            binary("lumivox-cli"), {QStringLiteral("playlist"), QStringLiteral("show"),
                                    shipped() + u"/playlist_dir/0001 Boże Narodzenie.lst", QStringLiteral("--card"), shipped()});
        QCOMPARE(playlist.exitCode, 0);
        const QStringList lines = playlist.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 11);
        for (const QString &line : lines)
            QCOMPARE(line.section(u'\t', 6, 6), QStringLiteral("1")); // every entry found
        // The refrain of "Przybieżeli do Betlejem" is its second stanza.
        QCOMPARE(lines.at(5).section(u'\t', 2, 4), QStringLiteral("Przybieżeli do Betlejem\t2\t1"));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestDemoCard)
#include "tst_democard.moc"
