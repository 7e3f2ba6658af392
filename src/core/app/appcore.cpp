// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/appcore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

AppCore *g_instance = nullptr;

// A relative path names no folder: it would depend on the directory the program was started from.
bool isExistingFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isAbsolute() && info.isDir();
}

} // namespace

AppCore::AppCore(QSettings *store, const AppDirs &dirs)
    : m_store(store), m_dirs(dirs), m_settings(store)
{
    g_instance = this;
}

AppCore::~AppCore()
{
    if (g_instance == this)
        g_instance = nullptr;
}

AppCore *AppCore::instance()
{
    return g_instance;
}

void AppCore::loadPersistentState()
{
    m_recentFiles.load(*m_store);
    m_groups = loadGroups(*m_store);
    m_settings.load();
    m_settings.setMusicMapPath(m_dirs.musicMapPath());
    m_settings.readMusicMap();
    if (!isExistingFolder(m_settings.lyricsDir())) {
        m_settings.setLyricsDir(m_dirs.dataDir + u"Teksty");
        m_settings.save(false);
    }
    if (!isExistingFolder(m_settings.screenDir())) {
        m_settings.setScreenDir(m_dirs.dataDir + u"Ekrany");
        m_settings.save(false);
    }
    m_dirs.ensureDirectories();
}

bool AppCore::saveGroups()
{
    ::saveGroups(*m_store, m_groups);
    return m_store->status() == QSettings::NoError;
}

QString AppCore::fontDir() const
{
    const QString dir = m_settings.fontDir();
    if (QFileInfo(dir).isAbsolute())
        return AppDirs::withSlash(dir);
    return AppDirs::withSlash(m_dirs.dataDir + dir);
}
