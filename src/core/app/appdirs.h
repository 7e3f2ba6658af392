// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the program finds its shipped resources and keeps its own files. Every path ends with "/".
struct AppDirs
{
    QString resourceDir; // read-only: Language/, Font/, demo-card/
    QString dataDir;     // per user, written: Font/, Out/, MusicCross.txt, Teksty/, Ekrany/, Backups/
    QString workDir;     // per user, never the shared temporary directory; holds Projekt/

    // resourceDir beside the executable (<exe dir>/../share/lumivox/), the others from QStandardPaths.
    static AppDirs standard(const QString &executableDir);

    QString languageDir() const { return resourceDir + u"Language/"; }
    QString shippedFontDir() const { return resourceDir + u"Font/"; }
    QString demoCardDir() const { return resourceDir + u"demo-card/"; }
    QString outDir() const { return dataDir + u"Out/"; }
    QString musicMapPath() const { return dataDir + u"MusicCross.txt"; }
    // Where the card wizard keeps the backups of the cards it writes (made when first needed).
    QString backupDir() const { return dataDir + u"Backups/"; }
    // The unpacked card image and its three subfolders.
    QString projectDir() const { return workDir + u"Projekt/"; }

    // Creates dataDir and workDir; creates Projekt with Song, Playlist and Screen when Projekt is missing.
    bool ensureDirectories() const;

    static QString withSlash(const QString &path);
};
