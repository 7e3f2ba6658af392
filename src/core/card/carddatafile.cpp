// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/carddatafile.h"

#include "core/util/atomicsave.h"
#include "core/util/deviceio.h"
#include "core/util/fileutils.h"
#include "core/util/textids.h"
#include "core/util/posixfile.h"
#include "core/util/replacingfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtEndian>

#include <cerrno>
#include <sys/stat.h>

namespace CardDataFile {

namespace {

constexpr qint64 kChunk = 256 * 1024;
constexpr qint64 kMaxFileSize = 0xFFFFFFFFLL;

constexpr qsizetype kFlushSize = 1024 * 1024;

void appendNameRecord(QByteArray &buffer, char type, const QString &name)
{
    buffer.append(type);
    for (const QChar c : name) {
        const char16_t unit = c.unicode();
        buffer.append(static_cast<char>(unit & 0xFF));
        buffer.append(static_cast<char>(unit >> 8));
    }
    buffer.append('\n');
    buffer.append('\0');
}

// Appends a whole file record, contents read straight into the buffer; false (and the buffer
// as it was) when the file is not a regular file that can be read, is reached through a
// symbolic link, or is larger than a record can say.
bool appendFileRecord(QByteArray &buffer, const QString &name, const PosixFile &directory)
{
    const PosixFile file(directory, name, PosixFile::NoFollowLinks);
    const qint64 size = file.regularFileSize();
    if (size < 0 || size > kMaxFileSize)
        return false;
    const qsizetype start = buffer.size();
    appendNameRecord(buffer, kFileRecord, name);
    const qsizetype sizeAt = buffer.size();
    buffer.resize(sizeAt + 4 + qsizetype(size));
    if (file.readFull(buffer.data() + sizeAt + 4, size) != size) {
        buffer.resize(start);
        return false;
    }
    qToLittleEndian<quint32>(quint32(size), buffer.data() + sizeAt);
    return true;
}

} // namespace

bool isPlainName(const QString &name)
{
    // No card holds a dot name; one would reach files such as ".bashrc" in the target.
    return !name.startsWith(u'.') && isPlainFileName(name);
}

CardPackResult write(QIODevice &out, const CardPackList &list, const Progress &progress)
{
    CardPackResult result;
    // Records gather in one buffer written in large pieces: a card is thousands of small files.
    QByteArray buffer;
    buffer.reserve(2 * kFlushSize);
    buffer.resize(4);
    qToLittleEndian<quint32>(kMagic, buffer.data());
    auto flush = [&out, &buffer, &result] {
        if (!writeAll(out, buffer, &result.error))
            return false;
        buffer.resize(0);
        return true;
    };

    int counter = 0;
    for (const CardPackDirectory &directory : list) {
        if (progress.stopRequested()) {
            result.stopped = true;
            return result;
        }
        // Only the first entry may stand for the root: its files come before any directory record.
        result.skipped += directory.notHandled;
        const bool root = directory.name.isEmpty() && &directory == &list.first();
        if (!root && !isPlainName(directory.name)) {
            // Its files would otherwise land in the directory record before it.
            result.skipped.append({Txt::CardNameNotStorable, directory.name});
            continue;
        }
        const QString shownPrefix = root ? QString() : directory.name + u'/';
        progress.directory(directory.name);
        if (!root)
            appendNameRecord(buffer, kDirectoryRecord, directory.name);
        const PosixFile source = PosixFile::directory(directory.path);
        const int count = int(directory.files.size());
        for (int i = 0; i < count; ++i) {
            const QString &name = directory.files.at(i);
            if (progress.stopRequested()) {
                result.stopped = true;
                return result;
            }
            progress.file(name, i, count);
            if (!isPlainName(name)) {
                result.skipped.append({Txt::CardNameNotStorable, shownPrefix + name});
                continue;
            }
            // The file is read before its record counts: one that cannot be read leaves none.
            if (!appendFileRecord(buffer, name, source)) {
                result.skipped.append({Txt::CardFileNotRead, shownPrefix + name});
                continue;
            }
            ++result.files;
            progress.counter(++counter);
            if (buffer.size() >= kFlushSize && !flush())
                return result;
        }
    }
    result.ok = flush();
    return result;
}

CardPackResult save(const QString &path, const CardPackList &list, const Progress &progress)
{
    CardPackResult result;
    QString error;
    const bool saved = saveAtomically(
        path,
        [&](QIODevice &out) {
            result = write(out, list, progress);
            return result.ok;
        },
        &error);
    if (!saved) {
        result.ok = false;
        if (!error.isEmpty())
            result.error = error;
    }
    return result;
}

namespace {

// A reader accepts any magic whose top byte is 0x55.
bool isMagic(const QByteArray &head)
{
    return head.size() == 4 && static_cast<unsigned char>(head[3]) == 0x55;
}

// The target takes no more data (a full disk, a quota, a file-size limit, a read-only or failing
// disk): every later file would fail the same way.
bool targetTakesNoMoreData(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EFBIG || error == EROFS || error == EIO;
}

bool isRealDirectory(const QByteArray &path)
{
    struct stat st;
    return lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

class Unpacker
{
public:
    Unpacker(QIODevice &in, const QString &root, const Progress &progress, CardUnpackFolders folders)
        : m_in(in), m_root(root), m_directory(root), m_progress(progress), m_folders(folders)
    {}

    CardUnpackResult run()
    {
        // Asked once: a file's size is a system call each time.
        m_size = m_in.isSequential() ? -1 : m_in.size();
        if (!isMagic(m_in.read(4)))
            return fail(CardUnpackStatus::WrongMagic, {});
        errno = 0;
        if (!QDir().mkpath(m_root))
            return failWithReason(CardUnpackStatus::DirectoryFailed, m_root);
        char type = 0;
        while (m_in.getChar(&type)) {
            if (m_progress.stopRequested())
                return fail(CardUnpackStatus::Stopped, {});
            if (type == kDirectoryRecord) {
                if (!readDirectory())
                    return m_result;
            } else if (type == kFileRecord) {
                if (!readFile())
                    return m_result;
            }
            // Any other byte is not a record type and is passed over.
        }
        return m_result;
    }

private:
    CardUnpackResult fail(CardUnpackStatus status, const QString &name)
    {
        m_result.status = status;
        m_result.name = name;
        return m_result;
    }

    CardUnpackResult failWithReason(CardUnpackStatus status, const QString &name)
    {
        if (errno != 0)
            m_result.error = qt_error_string(errno);
        return fail(status, name);
    }

    enum class NameRead { Ok, Truncated, TooLong };

    NameRead readName(QString &name)
    {
        name.clear();
        char bytes[2];
        for (;;) {
            if (m_in.read(bytes, 2) != 2)
                return NameRead::Truncated;
            const char16_t unit = char16_t(static_cast<unsigned char>(bytes[0])
                                           | (static_cast<unsigned char>(bytes[1]) << 8));
            if (unit == u'\n')
                return NameRead::Ok;
            if (name.size() >= kMaxNameLength)
                return NameRead::TooLong;
            name.append(QChar(unit));
        }
    }

    // The name is checked before anything is created from it.
    bool readCheckedName(QString &name)
    {
        switch (readName(name)) {
        case NameRead::Truncated:
            fail(CardUnpackStatus::Truncated, name);
            return false;
        case NameRead::TooLong:
            fail(CardUnpackStatus::Damaged, name.left(64) + u"...");
            return false;
        case NameRead::Ok:
            break;
        }
        if (!isPlainName(name)) {
            fail(CardUnpackStatus::Damaged, name);
            return false;
        }
        return true;
    }

    bool readDirectory()
    {
        QString name;
        if (!readCheckedName(name))
            return false;
        m_progress.directory(name);
        const QString path = m_root + u'/' + name;
        const QByteArray native = QFile::encodeName(path);
        if (::mkdir(native.constData(), 0777) != 0) {
            const int error = errno;
            // A link in its place is never followed.
            if (error != EEXIST || m_folders != CardUnpackFolders::ReuseExisting || !isRealDirectory(native)) {
                errno = error;
                failWithReason(CardUnpackStatus::DirectoryFailed, name);
                return false;
            }
        }
        m_directory = path;
        m_directoryName = name;
        m_indexInDirectory = 0;
        ++m_result.directories;
        return true;
    }

    bool readFile()
    {
        QString name;
        if (!readCheckedName(name))
            return false;
        const QString shownName = m_directoryName.isEmpty() ? name : m_directoryName + u'/' + name;
        m_progress.file(name, m_indexInDirectory++, 0);
        // A second record for a file of this unpack is passed over, never a silent replacement.
        const bool repeated = m_written.contains(shownName);
        uchar sizeBytes[4];
        if (m_in.read(reinterpret_cast<char *>(sizeBytes), 4) != 4) {
            fail(CardUnpackStatus::Truncated, shownName);
            return false;
        }
        qint64 remaining = qFromLittleEndian<quint32>(sizeBytes);
        // A size beyond the end of the file is known before anything is created.
        if (m_size >= 0 && m_size - m_in.pos() < remaining) {
            fail(CardUnpackStatus::Truncated, shownName);
            return false;
        }
        ReplacingFile out(m_directory + u'/' + name, ReplacingFile::Unnamed);
        bool writable = !repeated && out.open();
        if (m_buffer.isEmpty())
            m_buffer.resize(kChunk);
        while (remaining > 0 && !stoppedByTarget(out, shownName)) {
            const qint64 got = m_in.read(m_buffer.data(), qMin<qint64>(remaining, m_buffer.size()));
            if (got <= 0) {
                out.discard();
                fail(CardUnpackStatus::Truncated, shownName);
                return false;
            }
            if (writable)
                writable = out.write(m_buffer.constData(), got);
            remaining -= got;
        }
        if (writable)
            writable = out.commit();
        if (stoppedByTarget(out, shownName))
            return false;
        if (repeated) {
            m_result.notWritten.append({Txt::CardDataDuplicate, shownName});
        } else if (writable) {
            m_written.insert(shownName);
            ++m_result.files;
            m_progress.counter(m_result.files);
        } else {
            out.discard();
            m_result.notWritten.append({Txt::CardFileNotWritten, shownName});
        }
        return true;
    }

    bool stoppedByTarget(ReplacingFile &out, const QString &shownName)
    {
        if (!targetTakesNoMoreData(out.error()))
            return false;
        out.discard();
        m_result.error = qt_error_string(out.error());
        fail(CardUnpackStatus::WriteFailed, shownName);
        return true;
    }

    QIODevice &m_in;
    const QString m_root;
    QString m_directory;
    QString m_directoryName;
    int m_indexInDirectory = 0;
    const Progress &m_progress;
    const CardUnpackFolders m_folders;
    qint64 m_size = -1; // of a device that is not sequential
    QByteArray m_buffer;
    QSet<QString> m_written;
    CardUnpackResult m_result;
};

} // namespace

CardUnpackResult read(QIODevice &in, const QString &targetDir, const Progress &progress, CardUnpackFolders folders)
{
    return Unpacker(in, withoutTrailingSlash(targetDir), progress, folders).run();
}

namespace {

bool openInput(const QString &path, QFile &file, CardUnpackResult &result)
{
    if (openRegularFile(path, file, &result.error))
        return true;
    result.status = CardUnpackStatus::OpenFailed;
    result.name = path;
    return false;
}

bool hasMagic(QFile &file)
{
    return isMagic(file.peek(4));
}

} // namespace

CardUnpackResult load(const QString &path, const QString &targetDir, const Progress &progress,
                      CardUnpackFolders folders)
{
    QFile file;
    CardUnpackResult result;
    if (!openInput(path, file, result))
        return result;
    return read(file, targetDir, progress, folders);
}

CardUnpackResult check(const QString &path)
{
    QFile file;
    CardUnpackResult result;
    if (openInput(path, file, result) && !hasMagic(file))
        result.status = CardUnpackStatus::WrongMagic;
    return result;
}

CardUnpackResult restoreImage(const QString &path, const QString &projectDir, const Progress &progress)
{
    QFile file;
    CardUnpackResult result;
    if (!openInput(path, file, result))
        return result;
    if (!hasMagic(file)) {
        result.status = CardUnpackStatus::WrongMagic;
        return result;
    }
    Progress deleting;
    deleting.stop = progress.stop;
    if (QFileInfo(projectDir).isDir() && !deleteTree(projectDir, deleting)) {
        result.status = progress.stopRequested() ? CardUnpackStatus::Stopped : CardUnpackStatus::DirectoryFailed;
        result.name = projectDir;
        return result;
    }
    return read(file, projectDir, progress);
}

} // namespace CardDataFile
