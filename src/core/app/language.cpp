// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/language.h"

#include "core/model/languages.h"

#include <QDir>
#include <QFileInfo>

namespace Lang {
namespace {

struct State
{
    LanguageTable table;
    QString name; // the language whose texts the table holds
    bool showIds = false;
};

State &state()
{
    static State s;
    return s;
}

// The file of this language; one whose name is spelled in another Unicode form or case when only that exists.
QString languagePath(const QString &languageDir, const QString &name)
{
    const QDir dir(languageDir);
    const QString exact = dir.filePath(name + u".lang");
    if (QFileInfo::exists(exact))
        return exact;
    for (const QString &other : availableLanguages(languageDir)) {
        if (Languages::sameName(other, name))
            return dir.filePath(other + u".lang");
    }
    return exact;
}

} // namespace

LoadResult load(const QString &languageDir, const QString &name)
{
    LanguageTable &current = state().table;
    current.clear();
    state().name.clear();
    if (current.load(languagePath(languageDir, name))) {
        if (current.version() == LanguageTable::kRequiredVersion) {
            state().name = name;
            return LoadResult::Loaded;
        }
        current.clear();
        return LoadResult::WrongVersion;
    }
    if (current.load(languagePath(languageDir, QString::fromUtf16(kFallbackLanguage)))) {
        state().name = QString::fromUtf16(kFallbackLanguage);
        return LoadResult::FellBack;
    }
    return LoadResult::OpenError;
}

QString loadedName()
{
    return state().name;
}

QString wrongVersionMessage()
{
    return QStringLiteral("Niepoprawna wersja bilioteki językowej");
}

QString openErrorMessage(const QString &name)
{
    return u"Language file : " + name + u".lang" + u" open error";
}

QStringList availableLanguages(const QString &languageDir)
{
    QStringList names;
    const QStringList files = QDir(languageDir).entryList({QStringLiteral("*.lang")}, QDir::Files | QDir::Readable);
    for (const QString &file : files)
        names << file.chopped(5);
    // By their own names as a reader sorts them: "Česky" among the C's, Cyrillic after Latin.
    const auto key = [](const QString &name) {
        QString base;
        for (QChar c : name.normalized(QString::NormalizationForm_D)) {
            if (c.category() != QChar::Mark_NonSpacing)
                base += c.toCaseFolded();
        }
        return base;
    };
    std::sort(names.begin(), names.end(), [&key](const QString &a, const QString &b) {
        const int byBase = key(a).compare(key(b));
        return byBase != 0 ? byBase < 0 : a.compare(b) < 0;
    });
    return names;
}

QString text(int id)
{
    const QString t = state().table.text(id);
    if (!state().showIds)
        return t;
    return QString::number(id - 98) + u' ' + t + u'|';
}

void setShowTextIds(bool on)
{
    state().showIds = on;
}
bool showTextIds()
{
    return state().showIds;
}
LanguageTable &table()
{
    return state().table;
}
quint32 version()
{
    return state().table.version();
}

} // namespace Lang
