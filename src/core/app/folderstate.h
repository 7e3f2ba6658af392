// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

// The files below a folder as the file system lists them: each one's path, size and time of its
// last change. Two states that differ mean a file was written, added or removed in between.
class FolderState
{
public:
    static FolderState of(const QString &root);

    bool operator==(const FolderState &other) const = default;

private:
    struct File
    {
        qint64 size = 0;
        qint64 modified = 0; // milliseconds since the epoch
        bool operator==(const File &other) const = default;
    };
    QHash<QString, File> m_files;
};
