// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardfinding.h"
#include "core/library/itemlisting.h"
#include "core/model/loadissue.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>

// Files that a card copy, packing or check cannot take because of their names, as findings:
// a name that is not valid UTF-8 (shown escaped), a library file in the root of a card with
// folders, a name that differs from another's only in the case of its extension.

// prefix is the path shown before the name ("Kolędy/", or empty).
CardFinding undecodableNameFinding(const QString &prefix, QByteArrayView name);
CardFinding outsideGroupsFinding(const QString &name);

// The names a listing of directory leaves out.
CardFindings cardUnlistedFindings(const QString &directory, const ItemListing &listing);
// The scan's issues about names, keyed by the directory they lie in ("" for the root).
QHash<QString, CardFindings> cardNameFindings(const IssueList &issues);
