// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The entries of one directory, read with readdir in one pass (no look-up per name where the
// file system reports each entry's type). Names starting with "." are left out (media litter),
// and so are symbolic links, which the library and the card copies never follow. Each list is
// sorted by UTF-16 code units, so that "first met" rules are deterministic.
struct DirectoryListing
{
    // A name that is not valid UTF-8, as the file system holds it. No QString names such a
    // file, so Qt's own listings leave it out without a word and no path built from text
    // reaches it; whoever meets one says so.
    struct RawName
    {
        QByteArray name;
        bool directory = false;
    };

    QStringList files;    // regular files
    QStringList specials; // pipes, devices and sockets
    QStringList directories;
    QList<RawName> undecodable; // of any kind but links, in byte order
    bool opened = false;        // false when the directory could not be read

    // Any folder, whether its name is UTF-8 or not.
    bool hasDirectories() const;
};

DirectoryListing listDirectory(const QString &dir);

// True when name is valid UTF-8 that QFile::decodeName() gives back unchanged.
bool isDecodableFileName(QByteArrayView name);
// A name for messages: its valid UTF-8 decoded, every other byte as "\xHH" ("0020 W\xB6r\xF3d.txt").
QString escapedFileName(QByteArrayView name);
