// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/carddatafile.h"
#include "core/card/cardjob.h"
#include "core/util/progress.h"

#include <QString>

// A card (or library) packed into a card data file, and a card data file unpacked into a folder.

struct CardPackJobResult
{
    CardFinding refusal; // the card folder is missing (textId 0: none); nothing was written
    CardPackResult pack;
};
// Packs the library at card into out, atomically: a failed or stopped packing leaves an
// existing file as it was. A reader: the card is not locked.
CardPackJobResult packCard(const QString &card, const QString &out, const Progress &progress = {});

struct CardUnpackJobResult
{
    CardJobResult job;       // Refused (NotEmpty) or Busy: nothing was unpacked
    CardUnpackResult unpack; // what the unpacking did when it ran
};
// Unpacks the card data file in into dir (created when missing). A dir that holds anything is
// refused unless force is given; an existing dir is locked for the run, and the temporary files
// killed unpacks or copies left in it and its subfolders are removed first.
CardUnpackJobResult unpackCardFile(const QString &in, const QString &dir, bool force, const Progress &progress = {});
