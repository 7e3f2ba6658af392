// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the real programs as a user would start them.
#include "testsupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestExecutables : public QObject
{
    Q_OBJECT

    static QString binary(const char *name) { return TestSupport::buildDir() + u"/bin/" + QString::fromLatin1(name); }

    using Run = TestSupport::ProcessRun;

    // A user of its own: settings, data, cache and runtime folders in a temporary home.
    static QProcessEnvironment isolatedUser(const QTemporaryDir &home)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        for (const char *var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
            const QString dir = home.filePath(QString::fromLatin1(var));
            QDir().mkpath(dir);
            QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            env.insert(QString::fromLatin1(var), dir);
        }
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("LUMIVOX_NONINTERACTIVE"), QStringLiteral("1"));
        return env;
    }

private slots:
    void helpAndVersion_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("arg");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lumivox --help") << binary("lumivox") << QStringLiteral("--help") << QStringLiteral("usage: lumivox");
        QTest::newRow("lumivox --version") << binary("lumivox") << QStringLiteral("--version") << QStringLiteral("Lumivox V3.37");
        QTest::newRow("cli --help") << binary("lumivox-cli") << QStringLiteral("--help") << QStringLiteral("usage: lumivox-cli");
        QTest::newRow("cli --version") << binary("lumivox-cli") << QStringLiteral("--version") << QStringLiteral("lumivox-cli V3.37");
    }
    void helpAndVersion()
    {
        QFETCH(QString, program);
        QFETCH(QString, arg);
        QFETCH(QString, expected);
        QTemporaryDir home;
        const Run r = TestSupport::runProcess(program, {arg}, isolatedUser(home));
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.startsWith(expected), qPrintable(r.out));
    }

    // Every program of the build answers --help with its usage and refuses an unknown option
    // before it writes anything (a folder named "--help" once got a whole card).
    void everyProgramAnswersHelp_data()
    {
        QTest::addColumn<QString>("program");
        for (const char *name : {"lumivox-gen-card", "lumivox-gen-corpus", "lumivox-make-board-fonts",
                                 "lumivox-board-preview", "lumivox-make-demo-card"})
            QTest::newRow(name) << binary(name);
    }
    void everyProgramAnswersHelp()
    {
        QFETCH(QString, program);
        QTemporaryDir home;
        QProcess p;
        p.setWorkingDirectory(home.path());
        p.setProcessEnvironment(isolatedUser(home));
        const QStringList before = QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        for (const QString &arg : {u"--help"_qs, u"--bogus"_qs}) {
            p.start(program, {arg, u"out"_qs});
            QVERIFY(p.waitForFinished(30000));
            const QString out = QString::fromUtf8(p.readAllStandardOutput());
            const QString err = QString::fromUtf8(p.readAllStandardError());
            QCOMPARE(p.exitCode(), arg == u"--help" ? 0 : 2);
            QVERIFY2((arg == u"--help" ? out : err).contains(u"usage: "), qPrintable(out + err));
        }
        QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }

    // Every refused command line: exit code 2, nothing on stdout, the reason on stderr.
    void refusedCommandLines_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message"); // part of stderr; any text when empty
        const QString tmp = QDir::tempPath();
        const auto row = [](const char *name, const QStringList &args, const QString &message = {}) {
            QTest::newRow(name) << binary("lumivox-cli") << args << message;
        };
        QTest::newRow("lumivox: unknown option") << binary("lumivox") << QStringList{u"--bogus"_qs}
                                                 << u"unknown option --bogus"_qs;
        row("unknown command", {u"frobnicate"_qs}, u"usage: lumivox-cli"_qs);
        const QString song = u"usage: lumivox-cli song rewrite IN OUT"_qs;
        row("song: no action", {u"song"_qs}, song);
        row("song: unknown action", {u"song"_qs, u"frob"_qs}, song);
        row("song: rewrite one path", {u"song"_qs, u"rewrite"_qs, u"a.txt"_qs}, song);
        row("song: check nothing", {u"song"_qs, u"check"_qs}, song);
        row("song: show two", {u"song"_qs, u"show"_qs, u"a.txt"_qs, u"b.txt"_qs}, song);
        row("scan: no card", {u"scan"_qs});
        row("scan: missing card", {u"scan"_qs, u"/nonexistent/card"_qs});
        row("scan: two cards", {u"scan"_qs, u"a"_qs, u"b"_qs});
        row("scan: language without name", {u"scan"_qs, u"x"_qs, u"--language"_qs});
        row("scan: unknown option", {u"scan"_qs, u"--quick"_qs});
        row("scan: unknown language", {u"scan"_qs, tmp, u"--language"_qs, u"Klingon"_qs});
        row("playlist: no card option", {u"playlist"_qs, u"show"_qs, u"x.lst"_qs});
        row("playlist: no verb", {u"playlist"_qs, u"x.lst"_qs, u"--card"_qs, tmp});
        row("playlist: missing file", {u"playlist"_qs, u"show"_qs, u"/nonexistent/0001 X.lst"_qs, u"--card"_qs, tmp});
        row("playlist: missing card", {u"playlist"_qs, u"show"_qs, u"x.lst"_qs, u"--card"_qs, u"/nonexistent"_qs});
        row("pack without output", {u"pack"_qs, u"card"_qs}, u"usage: lumivox-cli pack"_qs);
        row("pack: language without name", {u"pack"_qs, u"a"_qs, u"b"_qs, u"--language"_qs}, u"usage: lumivox-cli pack"_qs);
        row("unpack: unknown option", {u"unpack"_qs, u"a"_qs, u"b"_qs, u"--quick"_qs}, u"usage: lumivox-cli unpack"_qs);
        row("card without action", {u"card"_qs}, u"usage: lumivox-cli card"_qs);
        row("card: unknown action", {u"card"_qs, u"format"_qs, u"a"_qs, u"b"_qs}, u"usage: lumivox-cli card"_qs);
        row("card: tsv without append", {u"card"_qs, u"write"_qs, u"a"_qs, u"b"_qs, u"--tsv"_qs}, u"usage: lumivox-cli card"_qs);
        row("fonts: one folder", {u"fonts"_qs, u"export"_qs, tmp}, u"usage: lumivox-cli fonts export"_qs);
    }
    void refusedCommandLines()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QTemporaryDir home;
        const Run r = TestSupport::runProcess(program, args, isolatedUser(home));
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
        QVERIFY2(message.isEmpty() ? !r.err.isEmpty() : r.err.contains(message), qPrintable(r.err));
    }

    void secondInstanceIsRefusedWith522()
    {
        QTemporaryDir home;
        const QProcessEnvironment env = isolatedUser(home);
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(binary("lumivox"), {QStringLiteral("--no-splash")});
        QVERIFY(first.waitForStarted());
        const QString lock = env.value(QStringLiteral("XDG_RUNTIME_DIR")) + u"/Lumivox V1.0.lock";
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(lock), 20000);
        QCOMPARE(first.state(), QProcess::Running);

        const Run second = TestSupport::runProcess(binary("lumivox"), {QStringLiteral("--no-splash")}, env);
        first.kill();
        first.waitForFinished();
        QCOMPARE(second.exitCode, 1);
        QVERIFY2(second.err.contains(u"Program Lumivox jest już uruchomiony."), qPrintable(second.err));
        QVERIFY2(second.err.startsWith(u"Informacja: "), qPrintable(second.err));
    }

    void firstStartWritesSettingsAndFallsBackFromAMissingLanguage()
    {
        QTemporaryDir home;
        const QProcessEnvironment env = isolatedUser(home);
        const QString ini = env.value(QStringLiteral("XDG_CONFIG_HOME")) + u"/Vorex/Lumivox.conf";
        QVERIFY(TestSupport::writeFile(ini, "[Ustawienia%20programu]\nLastLang=Klingon\n"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(binary("lumivox"), {QStringLiteral("--no-splash")});
        QVERIFY(p.waitForStarted());
        const QString project = env.value(QStringLiteral("XDG_CACHE_HOME")) + u"/Vorex/Lumivox/Projekt/Playlist";
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(project).isDir(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(TestSupport::readFile(ini).contains("MaxY=10"), 20000);
        QCOMPARE(p.state(), QProcess::Running); // started with the Polish texts
        p.kill();
        p.waitForFinished();
        QSettings store(ini, QSettings::IniFormat);
        QCOMPARE(store.value(QStringLiteral("Ustawienia programu/LastLang")).toString(), QStringLiteral("Klingon"));
        QVERIFY(store.value(QStringLiteral("Ustawienia programu/Lyrics Dir")).toString().endsWith(u"/Vorex/Lumivox/Teksty"));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestExecutables)
#include "tst_executables.moc"
