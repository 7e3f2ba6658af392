// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/music/musicplayer.h"

#include <QtGlobal>

int MusicPlayer::clampVolume(int volume)
{
    return qBound(kMinVolume, volume, kMaxVolume);
}
