// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/appdirs.h"
#include "core/app/appsettings.h"
#include "core/app/recentfiles.h"
#include "core/app/songgroup.h"
#include "core/font/boardfont.h"
#include "core/library/librarynumbertable.h"

#include <array>

#include <QString>

class QSettings;

// The application object's Qt-Core half: the settings store, the stored groups, the
// settings, the directories and the card data file named on the command line. It lives
// for the whole run; the widget layer reaches it through AppCore::instance().
class AppCore
{
public:
    AppCore(QSettings *store, const AppDirs &dirs);
    ~AppCore();

    static AppCore *instance();

    // The start-up steps that need no user interface, in their order: recent files,
    // groups, settings, music map, replacement of missing library folders, Projekt.
    void loadPersistentState();
    // Saves settings after the language fell back (the fallback language is not stored).
    bool saveSettings(bool alsoMusicMap = false) { return m_settings.save(alsoMusicMap); }
    bool saveGroups();

    QSettings &store() { return *m_store; }
    // Where the settings store lives, for the message when it cannot be written.
    QString storePath() const;
    const AppDirs &dirs() const { return m_dirs; }
    AppSettings &settings() { return m_settings; }
    SongGroupList &groups() { return m_groups; }
    RecentFiles &recentFiles() { return m_recentFiles; }

    // The application's own song number table (5000 entries), empty at start.
    LibraryNumberTable &songTable() { return m_songTable; }

    QString commandLineFile() const { return m_commandLineFile; }
    void setCommandLineFile(const QString &path) { m_commandLineFile = path; }
    // Folders named with --card, offered as cards in the drive list.
    QStringList cardFolders() const { return m_cardFolders; }
    void setCardFolders(const QStringList &folders) { m_cardFolders = folders; }

    // Absolute path of the configured font folder (relative names are below dataDir).
    QString fontDir() const;
    // Seeds the font folder with each shipped font it lacks, then loads "Font_V1.fnt" (Latin) and
    // "Font_V2.fnt" (Cyrillic) into the two slots. A font that does not load leaves its slot empty.
    void loadBoardFonts();
    // After fontName's file was written: loads it again into its slot when it is one of the two,
    // in place, so that pointers from boardFont() stay valid. A failed load keeps the old font.
    // True when a slot took the new glyphs.
    bool reloadBoardFont(const QString &fontName);
    // The font for a song's charset (0 Latin, 1 Cyrillic); null when its slot is empty.
    const BoardFont *boardFont(int charset) const;

private:
    QSettings *m_store;
    AppDirs m_dirs;
    AppSettings m_settings;
    SongGroupList m_groups;
    RecentFiles m_recentFiles;
    QString m_commandLineFile;
    QStringList m_cardFolders;
    LibraryNumberTable m_songTable{5000};
    std::array<BoardFont, 2> m_boardFonts;
    std::array<bool, 2> m_boardFontLoaded{};
};
