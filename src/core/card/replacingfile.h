// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QString>

// Writes a file under a temporary name in the target's directory and renames it over the
// target only when every byte is written, so that an existing file is never deleted first
// and an interrupted write leaves no half-written file behind. The rename replaces a
// symbolic link at the target rather than writing through it; it fails on a directory.
class ReplacingFile
{
public:
    explicit ReplacingFile(const QString &target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    bool open();
    bool write(const char *data, qint64 size);
    bool setPermissions(QFileDevice::Permissions permissions) { return m_file.setPermissions(permissions); }
    // Closes the temporary file and renames it over the target; false leaves the target as it was.
    bool commit();
    // Removes the temporary file; the target is untouched.
    void discard();

    const QString &target() const { return m_target; }

private:
    QString m_target;
    QFile m_file;
    bool m_failed = false;
};

// Copies source to target through a ReplacingFile, in fixed-size chunks, keeping the source's
// permissions. A source that is a symbolic link is not copied.
bool copyFileReplacing(const QString &source, const QString &target);
