// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/appcore.h"

#include "core/util/fileutils.h"

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

AppCore::AppCore(QSettings *store, const AppDirs &dirs) : m_store(store), m_dirs(dirs), m_settings(store)
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

QString AppCore::storePath() const
{
    return m_store->fileName();
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

namespace {
const char16_t *const kBoardFontNames[2] = {u"Font_V1", u"Font_V2"};
} // namespace

void AppCore::loadBoardFonts()
{
    const QString dir = fontDir();
    // copyFiles leaves the files that exist: a font the user deleted comes back, an edited one stays
    if (QDir().mkpath(dir))
        copyFiles(m_dirs.shippedFontDir(), dir);
    for (int slot = 0; slot < 2; ++slot) {
        BoardFont font;
        m_boardFontLoaded[slot] = FontFile::load(dir + QString::fromUtf16(kBoardFontNames[slot]) + u".fnt", font);
        m_boardFonts[slot] = m_boardFontLoaded[slot] ? font : BoardFont();
    }
}

bool AppCore::reloadBoardFont(const QString &fontName)
{
    for (int slot = 0; slot < 2; ++slot) {
        if (fontName != QStringView(kBoardFontNames[slot]))
            continue;
        BoardFont font;
        if (!FontFile::load(fontDir() + fontName + u".fnt", font))
            return false;
        m_boardFonts[slot] = font;
        m_boardFontLoaded[slot] = true;
        return true;
    }
    return false;
}

const BoardFont *AppCore::boardFont(int charset) const
{
    const int slot = charset == 1 ? 1 : 0;
    return m_boardFontLoaded[slot] ? &m_boardFonts[slot] : nullptr;
}
