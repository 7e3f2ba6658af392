// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Writes a file so that no reader ever sees it half-written and an existing file is never
// deleted first: the data goes to a temporary dot name in the target's directory, renamed to
// the target once every byte is written, so a killed or failed write leaves no half file under
// the target's name. A target that did not exist at open() is never overwritten by the rename;
// an existing one is replaced (a symbolic link there is replaced rather than written through; a
// directory makes the rename fail). Plain POSIX calls: a card holds thousands of small files.
class ReplacingFile
{
public:
    // Unnamed writes to an unnamed file in the target's directory (O_TMPFILE) and links it under
    // the target's name once complete, replacing an existing target as above: a kill leaves
    // nothing behind, and for the thousands of small files of an unpack it costs less than a
    // rename each. Where the file system has no unnamed files (FAT) it is ViaTemporaryName.
    // NewOnly never replaces: open() fails with EEXIST when the target exists, and the
    // finished file is renamed into place only while the name is still free.
    enum NewFile { ViaTemporaryName, Unnamed, NewOnly };

    explicit ReplacingFile(const QString &target, NewFile newFile = ViaTemporaryName);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    bool open();
    bool write(const char *data, qint64 size);
    // Permission bits (st_mode & 07777) for the finished file; otherwise the umask decides.
    void setMode(unsigned mode);
    // Closes the file and, when it was written under a temporary name, renames it over the
    // target; false leaves the target as it was before.
    bool commit();
    // Removes what this object created; an existing target is untouched.
    void discard();
    // The system's error number of the first failure (ENOSPC on a full disk), 0 while none.
    int error() const { return m_error; }

private:
    bool fail();
    bool renameIntoPlace();
    bool linkIntoPlace();

    QByteArray m_target;
    QByteArray m_written; // the temporary name the data goes to; empty for an unnamed file
    int m_fd = -1;
    int m_error = 0;
    bool m_failed = false;
    bool m_replaces = false;
    bool m_unnamed = false; // written to an unnamed file, linked to the target by commit()
    NewFile m_newFile = ViaTemporaryName;
};

// Renames a file or folder (paths as the file system names them) to a name that must be free:
// one taken before or during the rename is never replaced (EEXIST). False with errno set.
bool renameToFreeName(const QByteArray &from, const QByteArray &to);

// Copies source to target through a ReplacingFile, keeping the source's permission bits.
// A source that is a symbolic link or not a regular file is not copied. On failure *error gets
// the system's error number (EINVAL for a source that is no regular file).
bool copyFileReplacing(const QString &source, const QString &target, int *error = nullptr);
// The same copy to a name that must be free: an existing target (EEXIST), or one that appears
// during the copy, is kept as it is and nothing is left behind.
bool copyFileNew(const QString &source, const QString &target, int *error = nullptr);
