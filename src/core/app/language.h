// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/languagetable.h"
#include "core/util/textids.h"

#include <QString>
#include <QStringList>

// The process's one loaded language and the text lookup every layer uses.
namespace Lang {

enum class LoadResult {
    Loaded,       // the named language, with the right version
    FellBack,     // the named file could not be opened; Polski was loaded instead (unchecked)
    WrongVersion, // the named file loaded but its version is not the required one
    OpenError,    // neither the named file nor Polski could be opened
};

inline constexpr char16_t kFallbackLanguage[] = u"Polski";

// Loads <languageDir>/<name>.lang into the current table, following the fallback rules.
LoadResult load(const QString &languageDir, const QString &name);
// The language whose texts are loaded (Polski after a fallback); empty when none is.
QString loadedName();

// The texts shown when loading fails; they cannot come from a language file.
QString wrongVersionMessage();
QString openErrorMessage(const QString &name);

// Language names (file names without ".lang") in languageDir, sorted, as the file system spells them.
QStringList availableLanguages(const QString &languageDir);

// The text with this id; in text-id mode "<id-98> text|". Empty when missing.
QString text(int id);

void setShowTextIds(bool on);
bool showTextIds();

LanguageTable &table();
quint32 version();

} // namespace Lang
