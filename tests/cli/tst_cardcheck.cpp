// SPDX-License-Identifier: GPL-3.0-or-later
// "card write --dry-run" and "card verify" on one image and card pair that holds every case: a
// byte changed at the same size and time, a missing file, an extra, pipes on both sides, a
// directory where a file goes, a Polish name, a 0-byte file and a root file of a layered card.
#include "testsupport.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

using TestSupport::writeFile;
using CliRun = TestSupport::ProcessRun;

namespace {

CliRun runCli(const QStringList &args)
{
    return TestSupport::runProcess(TestSupport::buildDir() + u"/bin/lumivox-cli", args);
}

bool makeFifo(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    return mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

// Gives target the times of reference, as "touch -r" does.
bool copyTimes(const QString &reference, const QString &target)
{
    struct stat st;
    if (stat(QFile::encodeName(reference).constData(), &st) != 0)
        return false;
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    return utimensat(AT_FDCWD, QFile::encodeName(target).constData(), times, 0) == 0;
}

// Path, type, mode, size, modification time and contents of everything below dir.
QByteArray treeHash(const QString &dir)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &relative : TestSupport::treeOf(dir)) {
        const QString path = dir + u'/' + relative;
        struct stat st;
        if (lstat(QFile::encodeName(path).constData(), &st) != 0)
            return {};
        hash.addData(QFile::encodeName(relative));
        const QByteArray meta = QByteArray::number(st.st_mode) + ' ' + QByteArray::number(qint64(st.st_size)) + ' '
            + QByteArray::number(qint64(st.st_mtim.tv_sec)) + '.' + QByteArray::number(qint64(st.st_mtim.tv_nsec));
        hash.addData(meta);
        if (S_ISREG(st.st_mode))
            hash.addData(TestSupport::readFile(path));
    }
    return hash.result();
}

