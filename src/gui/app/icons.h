// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The small button images of the dialogs: the desktop theme's icon when the theme has one,
// else the program's own 16-pixel PNG from the resource folder's icons/.
namespace Icons {

enum class Icon { Previous, Next, RowUp, RowDown, Export, Save, Speaker, SpeakerMuted };

QIcon icon(Icon which);
// The theme's icon themeName, else icons/<bundledFile>; an empty icon when neither exists.
QIcon themedIcon(const QString &themeName, const QString &bundledFile);

} // namespace Icons
