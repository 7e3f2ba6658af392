// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/clisupport.h"

#include "core/app/appdirs.h"
#include "core/app/appsettings.h"
#include "core/app/language.h"
#include "core/model/charsetmode.h"

#include <QCoreApplication>
#include <QFileInfo>

int cliUsageError(CliIo &io, const CliCommand &command, const QString &problem)
{
    if (!problem.isEmpty())
        io.err << "lumivox-cli: " << problem << '\n';
    io.err << "usage: " << QString::fromUtf16(command.usage) << '\n';
    io.err.flush();
    return CliError;
}

bool cliLoadLanguage(const QString &name, QString *problem)
{
    // A name, not a path: nothing outside the shipped Language folder is ever read.
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name.contains(u"..")) {
        if (problem)
            *problem = QStringLiteral("--language takes a plain language name such as Polski");
        return false;
    }
    const AppDirs dirs = AppDirs::standard(QCoreApplication::applicationDirPath());
    if (Lang::load(dirs.languageDir(), name) != Lang::LoadResult::Loaded) {
        if (problem)
            *problem = QStringLiteral("cannot load language \"") + name + u'"';
        return false;
    }
    setCurrentCharsetMode(AppSettings::charsetForLanguage(name) == 1 ? CharsetMode::Cyrillic : CharsetMode::Latin);
    return true;
}

bool cliLoadLanguage(CliIo &io, const QString &name)
{
    QString problem;
    if (cliLoadLanguage(name, &problem))
        return true;
    io.err << "lumivox-cli: " << problem << '\n';
    return false;
}

bool cliPrepareCard(CliIo &io, const QString &card, const QString &language)
{
    if (!QFileInfo(card).isDir()) {
        io.err << "lumivox-cli: no card folder \"" << cliShown(card) << "\"\n";
        return false;
    }
    return cliLoadLanguage(io, language);
}

bool cliTakeOption(QStringList &args, const QString &name, QString *value)
{
    const qsizetype i = args.indexOf(name);
    if (i < 0)
        return true;
    if (i + 1 >= args.size())
        return false;
    *value = args.at(i + 1);
    args.remove(i, 2);
    return true;
}

bool cliTakeFlag(QStringList &args, const QString &name)
{
    return args.removeAll(name) > 0;
}

QString cliShown(const QString &name)
{
    QString shown = name;
    for (QChar &c : shown) {
        if (c == u'\r' || c == u'\n')
            c = QChar::ReplacementCharacter;
    }
    return shown;
}

QString cliTsvField(const QString &text)
{
    QString field = text;
    for (QChar &c : field) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return field;
}
