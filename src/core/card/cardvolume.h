// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// The card's allocation unit and free space, as the card's own file system reports them
// (fstatvfs on the opened folder: no mount table needed); 0 and -1 when it cannot tell.
struct CardVolume
{
    qint64 blockSize = 0;
    qint64 bytesAvailable = -1;
};
// Answers a card's volume instead of its file system (tests: a card of a given size).
using CardVolumeProbe = std::function<CardVolume(const QString &card)>;
