// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/atomicsave.h"

#include "core/util/deviceio.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The system's text for an error number; a write that went short without one still says so.
QString systemReason(int code)
{
    if (code == 0)
        return QStringLiteral("The data was not written completely");
    return qt_error_string(code);
}

// A QSaveFile that checks every write itself. With Qt 6.4 a short write (a full disk, a file
// size limit) records no error, commit() then renames the cut-off file over the target, and the
// error text says "Unknown error". Opened unbuffered, every write reaches writeData here, while
// the system's error number still tells why it failed.
class CheckedSaveFile final : public QSaveFile
{
public:
    using QSaveFile::QSaveFile;

    bool failed() const { return m_failed; }
    void fail(const QString &reason)
    {
        m_failed = true;
        setErrorString(reason);
    }

protected:
    qint64 writeData(const char *data, qint64 size) override
    {
        if (m_failed)
            return -1;
        errno = 0;
        const qint64 written = QSaveFile::writeData(data, size);
        if (written != size)
            fail(systemReason(errno));
        return written;
    }

private:
    bool m_failed = false;
};

} // namespace

bool isNonRegularFile(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        return !S_ISREG(st.st_mode);
    // A link whose target is missing would be replaced by the save, as a missing file is created.
    return false;
}

bool saveAtomically(const QString &path, const std::function<bool(QIODevice &)> &writeContent, QString *error)
{
    // The rename would put a plain file where a device, a pipe or a folder was.
    if (isNonRegularFile(path)) {
        if (error)
            *error = QStringLiteral("Not a regular file");
        return false;
    }
    CheckedSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const bool written = writeContent(file);
    if (written && !file.failed()) {
        // The data must be on the disk before the rename makes it the file: fsync reports what a
        // delayed write met, and QSaveFile::commit() ignores a failed sync.
        if (!file.flush())
            file.fail(file.errorString());
        else if (::fsync(file.handle()) != 0)
            file.fail(systemReason(errno));
    }
    if (!written || file.failed()) {
        if (error && file.failed())
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    return saveAtomically(
        path, [&bytes](QIODevice &device) { return writeAll(device, bytes); }, error);
}
