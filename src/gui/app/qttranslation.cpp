// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/qttranslation.h"

#include "core/app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace QtTranslation {

QString localeOf(const QString &languageName)
{
    static const struct { const char16_t *name; const char16_t *locale; } kLanguages[] = {
        {u"Polski", u"pl"},    {u"English", u"en"},    {u"Deutsch", u"de"},  {u"Česky", u"cs"},
        {u"Slovensky", u"sk"}, {u"Русский", u"ru"},    {u"Українська", u"uk"},
    };
    for (const auto &language : kLanguages) {
        if (Lang::sameName(languageName, QString::fromUtf16(language.name)))
            return QString::fromUtf16(language.locale);
    }
    return {};
}

bool install(const QString &languageName)
{
    const QString locale = localeOf(languageName);
    if (locale.isEmpty() || !QCoreApplication::instance())
        return false;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(locale), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace QtTranslation
