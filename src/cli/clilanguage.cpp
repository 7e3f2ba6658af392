// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/clilanguage.h"

#include "core/app/appdirs.h"
#include "core/app/language.h"

#include <QCoreApplication>

bool loadCliLanguage(const QString &name)
{
    const AppDirs dirs = AppDirs::standard(QCoreApplication::applicationDirPath());
    const QString language = name.isEmpty() ? QString::fromUtf16(Lang::kFallbackLanguage) : name;
    const Lang::LoadResult result = Lang::load(dirs.languageDir(), language);
    return result == Lang::LoadResult::Loaded || result == Lang::LoadResult::FellBack;
}
