// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared by the test executables: the test framework, per-test settings, data paths and small
// file helpers.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace TestSupport {

// Every test program is the same application as the real one, with its standard
// locations redirected to a test area so that nothing touches the user's files.
inline void initApplicationIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Vorex"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumivox"));
    QStandardPaths::setTestModeEnabled(true);
}

inline QString sourceDir()
{
    return QStringLiteral(LUMIVOX_SOURCE_DIR);
}
inline QString buildDir()
{
    return QStringLiteral(LUMIVOX_BUILD_DIR);
}
inline QString testData(const QString &relative)
{
    return QStringLiteral(LUMIVOX_TEST_DATA) + u'/' + relative;
}
inline QString shippedLanguageDir()
{
    return sourceDir() + u"/data/Language/";
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A song file: the header with its sequence, then for each stanza its tag ("#z", or "#r" for the
// refrain) and its screens of ten lines of twenty fill characters: one of fill, or one a
// character after the tag ("#z ab": two screens, of 'a' and of 'b').
inline QByteArray songBytes(char fill = 'x', const QByteArray &sequence = "1,",
                            const QList<QByteArray> &stanzas = {"#z"})
{
    QByteArray bytes = "#n 0\r\n#k " + sequence + "\r\n";
    for (const QByteArray &stanza : stanzas) {
        bytes += stanza.left(2) + "\r\n";
        for (const char screen : stanza.size() > 3 ? stanza.mid(3) : QByteArray(1, fill))
            bytes += "#e\r\n" + QByteArray(QByteArray(20, screen) + "\r\n").repeated(10);
    }
    return bytes;
}

// Writes every one of the files below root (which ends with a slash) with the same bytes.
inline bool writeFiles(const QString &root, const QStringList &files, const QByteArray &bytes = songBytes())
{
    for (const QString &file : files) {
        if (!writeFile(root + file, bytes))
            return false;
    }
    return true;
}

// Writes a file whose path below root is given as bytes, creating root and its folders, with plain
// system calls: the path need not be UTF-8, and no QString path names one that is not.
inline bool writeRawFile(const QString &root, const QByteArray &path, const QByteArray &bytes)
{
    QDir().mkpath(root);
    const QByteArray base = QFile::encodeName(root) + '/';
    for (qsizetype slash = path.indexOf('/'); slash >= 0; slash = path.indexOf('/', slash + 1))
        ::mkdir(QByteArray(base + path.left(slash)).constData(), 0755);
    const int fd = ::open(QByteArray(base + path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && written;
}

// Removes dir and everything below it, names that are not UTF-8 too (which QDir does not see).
inline bool removeRawTree(const QString &dir)
{
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(QFile::encodeName(dir).toStdString()), error);
    return !error;
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Exit code (-1 after a crash or a 30 s hang) and output of a program run to its end.
struct ProcessRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline ProcessRun runProcess(const QString &program, const QStringList &args,
                             const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    ProcessRun r;
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Copies a fixture tree, dot names included, into to (created when missing).
inline bool copyTree(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + path.mid(from.size());
        if (it.fileInfo().isDir() ? !QDir().mkpath(target) : !QFile::copy(path, target))
            return false;
    }
    return true;
}

// Every path below dir, relative and sorted, hidden names included so that stray temporary
// files show; with contents, each file as "path=contents".
inline QStringList treeOf(const QString &dir, bool withContents = false)
{
    QStringList paths;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QString entry = QDir(dir).relativeFilePath(path);
        if (withContents && QFileInfo(path).isFile())
            entry += u'=' + QString::fromLatin1(readFile(path));
        paths.append(entry);
    }
    paths.sort();
    return paths;
}

// Fresh card folders for one test each, numbered below one temporary directory:
// <tmp>/card1/, <tmp>/card2/, ...
class CardFolders
{
public:
    QString next()
    {
        const QString card = m_dir.filePath(QStringLiteral("card%1/").arg(++m_count));
        QDir().mkpath(card);
        return card;
    }
    int count() const { return m_count; }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
    int m_count = 0;
};

// The id of a process that has ended: what a writer killed long ago leaves in its file names.
inline qint64 endedProcessId()
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}

} // namespace TestSupport

// QTEST_MAIN variants that set the application identity before the application object exists.
#define LUMIVOX_TEST_MAIN_CORE(TestClass)       \
    int main(int argc, char **argv)             \
    {                                           \
        TestSupport::initApplicationIdentity(); \
        QCoreApplication app(argc, argv);       \
        TestClass tc;                           \
        return QTest::qExec(&tc, argc, argv);   \
    }

#define LUMIVOX_TEST_MAIN_GUI(TestClass)        \
    int main(int argc, char **argv)             \
    {                                           \
        TestSupport::initApplicationIdentity(); \
        QApplication app(argc, argv);           \
        TestClass tc;                           \
        return QTest::qExec(&tc, argc, argv);   \
    }
