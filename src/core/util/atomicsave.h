// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// The one way a whole file is saved (songs, slides, playlists, fonts, font exports, the music
// map, card data files). The content goes to a temporary file in the target's directory that
// replaces the target only when every write went through completely, the data reached the disk
// and the rename succeeded. A failed save leaves the previous file byte for byte and gives the
// system's reason ("No space left on device").
// An existing target that is not a regular file (a device, a pipe, a folder, a link to one) is
// refused: the save would put a plain file in its place.
//
// writeContent writes to the device it is given; answering false abandons the save. error is
// then set only when a write failed, as the writer's own reason is known to the caller.
bool saveAtomically(const QString &path, const std::function<bool(QIODevice &)> &writeContent,
                    QString *error = nullptr);
bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);
// True when path exists and is, or links to, something other than a regular file.
bool isNonRegularFile(const QString &path);
