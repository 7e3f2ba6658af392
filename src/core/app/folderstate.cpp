// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/folderstate.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

FolderState FolderState::of(const QString &root)
{
    FolderState state;
    const QDir base(root);
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        state.m_files.insert(base.relativeFilePath(info.filePath()),
                             {info.size(), info.lastModified().toMSecsSinceEpoch()});
    }
    return state;
}
