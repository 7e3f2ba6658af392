// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The program's command line: lumivox [FILE.lvp] [--card DIR]... [--show-text-ids] [--no-splash]
//                              [--quit-when-ready]
struct StartOptions
{
    QString projectFile;      // a card data file to restore once the window is up
    QStringList cardFolders;  // folders offered as cards in the drive list
    bool showTextIds = false; // every text shown with its id, for translators
    bool noSplash = false;
    // Exit 0 once the window is shown and the first scan has filled the tree (measurements, smoke tests).
    bool quitWhenReady = false;
    bool help = false;
    bool version = false;
    QString error; // set when the arguments could not be understood

    // arguments without the program name
    static StartOptions parse(const QStringList &arguments);
    static QString usage();
};
