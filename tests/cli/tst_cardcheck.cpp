// SPDX-License-Identifier: GPL-3.0-or-later
// "card write --dry-run" and "card verify" on one image and card pair that holds every case: a
// byte changed at the same size and time, a missing file, an extra, pipes on both sides, a
// directory where a file goes, a Polish name, a 0-byte file and a root file of a layered card.
#include "tablerows.h"

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

// A temporary file name of a writer that has ended.
QString leftoverName()
{
    return u".lumivox-" + QString::number(TestSupport::endedProcessId()) + u"-0-0.tmp";
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
        return writeFile(m_image + u"/G/0001 Zmiana.txt", "abcdef")
            && writeFile(m_image + u"/G/0002 Brak.txt", "missing") && writeFile(m_image + u"/G/0003 Zażółć.txt", "żółw")
            && writeFile(m_image + u"/G/Czy wiesz?.txt", "")
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
        QTest::addColumn<QString>("table");
        QTest::newRow("append") << QStringList{u"--append"_qs} << u"cardcheck/append.tsv"_qs;
        // The pipe and the folder in the card's way are nothing a card holds: the write needs --force.
        QTest::newRow("write, all") << QStringList{u"--all"_qs, u"--force"_qs} << u"cardcheck/write.tsv"_qs;
    }
    void dryRunRows()
    {
        QFETCH(QStringList, flags);
        QFETCH(QString, table);
        QStringList rows;
        for (const QStringList &row : TestSupport::tableRows(table))
            rows << row.join(u'\t');
        const QByteArray image = treeHash(m_image);
        const QByteArray card = treeHash(m_card);
        const CliRun r = runCli(QStringList{u"card"_qs, u"write"_qs, m_image, m_card, u"--dry-run"_qs, u"--tsv"_qs}
                                + flags);
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
        const CliRun plan = runCli(
            {u"card"_qs, u"write"_qs, m_image, m_card, u"--append"_qs, u"--dry-run"_qs, u"--tsv"_qs});
        QStringList expected;
        for (const QString &row : lines(plan.out)) {
            const QStringList f = row.split(u'\t');
            if (f.at(0) == u"new" || f.at(0) == u"replace")
                expected.append(
                    QStringList{f.at(1), f.at(2), f.at(3), f.at(0) == u"new" ? u"0"_qs : u"1"_qs}.join(u'\t'));
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
        for (const QStringList &row : TestSupport::tableRows(u"cardcheck/exitcodes.tsv"_qs))
            QTest::newRow(qPrintable(row.at(0)))
                << row.at(0).section(u',', 0, 0) << row.at(1).split(u' ', Qt::SkipEmptyParts) << row.at(2).toInt();
    }
    void exitCodes()
    {
        QFETCH(QString, prepare);
        QFETCH(QStringList, flags);
        QFETCH(int, exitCode);
        QVERIFY(QDir(m_image).removeRecursively() && QDir(m_card).removeRecursively());
        QVERIFY(writeCleanImage());
        if (prepare != u"foreign" && prepare != u"missing")
            QVERIFY(TestSupport::copyTree(m_image, m_card));
        if (prepare == u"extra")
            QVERIFY(writeFile(m_card + u"/G/0007 Obcy.txt", "?"));
        if (prepare == u"leftover")
            QVERIFY(writeFile(m_card + u"/G/" + leftoverName(), "cut"));
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
        // A killed writer's file is named, and counts only where the card must hold the image alone.
        const QString leftover = leftoverName();
        QVERIFY(writeFile(m_card + u"/G/" + leftover, "cut"));
        r = runCli(verify);
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.contains(u"G/" + leftover), qPrintable(r.err));
        QVERIFY(QFile::remove(m_card + u"/G/" + leftover));
        r = runCli(verify + QStringList{u"--exact"_qs});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(lines(r.out), QStringList{u"extra\t0\t7\tObcy\t1\tG/0007 Obcy.txt"_qs});
    }

    // Names the copies cannot take are named and make each command exit 1, never 0; a name's
    // line feed starts no line of its own.
    void namesNotHandled_data()
    {
        QTest::addColumn<QStringList>("args"); // %I the image, %C the card
        QTest::addColumn<QList<QByteArray>>("image");
        QTest::addColumn<QList<QByteArray>>("card");
        QTest::addColumn<QString>("said");
        const QList<QByteArray> latin2{"G/0001 A.txt",
                                       "G/0020 W\xb6r\xf3"
                                       "d.txt"};
        QTest::newRow("verify, the card holds it")
            << QStringList{u"card"_qs, u"verify"_qs, u"%I"_qs, u"%C"_qs} << latin2.mid(0, 1) << latin2
            << u"/card/G/0020 W\\xB6r\\xF3d.txt"_qs;
        const QStringList pack{u"pack"_qs, u"%C"_qs, u"%I/out.lvp"_qs};
        QTest::newRow("pack") << pack << QList<QByteArray>{} << latin2 << u"G/0020 W\\xB6r\\xF3d.txt"_qs;
        QTest::newRow("pack, line feed in a name")
            << pack << QList<QByteArray>{} << QList<QByteArray>{"G/0002 A\rB\nC.txt"}
            << u"G/0002 A\uFFFDB\uFFFDC.txt"_qs;
        QTest::newRow("scan, line feed in a name")
            << QStringList{u"scan"_qs, u"%C"_qs} << QList<QByteArray>{} << QList<QByteArray>{"G/0000 Zero\nX.txt"}
            << u"G/0000 Zero\uFFFDX"_qs;
    }
    void namesNotHandled()
    {
        QFETCH(QStringList, args);
        QFETCH(QList<QByteArray>, image);
        QFETCH(QList<QByteArray>, card);
        QFETCH(QString, said);
        QVERIFY(TestSupport::removeRawTree(m_image) && TestSupport::removeRawTree(m_card));
        for (const QByteArray &file : image)
            QVERIFY(TestSupport::writeRawFile(m_image, file, "x"));
        for (const QByteArray &file : card)
            QVERIFY(TestSupport::writeRawFile(m_card, file, "x"));
        QDir().mkpath(m_image);
        for (QString &arg : args)
            arg.replace(u"%I"_qs, m_image).replace(u"%C"_qs, m_card);
        const CliRun r = runCli(args);
        QVERIFY2(r.exitCode == 1 && QString(r.out + r.err).contains(said), qPrintable(r.out + r.err));
        // Every line is the program's own: a message, or the scan's summary and its one issue.
        for (const QString &line : lines(r.err))
            QVERIFY2(line.startsWith(u"lumivox-cli: "), qPrintable(line));
        QVERIFY(args.first() != u"scan" || lines(r.out).size() == 2);
        QVERIFY(TestSupport::removeRawTree(m_image) && TestSupport::removeRawTree(m_card));
    }
};

QTEST_GUILESS_MAIN(TestCardCheck)
#include "tst_cardcheck.moc"
