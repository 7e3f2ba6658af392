// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/itemname.h"
#include "core/util/directorylisting.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The files of one kind in one directory of a library, as the scan and the packing list them.
struct ItemListing
{
    QStringList names; // without extension ("0007 Kyrie"), in listing order
    // The extension as the file spells it, for the names whose extension is not in lower case
    // ("0050 Upper" -> ".TXT"): the file keeps its name wherever it is read, copied or packed.
    QHash<QString, QString> extensions;
    // Whole names left out because another file of the directory has the same name but for
    // the case of its extension: FAT, the board's file system, keeps only one of them. The
    // lower-case one is listed, otherwise the first in listing order.
    QStringList caseTwins;
    // Files of the kind whose names are not valid UTF-8, as the file system holds them.
    QList<QByteArray> undecodable;
};

ItemListing listItems(DirectoryListing directory, ItemKind kind);
ItemListing listItems(const QString &dir, ItemKind kind);
