// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/appdirs.h"

#include <QDir>
#include <QStandardPaths>

QString AppDirs::withSlash(const QString &path)
{
    if (path.isEmpty() || path.endsWith(u'/'))
        return path;
    return path + u'/';
}

AppDirs AppDirs::standard(const QString &executableDir)
{
    AppDirs dirs;
    dirs.resourceDir = withSlash(QDir::cleanPath(executableDir + u"/../share/lumivox"));
    dirs.dataDir = withSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    dirs.workDir = withSlash(QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    return dirs;
}

bool AppDirs::ensureDirectories() const
{
    QDir root;
    bool ok = root.mkpath(dataDir) && root.mkpath(workDir);
    const QString project = projectDir();
    if (!QFileInfo::exists(project)) {
        ok = root.mkpath(project) && ok;
        for (const char16_t *sub : {u"Song", u"Playlist", u"Screen"})
            ok = root.mkpath(project + QString::fromUtf16(sub)) && ok;
    }
    return ok;
}
