// SPDX-License-Identifier: GPL-3.0-or-later
// "lumivox-cli scan" and "lumivox-cli playlist show" run as processes, as a script would.
#include "testsupport.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

using Run = TestSupport::ProcessRun;
using TestSupport::runCli;

// Every path below root with its size and modification time: what "changes nothing" means.
QStringList snapshot(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        entries.append(info.filePath() + u' ' + QString::number(info.size()) + u' '
                       + QString::number(info.lastModified().toMSecsSinceEpoch()));
    }
    entries.sort();
    return entries;
}

QStringList lines(const QString &text)
{
    return text.split(u'\n', Qt::SkipEmptyParts);
}

// The fixture's issues in the order found, ordered by number as the command lists them.
QStringList expectedIssueLines(const char *file)
{
    QStringList expected = lines(QString::fromUtf8(
        TestSupport::readFile(TestSupport::testData(QStringLiteral("library/") + QString::fromUtf8(file)))));
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString &a, const QString &b) { return a.section(u'\t', 0, 0).toInt() < b.section(u'\t', 0, 0).toInt(); });
    return expected;
}

} // namespace

class TestCliLibrary : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_card;

private slots:
    void initTestCase()
    {
        m_card = m_dir.filePath(QStringLiteral("card"));
        QVERIFY(TestSupport::copyTree(TestSupport::testData(QStringLiteral("library/issuecard")), m_card));
    }

    void scanTsvListsTheIssuesByNumber_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("expected");
        QTest::newRow("full") << QStringList{QStringLiteral("--full")} << QStringLiteral("issuecard.full.tsv");
        QTest::newRow("quick") << QStringList{} << QStringLiteral("issuecard.tsv");
    }
    void scanTsvListsTheIssuesByNumber()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, expected);
        const QStringList before = snapshot(m_card);
        const Run r = runCli(QStringList{QStringLiteral("scan"), m_card, QStringLiteral("--tsv")} + options);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(lines(r.out), expectedIssueLines(expected.toUtf8().constData()));
        QCOMPARE(snapshot(m_card), before);
    }

    void scanSummaryInTheChosenLanguage()
    {
        Run r = runCli({QStringLiteral("scan"), m_card});
        QCOMPARE(r.exitCode, 1);
        QStringList out = lines(r.out);
        QCOMPARE(out.size(), 14);
        QCOMPARE(out.first(), QStringLiteral("songs 12, slides 3, playlists 3, issues 13"));
        QCOMPARE(out.at(1), QStringLiteral("0\tNumer poza dozwolonym zakresem\tAdwent/0000 Amen"));

        r = runCli({QStringLiteral("scan"), QStringLiteral("--language"), QStringLiteral("English"), m_card});
        QCOMPARE(r.exitCode, 1);
        out = lines(r.out);
        QCOMPARE(out.at(1), QStringLiteral("0\tNumber out of range\tAdwent/0000 Amen"));
        QVERIFY(out.contains(QStringLiteral("2\tDuplicate title\tWielkanoc/0002 KYRIE")));
    }

    void scanOfACleanCardChangesNothing()
    {
        const QString card = m_dir.filePath(QStringLiteral("clean"));
        QVERIFY(TestSupport::writeFile(card + u"/G/0001 Kyrie.txt",
                                       TestSupport::readFile(m_card + u"/Adwent/0001 Kyrie.txt")));
        const Run r = runCli({QStringLiteral("scan"), card});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(lines(r.out), QStringList{QStringLiteral("songs 1, slides 0, playlists 0, issues 0")});
        QVERIFY(!QFileInfo::exists(card + u"/screen_dir"));
        QVERIFY(!QFileInfo::exists(card + u"/playlist_dir"));
    }

    void playlistShow()
    {
        const QString card = QFileInfo(m_card).absoluteFilePath() + u'/';
        const Run r = runCli({QStringLiteral("playlist"), QStringLiteral("show"), m_card + u"/playlist_dir/0001 Msza.lst",
                           QStringLiteral("--card"), m_card});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(lines(r.out), (QStringList{
                                   QString(u"1\tTXT\tKyrie\t2\t1\t5\t1\t1\t" + card + u"Adwent/0001 Kyrie.txt"),
                                   QStringLiteral("2\tTXT\tNie ma takiej\t1\t0\t0\t0\t0\t"),
                                   QStringLiteral("3\tTXT\t---\t1\t0\t0\t0\t0\t"),
                                   QString(u"4\tEKR\tOgloszenie\t1\t0\t3\t1\t1\t" + card + u"screen_dir/0001 Ogloszenie.ekr"),
                               }));
    }

};

LUMIVOX_TEST_MAIN_CORE(TestCliLibrary)
#include "tst_clilibrary.moc"
