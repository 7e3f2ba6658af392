// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Qt's own texts (the buttons and labels of the file, folder and colour choosers) in the
// language of the program's texts.
namespace QtTranslation {

// Loads and installs the Qt translation of the language's row; false when there is none to load.
bool install(const QString &languageName);

} // namespace QtTranslation
