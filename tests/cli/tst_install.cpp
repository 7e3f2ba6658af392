// SPDX-License-Identifier: GPL-3.0-or-later
// `cmake --install` into a temporary prefix: the desktop files pass their validators, the MIME
// type recognises a card data file by name and by content, and the installed layout finds its
// language files the way the programs do.
#include "core/app/appdirs.h"

#include <QDirIterator>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kId = QStringLiteral("io.github.vorex.lumivox");

// Runs a tool; skipped (empty optional) when the tool is not installed.
std::optional<QString> run(const QString &tool, const QStringList &arguments, int *exitCode)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        return std::nullopt;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, arguments);
    process.waitForFinished(60000);
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}
} // namespace

class TestInstall : public QObject
{
    Q_OBJECT
private slots:
    void installedTree()
    {
        QTemporaryDir prefix;
        int code = 0;
        const auto installed = run(
            QStringLiteral("cmake"),
            {QStringLiteral("--install"), QStringLiteral(LUMIVOX_BUILD_DIR), QStringLiteral("--prefix"), prefix.path()},
            &code);
        QVERIFY(installed);
        QVERIFY2(code == 0, qPrintable(*installed));

        QStringList files;
        for (QDirIterator it(prefix.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QString file = QDir(prefix.path()).relativeFilePath(it.next());
            if (!file.startsWith(u"share/lumivox/"))
                files << file;
        }
        files.sort();
        QStringList expected{QStringLiteral("bin/lumivox"),
                             QStringLiteral("bin/lumivox-cli"),
                             u"share/applications/" + kId + u".desktop",
                             u"share/metainfo/" + kId + u".metainfo.xml",
                             u"share/mime/packages/" + kId + u".xml",
                             u"share/icons/hicolor/scalable/apps/" + kId + u".svg",
                             QStringLiteral("share/man/man1/lumivox.1.gz"),
                             QStringLiteral("share/man/man1/lumivox-cli.1.gz"),
                             QStringLiteral("share/bash-completion/completions/lumivox-cli"),
                             QStringLiteral("share/doc/lumivox/copyright"),
                             QStringLiteral("share/doc/lumivox/changelog.gz")};
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            expected << QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) + kId + u".png";
        expected.sort();
        QCOMPARE(files, expected);

        const QString share = prefix.filePath(QStringLiteral("share"));
        const QString desktop = share + u"/applications/" + kId + u".desktop";
        if (const auto out = run(QStringLiteral("desktop-file-validate"), {desktop}, &code))
            QVERIFY2(code == 0 && out->isEmpty(), qPrintable(*out));
        const QString metainfo = share + u"/metainfo/" + kId + u".metainfo.xml";
        if (const auto out = run(
                QStringLiteral("appstreamcli"),
                {QStringLiteral("validate"), QStringLiteral("--no-net"), QStringLiteral("--pedantic"), metainfo},
                &code))
            QVERIFY2(code == 0, qPrintable(*out));
        QFile meta(metainfo);
        QVERIFY(meta.open(QIODevice::ReadOnly));
        QVERIFY(meta.readAll().contains("<release version=\"" LUMIVOX_VERSION_NUMBER "\" date=\"" LUMIVOX_RELEASE_DATE
                                        "\""));
        QVERIFY(QFileInfo::exists(prefix.filePath(QStringLiteral("share/lumivox/guide/pl/index.md"))));

        // The installed programs look for their data beside bin/, as in the build tree.
        const AppDirs dirs = AppDirs::standard(prefix.filePath(QStringLiteral("bin")));
        QVERIFY(QFileInfo::exists(dirs.languageDir() + u"Polski.lang"));
        QVERIFY(QFileInfo::exists(dirs.languageDir() + u"English.lang"));

        if (!run(QStringLiteral("update-mime-database"), {share + u"/mime"}, &code))
            QSKIP("update-mime-database is not installed");
        QCOMPARE(code, 0);
        // Qt reads the MIME database on first use, which is this test's.
        qputenv("XDG_DATA_DIRS", share.toUtf8());
        QFile magicOnly(prefix.filePath(QStringLiteral("card.bin")));
        QVERIFY(magicOnly.open(QIODevice::WriteOnly));
        magicOnly.write(QByteArray("\x01\x00"
                                   "1U",
                                   4)
                        + QByteArray(60, '\0'));
        magicOnly.close();
        QMimeDatabase mime;
        QCOMPARE(mime.mimeTypeForFile(QStringLiteral("x.lvp"), QMimeDatabase::MatchExtension).name(),
                 QStringLiteral("application/x-lumivox-project"));
        QCOMPARE(mime.mimeTypeForFile(magicOnly.fileName(), QMimeDatabase::MatchContent).name(),
                 QStringLiteral("application/x-lumivox-project"));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
