// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Writes the board's font data: "fonts.out", an address-tagged hex image placing every font
// from 0x800000 on, and optionally "fonts.h", the same bytes as one C byte table.
struct FontExportOptions
{
    QString fontDir;             // where <name>.fnt files are read
    QString outDir;              // created when missing
    QStringList fontNames;       // in export order, without ".fnt"
    bool withHeader = false;     // also write fonts.h
    bool mirrored = false;       // columns K5..K1 instead of K1..K5
    bool lowerCaseNames = false; // names written in lower case
};

struct FontExportResult
{
    // A font left out: it takes no address space, so the fonts after it keep the addresses of
    // an export without it.
    struct Skipped
    {
        QString fontName;
        int textId;     // why: missing or unreadable file, a control character in the name, too
                        // few glyph lines, a column that is no hex number
        int detail = 0; // the glyph lines found, or the line of the bad column
    };

    bool ok = false;       // fonts.out (and fonts.h when asked for) was written
    int failureTextId = 0; // when !ok; a text with "%1" takes failedFile
    QString failedFile;    // "fonts.out" or "fonts.h" when that file could not be written
    QString error;         // the system's reason when it could not be written
    QList<Skipped> skipped;
    int fontsWritten = 0;
};

FontExportResult exportFontImage(const FontExportOptions &options);

// Every *.fnt of dir by name (code-unit order), as font names.
QStringList fontNamesInDirectory(const QString &dir);

// The main window's export: every font of fontDir, names in lower case, into outDir, no fonts.h.
FontExportResult exportAllFonts(const QString &fontDir, const QString &outDir);
