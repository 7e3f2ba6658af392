// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Writes a file so that no reader ever sees it half-written and an existing file is never
// deleted first. A new name is created directly (exclusively, so nothing is overwritten)
// and removed again when the write fails. An existing name is written under a temporary
// name in the same directory and renamed over the target once every byte is written; the
// rename replaces a symbolic link at the target rather than writing through it, and fails
// on a directory. Plain POSIX calls: a card holds thousands of small files.
class ReplacingFile
{
public:
    explicit ReplacingFile(const QString &target);
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

private:
    QByteArray m_target;
    QByteArray m_written; // the name the data goes to: the target itself or a temporary name
    int m_fd = -1;
    bool m_failed = false;
};

// Copies source to target through a ReplacingFile, keeping the source's permission bits.
// A source that is a symbolic link or not a regular file is not copied.
bool copyFileReplacing(const QString &source, const QString &target);