QStringList lines(const QString &text)
{
    return text.split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class TestCardCheck : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    QString m_image;
    QString m_card;

    // The image of a clean write: songs, a playlist and a slide, with names the copy must keep.
    bool writeCleanImage()
    {
        return writeFile(m_image + u"/G/0001 Zmiana.txt", "abcdef") && writeFile(m_image + u"/G/0002 Brak.txt", "missing")
            && writeFile(m_image + u"/G/0003 Zażółć.txt", "żółw") && writeFile(m_image + u"/G/Czy wiesz?.txt", "")
            && writeFile(m_image + u"/playlist_dir/0001 Lista.lst", "lista")
            && writeFile(m_image + u"/screen_dir/0001 Slajd.ekr", "slajd");
    }

private slots:
    void init()
    {
        m_dir.emplace();
        m_image = m_dir->filePath(u"image"_qs);
        m_card = m_dir->filePath(u"card"_qs);
        QVERIFY(writeCleanImage());
        QVERIFY(writeFile(m_image + u"/0099 Korzeń.txt", "not copied: a layered image's root"));
        QVERIFY(makeFifo(m_image + u"/G/0005 Rura.txt"));

        QVERIFY(writeFile(m_card + u"/G/0001 Zmiana.txt", "abcdXf"));
        QVERIFY(copyTimes(m_image + u"/G/0001 Zmiana.txt", m_card + u"/G/0001 Zmiana.txt"));
        QVERIFY(writeFile(m_card + u"/G/0003 Zażółć.txt", "żółw"));
        QVERIFY(writeFile(m_card + u"/G/Czy wiesz?.txt", ""));
        QVERIFY(writeFile(m_card + u"/G/0009 Nadmiar.txt", "extra"));
        QVERIFY(writeFile(m_card + u"/0100 Root.txt", "root"));
        QVERIFY(makeFifo(m_card + u"/playlist_dir/0001 Lista.lst"));
        QVERIFY(writeFile(m_card + u"/screen_dir/0001 Slajd.ekr/x", "x"));
    }

    void dryRunRows_data()
    {
        QTest::addColumn<QStringList>("flags");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("append") << QStringList{u"--append"_qs}
                                << QStringList{
                                       u"replace\t0\t1\tZmiana\t6\tG/0001 Zmiana.txt"_qs,
                                       u"new\t0\t2\tBrak\t7\tG/0002 Brak.txt"_qs,
                                       u"unreadable\t0\t5\tRura\t0\tG/0005 Rura.txt"_qs,
                                       u"unreadable\t1\t1\tLista\t5\tplaylist_dir/0001 Lista.lst"_qs,
                                       u"unreadable\t2\t1\tSlajd\t5\tscreen_dir/0001 Slajd.ekr"_qs,
                                       u"extra\t0\t100\tRoot\t4\t0100 Root.txt"_qs,
                                       u"extra\t0\t9\tNadmiar\t5\tG/0009 Nadmiar.txt"_qs,
                                       u"extra\t3\t0\tx\t1\tscreen_dir/0001 Slajd.ekr/x"_qs,
                                   };
        // The clear deletes what stands in the way, so a write lists it and copies anew.
        QTest::newRow("write, all") << QStringList{u"--all"_qs}
                                    << QStringList{
                                           u"replace\t0\t1\tZmiana\t6\tG/0001 Zmiana.txt"_qs,
                                           u"new\t0\t2\tBrak\t7\tG/0002 Brak.txt"_qs,
                                           u"same\t0\t3\tZażółć\t7\tG/0003 Zażółć.txt"_qs,
                                           u"unreadable\t0\t5\tRura\t0\tG/0005 Rura.txt"_qs,
                                           u"same\t0\t0\tiesz?\t0\tG/Czy wiesz?.txt"_qs,
                                           u"new\t1\t1\tLista\t5\tplaylist_dir/0001 Lista.lst"_qs,
                                           u"new\t2\t1\tSlajd\t5\tscreen_dir/0001 Slajd.ekr"_qs,
                                           u"extra\t0\t100\tRoot\t4\t0100 Root.txt"_qs,
                                           u"extra\t0\t9\tNadmiar\t5\tG/0009 Nadmiar.txt"_qs,
                                           u"extra\t1\t1\tLista\t0\tplaylist_dir/0001 Lista.lst"_qs,
                                           u"extra\t3\t0\tx\t1\tscreen_dir/0001 Slajd.ekr/x"_qs,
                                       };
    }
    void dryRunRows()
    {
        QFETCH(QStringList, flags);
        QFETCH(QStringList, rows);
        const QByteArray image = treeHash(m_image);
        const QByteArray card = treeHash(m_card);
        const CliRun r = runCli(QStringList{u"card"_qs, u"write"_qs, m_image, m_card, u"--dry-run"_qs, u"--tsv"_qs} + flags);
        QCOMPARE(lines(r.out), rows);
        QCOMPARE(r.exitCode, 2); // the pipe is unreadable
        QVERIFY2(r.err.contains(u"Nowe:"), qPrintable(r.err));
        QCOMPARE(treeHash(m_image), image);
        QCOMPARE(treeHash(m_card), card);
    }

    // The plan's new and replaced files are, in order, what the append then reports; the pipe
    // in the card's way is now a named failure, not a silently kept file.
    void planMatchesAppend()
    {
        const CliRun plan =
            runCli({u"card"_qs, u"write"_qs, m_image, m_card, u"--append"_qs, u"--dry-run"_qs, u"--tsv"_qs});
        QStringList expected;
        for (const QString &row : lines(plan.out)) {
            const QStringList f = row.split(u'\t');
            if (f.at(0) == u"new" || f.at(0) == u"replace")
                expected.append(QStringList{f.at(1), f.at(2), f.at(3), f.at(0) == u"new" ? u"0"_qs : u"1"_qs}.join(u'\t'));
        }
        QCOMPARE(expected.size(), 2);
        const CliRun append = runCli({u"card"_qs, u"write"_qs, m_image, m_card, u"--append"_qs, u"--tsv"_qs});
        QCOMPARE(lines(append.out), expected);
        QCOMPARE(append.exitCode, 1);
        QVERIFY2(append.err.contains(u"playlist_dir/0001 Lista.lst"), qPrintable(append.err));
        struct stat st;
        QVERIFY(lstat(QFile::encodeName(m_card + u"/playlist_dir/0001 Lista.lst").constData(), &st) == 0);
        QVERIFY(S_ISFIFO(st.st_mode));
    }

    void exitCodes_data()
    {
        QTest::addColumn<QString>("prepare");
        QTest::addColumn<QStringList>("flags");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("identical") << u"identical"_qs << QStringList{} << 0;
        QTest::newRow("identical, append") << u"identical"_qs << QStringList{u"--append"_qs} << 0;
        QTest::newRow("one byte differs") << u"flipped"_qs << QStringList{} << 1;
        QTest::newRow("not a card") << u"foreign"_qs << QStringList{} << 2;
        QTest::newRow("not a card, forced") << u"foreign"_qs << QStringList{u"--force"_qs} << 1;
        QTest::newRow("card folder missing") << u"missing"_qs << QStringList{} << 2;
    }
    void exitCodes()
    {
        QFETCH(QString, prepare);
        QFETCH(QStringList, flags);
        QFETCH(int, exitCode);
        QVERIFY(QDir(m_image).removeRecursively() && QDir(m_card).removeRecursively());
        QVERIFY(writeCleanImage());
        if (prepare == u"identical" || prepare == u"flipped")
            QVERIFY(TestSupport::copyTree(m_image, m_card));
        if (prepare == u"flipped")
            QVERIFY(writeFile(m_card + u"/G/0001 Zmiana.txt", "abcdeX"));
        if (prepare == u"foreign")
            QVERIFY(writeFile(m_card + u"/notes.odt", "mine"));
        const QStringList before = TestSupport::treeOf(m_card, true);
        const CliRun r = runCli(QStringList{u"card"_qs, u"write"_qs, m_image, m_card, u"--dry-run"_qs} + flags);
        QVERIFY2(r.exitCode == exitCode, qPrintable(r.out + r.err));
        QCOMPARE(TestSupport::treeOf(m_card, true), before);
        QCOMPARE(QFileInfo::exists(m_card), prepare != u"missing");
    }

    void verify()
    {
        QVERIFY(QDir(m_image).removeRecursively() && QDir(m_card).removeRecursively() && QDir().mkpath(m_card));
        QVERIFY(writeCleanImage());
        QCOMPARE(runCli({u"card"_qs, u"write"_qs, m_image, m_card}).exitCode, 0);
        const QStringList verify{u"card"_qs, u"verify"_qs, m_image, m_card, u"--tsv"_qs};
        QCOMPARE(runCli(verify).exitCode, 0);

        const QString changed = m_card + u"/G/0003 Zażółć.txt";
        QVERIFY(writeFile(changed, "żółW"));
        QVERIFY(copyTimes(m_image + u"/G/0003 Zażółć.txt", changed));
        const QByteArray card = treeHash(m_card);
        CliRun r = runCli(verify);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(lines(r.out), QStringList{u"replace\t0\t3\tZażółć\t7\tG/0003 Zażółć.txt"_qs});
        QCOMPARE(treeHash(m_card), card);

        QVERIFY(writeFile(changed, "żółw"));
        QVERIFY(writeFile(m_card + u"/G/0007 Obcy.txt", "?"));
        QCOMPARE(runCli(verify).exitCode, 0);
        r = runCli(verify + QStringList{u"--exact"_qs});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(lines(r.out), QStringList{u"extra\t0\t7\tObcy\t1\tG/0007 Obcy.txt"_qs});
    }
};

QTEST_GUILESS_MAIN(TestCardCheck)
#include "tst_cardcheck.moc"
