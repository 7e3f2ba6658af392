// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardfinding.h"

#include <QString>

// Why a card write, append or restore must not run; Ok when it may.
enum class CardWriteCheck {
    Ok,
    ImageMissing,     // the image does not exist or holds no file (empty folders only)
    Overlap,          // image and card are the same folder or one lies inside the other
    CardMissing,      // the card folder does not exist: nothing is done
    Forbidden,        // the card would be "/", a system folder or a home folder (or hold one)
    LibraryForbidden, // a restore would write into "/", a system folder or a home folder
    NotACard,         // a write would clear a folder that is neither empty nor a card (unless forced)
    SourceNotACard,   // a restore would read a folder that does not look like a card (unless forced)
    ReadOnly,         // the card cannot be written
    ForeignEntries,   // a write would clear a card that also holds what a card never holds (unless
                      // forced): foreignCardEntries() names it
    NotEmpty,         // an unpack would put its files among what a folder holds (unless forced)
};

enum class CardWriteKind { Write, Append, Restore };

// The one decision, for the command line and the card wizard, taken before anything is cleared
// or copied. For Restore, image is the library the card is read into (it need not exist yet)
// and card the card read from. Paths are compared by their absolute, resolved components.
CardWriteCheck checkCardWrite(const QString &image, const QString &card, CardWriteKind kind, bool force = false);
// The message of a refusal, naming the folder concerned.
CardFinding cardWriteRefusal(CardWriteCheck check, const QString &image, const QString &card);

// What a card never holds, as paths below card: dot names other than media litter and the
// program's own temporary files, links, pipes and devices, files in the root that are no song,
// playlist or slide, and anything below a group folder but such files (a deeper folder is named
// once, without its contents). A clear would delete all of it with the card.
QStringList foreignCardEntries(const QString &card);

// Whether a clear of folder can remove everything below it, found before anything is removed:
// each name must name its file back (not so for a name that is not valid UTF-8) and each folder
// that holds something must be writable and readable.
struct ClearCheck
{
    QString blocked; // the first entry that cannot be removed, below folder (folder itself when it
                     // is the one); empty when everything can go
    QString reason;  // the system's reason
};
ClearCheck checkClear(const QString &folder);

// The litter removable media collect (".Trash-1000", ".fseventsd", ".Spotlight-V100",
// ".DS_Store", "System Volume Information"): nothing a card write needs to keep.
bool isMediaLitter(const QString &name);
// A folder holding nothing but the litter removable media collect (".Trash-1000",
// ".fseventsd", ".Spotlight-V100", ".DS_Store", "System Volume Information"); other dot names
// count as content.
bool isEmptyCardFolder(const QString &dir);
