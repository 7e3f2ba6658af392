// SPDX-License-Identifier: GPL-3.0-or-later
// The programs run as a script or a user runs them. Command lines are cases, one folder each
// below tests/data/cli/:
//   args            the arguments, one a line; %WORK% is the case's working folder, %SRC% the source tree
//   program         another program of the build's bin/ folder than lumivox-cli
//   env             NAME=value lines for the program's environment
//   fixtures        folders below tests/data copied into the working folder, one a line
//   input/          copied into the working folder
//   exit            the exit code (0 when missing)
//   stdout, stderr  the output, with %WORK% and %SRC% for the folders (nothing when missing)
//   output/         what the working folder holds afterwards, byte for byte; without it, the
//                   working folder must be as it was
//   created         files the program writes whose bytes vary from run to run (a PDF's date),
//                   one a line: each must be there and not empty, and is left out of the above
#include "testsupport.h"

#include <QSettings>

using namespace TestSupport;

namespace {

QString binary(const QString &name)
{
    return buildDir() + u"/bin/" + name;
}

// A user of its own, so that nothing reads or writes the real one's settings.
QProcessEnvironment isolatedUser(const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    for (const char *var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString dir = home + u'/' + QLatin1String(var);
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QString::fromLatin1(var), dir);
    }
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LUMIVOX_NONINTERACTIVE"), QStringLiteral("1"));
    return env;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QString>("dir");
        const QDir cases(testData(QStringLiteral("cli")));
        for (const QString &name : cases.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QTest::newRow(qPrintable(name)) << cases.filePath(name);
    }
    void commandLine()
    {
        QFETCH(QString, dir);
        const auto text = [&dir](const char *file) {
            return QString::fromUtf8(readFile(dir + u'/' + QLatin1String(file)));
        };
        const auto lines = [&](const char *file) { return text(file).split(u'\n', Qt::SkipEmptyParts); };
        QTemporaryDir tmp;
        const QString work = tmp.filePath(QStringLiteral("work"));
        for (const QString &fixture : lines("fixtures"))
            QVERIFY(copyTree(testData(fixture), work));
        QVERIFY(copyTree(dir + u"/input", work));
        const auto expand = [&](QString s) { return s.replace(u"%WORK%"_qs, work).replace(u"%SRC%"_qs, sourceDir()); };
        const auto folded = [&](QString s) { return s.replace(work, u"%WORK%"_qs).replace(sourceDir(), u"%SRC%"_qs); };
        QProcessEnvironment env = isolatedUser(tmp.filePath(QStringLiteral("home")));
        for (const QString &line : lines("env"))
            env.insert(line.section(u'=', 0, 0), expand(line.section(u'=', 1)));
        QStringList args;
        for (const QString &arg : lines("args"))
            args << expand(arg);
        const QString program = text("program").trimmed();
        const QStringList before = treeOf(work, true);

        const ProcessRun r = runProcess(binary(program.isEmpty() ? u"lumivox-cli"_qs : program), args, env);
        QCOMPARE(r.exitCode, text("exit").trimmed().toInt());
        QCOMPARE(folded(r.out), text("stdout"));
        QCOMPARE(folded(r.err), text("stderr"));
        for (const QString &name : lines("created")) {
            QVERIFY2(QFileInfo(work + u'/' + name).size() > 0, qPrintable(name));
            QVERIFY(QFile::remove(work + u'/' + name));
        }
        // Git keeps no empty folder: those the expected output holds are listed in "dirs".
        QStringList expected = QFileInfo::exists(dir + u"/output") ? treeOf(dir + u"/output", true) : before;
        expected += lines("dirs");
        expected.sort();
        QCOMPARE(treeOf(work, true), expected);
    }

    // The shipped demo card is what its generator writes from the source, every name and byte.
    void demoCardMatchesItsGenerator()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("card"));
        const QStringList args{sourceDir() + u"/tools/democard/hymns.txt", out};
        QCOMPARE(runProcess(binary(u"lumivox-make-demo-card"_qs), args).exitCode, 0);
        QCOMPARE(treeOf(sourceDir() + u"/data/demo-card", true), treeOf(out, true));
    }

    // A second start finds the first through its lock and hands over to it (activation), then exits 0.
    void secondStartHandsOverToTheFirst()
    {
        QTemporaryDir home;
        const QProcessEnvironment env = isolatedUser(home.path());
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(binary(u"lumivox"_qs), {QStringLiteral("--no-splash")});
        QVERIFY(first.waitForStarted());
        const QString lock = env.value(QStringLiteral("XDG_RUNTIME_DIR")) + u"/Lumivox V1.0.lock";
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(lock), 20000);
        QCOMPARE(first.state(), QProcess::Running);

        const ProcessRun second = runProcess(binary(u"lumivox"_qs), {QStringLiteral("--no-splash")}, env);
        const bool firstStillRunning = first.state() == QProcess::Running;
        first.kill();
        first.waitForFinished();
        QVERIFY2(second.exitCode == 0, qPrintable(second.err));
        QVERIFY(firstStillRunning);
    }

    void firstStartWritesSettingsAndFallsBackFromAMissingLanguage()
    {
        QTemporaryDir home;
        const QProcessEnvironment env = isolatedUser(home.path());
        const QString ini = env.value(QStringLiteral("XDG_CONFIG_HOME")) + u"/Vorex/Lumivox.conf";
        QVERIFY(writeFile(ini, "[Ustawienia%20programu]\nLastLang=Klingon\n"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(binary(u"lumivox"_qs), {QStringLiteral("--no-splash")});
        QVERIFY(p.waitForStarted());
        const QString project = env.value(QStringLiteral("XDG_CACHE_HOME")) + u"/Vorex/Lumivox/Projekt/Playlist";
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(project).isDir(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(readFile(ini).contains("MaxY=10"), 20000);
        QCOMPARE(p.state(), QProcess::Running); // started with the Polish texts
        p.kill();
        p.waitForFinished();
        QSettings store(ini, QSettings::IniFormat);
        QCOMPARE(store.value(QStringLiteral("Ustawienia programu/LastLang")).toString(), QStringLiteral("Klingon"));
        QVERIFY(store.value(QStringLiteral("Ustawienia programu/Lyrics Dir"))
                    .toString()
                    .endsWith(u"/Vorex/Lumivox/Teksty"));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestCli)
#include "tst_cli.moc"
