// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/musicmap.h"

#include <QString>

class QSettings;

// The persisted program settings (section "Ustawienia programu") and the music map.
// Every change is written back at once by the caller through save().
class AppSettings
{
public:
    enum LineMode { TenRows = 0, SixRows = 1 };

    explicit AppSettings(QSettings *store = nullptr) : m_store(store) {}

    void attach(QSettings *store) { m_store = store; }
    QSettings *store() const { return m_store; }

    // Reads every key, taking the defaults for missing ones. False when no store is attached.
    bool load();
    // Writes the keys in their fixed order (then "MusicCross.txt" when asked) and syncs.
    // False when no store is attached or the store or the music map could not be written.
    bool save(bool alsoMusicMap);

    // The language row's charset: 0 (Latin) or 1 (Cyrillic); 0 for a language without a row.
    static int charsetForLanguage(const QString &language);

    int maxX() const { return m_maxX; }
    int maxY() const { return m_maxY; }
    void setMaxX(int columns) { m_maxX = columns; }
    void setMaxY(int rows) { m_maxY = rows; }
    // The board matrix as the settings dialog shows it: 10 stored rows are TenRows, anything else SixRows.
    LineMode lineMode() const { return m_maxY == 10 ? TenRows : SixRows; }
    void setLineMode(LineMode mode);

    QString lastImportDir() const { return m_lastImportDir; }
    void setLastImportDir(const QString &dir) { m_lastImportDir = dir; }
    QString lastFont() const { return m_lastFont; }
    void setLastFont(const QString &file) { m_lastFont = file; }
    QString fontDir() const { return m_fontDir; }
    void setFontDir(const QString &dir) { m_fontDir = dir; }

    // Kept as parent and folder name; reading joins them, setting splits again.
    QString lyricsDir() const { return joinPath(m_lyricsParent, m_lyricsName); }
    void setLyricsDir(const QString &path) { splitPath(path, &m_lyricsParent, &m_lyricsName); }
    QString lyricsParent() const { return m_lyricsParent; }
    QString lyricsName() const { return m_lyricsName; }
    QString screenDir() const { return joinPath(m_screenParent, m_screenName); }
    void setScreenDir(const QString &path) { splitPath(path, &m_screenParent, &m_screenName); }
    QString screenName() const { return m_screenName; }

    QString lastLanguage() const { return m_lastLanguage; }
    // Also derives the charset.
    void setLastLanguage(const QString &name);
    int charset() const { return m_charset; }

    QString lastDir() const { return m_lastDir; }
    void setLastDir(const QString &dir) { m_lastDir = dir; }
    QString lastMusicDir() const { return m_lastMusicDir; }
    void setLastMusicDir(const QString &dir) { m_lastMusicDir = dir; }
    // The file last chosen for each report (0-2 the RTF reports by kind, 3 the PDF songbook);
    // empty for the default.
    static constexpr int kReportFiles = 4;
    QString reportFile(int report) const { return m_reportFiles[report]; }
    void setReportFile(int report, const QString &path) { m_reportFiles[report] = path; }
    // Where font data for the board was last exported; empty for the data folder's Out.
    QString fontExportDir() const { return m_fontExportDir; }
    void setFontExportDir(const QString &dir) { m_fontExportDir = dir; }
    // "SoundFont": the sound font MIDI files play with; empty: the system's.
    QString soundFont() const { return m_soundFont; }
    void setSoundFont(const QString &path) { m_soundFont = path; }

    MusicMap &musicMap() { return m_musicMap; }
    const MusicMap &musicMap() const { return m_musicMap; }
    QString musicMapPath() const { return m_musicMapPath; }
    void setMusicMapPath(const QString &path) { m_musicMapPath = path; }
    bool readMusicMap() { return m_musicMap.load(m_musicMapPath); }
    QString musicFor(const QString &title) const { return m_musicMap.value(title); }
    // Changes the pair, then saves the settings and the music map.
    bool setMusicFor(const QString &title, const QString &musicFile);

    static const QString kSection;

private:
    // Sizes outside 1..20 by 1..10 become the nearest board, 20 x 10 or 16 x 6.
    void fitBoardSize();
    static QString joinPath(const QString &parent, const QString &name);
    static void splitPath(const QString &path, QString *parent, QString *name);

    QSettings *m_store = nullptr;
    MusicMap m_musicMap;
    int m_maxX = 20;
    int m_maxY = 10;
    QString m_lastImportDir;
    QString m_lastFont = QStringLiteral("Font_V1.fnt");
    QString m_fontDir = QStringLiteral("Font");
    QString m_lyricsParent;
    QString m_lyricsName = QStringLiteral("Teksty");
    QString m_screenParent;
    QString m_screenName = QStringLiteral("Ekrany");
    QString m_lastLanguage = QStringLiteral("Polski");
    QString m_lastDir;
    QString m_lastMusicDir;
    QString m_reportFiles[kReportFiles];
    QString m_fontExportDir;
    QString m_soundFont;
    int m_charset = 0;
    QString m_musicMapPath;
};
