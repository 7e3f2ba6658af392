// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/report/report.h"

class RtfOutput;
class Song;

// The writers behind Report::write, one per kind; each closes its document even when stopped.
namespace ReportWriters {

ReportCounts songbook(RtfOutput &out, const SongLibrary &library, const QString &title, const Progress &progress);
ReportCounts numberIndex(RtfOutput &out, const SongLibrary &library, const QString &title, const Progress &progress);
ReportCounts alphabetical(RtfOutput &out, const SongLibrary &library, const QString &title, const Progress &progress);

// The songbook's page rule, in twips. A song's height is estimated from its screens: 360, plus
// for each table row of four screens 20 x (8 x (the most non-empty lines of its screens + 3) + 8).
// A song starts a new page when it and a margin of 240 do not fit below what the page has used.
inline constexpr int kPageHeight = 12240;
inline constexpr int kPageMargin = 240;
int estimatedHeight(const Song &song);
inline bool startsNewPage(int usedHeight, int songHeight)
{
    return usedHeight + songHeight + kPageMargin >= kPageHeight;
}

} // namespace ReportWriters
