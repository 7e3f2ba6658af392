// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/carddatafile.h"
#include "core/util/progress.h"

#include <QString>

// The project document's file work: a card data file unpacked into the card image and a card
// packed into a card data file. The window that runs them shows the progress and the messages.
namespace ProjectFile {

// Unpacks the card data file at path into the card image projectDir, emptied first. A file
// that cannot be opened or lacks the magic leaves the image as it was. When the unpacking
// ended part way (damaged, truncated, a directory that could not be made, a full disk, stopped), the image
// is emptied again, so that no later card write copies half a project. A projectDir that is a
// symbolic link is replaced by a real directory: neither the emptying nor the unpacking may
// reach where the link points.
CardUnpackResult open(const QString &path, const QString &projectDir, const Progress &progress = {});

// Packs the library of the card at cardRoot into path, atomically: a failed or stopped
// packing leaves an existing file as it was.
CardPackResult save(const QString &path, const QString &cardRoot, const Progress &progress = {});

} // namespace ProjectFile
