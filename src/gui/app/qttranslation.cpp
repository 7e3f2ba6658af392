// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/qttranslation.h"

#include "core/model/languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace QtTranslation {

bool install(const QString &languageName)
{
    const Languages::Row *language = Languages::find(languageName);
    if (!language || language->qtTranslation.isEmpty() || !QCoreApplication::instance())
        return false;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(language->qtTranslation, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace QtTranslation
