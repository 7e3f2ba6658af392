// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Qt's own texts (the buttons and labels of the file, folder and colour choosers) in the
// language of the program's texts.
namespace QtTranslation {

// The locale name ("pl") of a language file's name ("Polski"); empty when none is known.
QString localeOf(const QString &languageName);
// Loads and installs Qt's translation for the language; false when there is none to load.
bool install(const QString &languageName);

} // namespace QtTranslation
