// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/editor/songsaving.h"

#include "core/model/song.h"
#include "core/model/songfile.h"
#include "core/util/fileutils.h"
#include "core/util/textids.h"

#include <QFile>
#include <QFileInfo>

namespace SongSaving {

bool hasForbiddenTitleCharacter(QStringView title)
{
    static constexpr QStringView kForbidden = u"\\/:*?\"<>|";
    for (QChar c : title) {
        if (c.category() == QChar::Other_Control || kForbidden.contains(c))
            return true;
    }
    return false;
}

int parseNumber(QStringView text)
{
    if (text.isEmpty() || text.size() > 4)
        return 0;
    int number = 0;
    for (QChar c : text) {
        if (!c.isDigit() || c.unicode() > u'9')
            return 0;
        number = number * 10 + (c.unicode() - u'0');
    }
    return number;
}

QList<int> saveErrors(const Song &song, ItemKind kind, int number, const QString &title)
{
    QList<int> errors;
    if (kind == ItemKind::Song && song.sequence().isEmpty())
        errors << Txt::SequenceEmpty;
    if (title.isEmpty())
        errors << Txt::TitleEmpty;
    if (hasForbiddenTitleCharacter(title))
        errors << Txt::TitleForbiddenCharacter;
    if (title.size() > kMaxTitleLength)
        errors << Txt::TitleTooLong;
    if (errors.isEmpty() && !ItemName::isValidNumber(kind, number))
        errors << Txt::NumberInvalid;
    return errors;
}

Plan plan(const Song &song, ItemKind kind, const QString &directory, int number, const QString &title)
{
    Plan result;
    result.target = joinPath(directory, ItemName::format(number, title) + ItemName::extension(kind));
    const bool saved = song.kind() != SongKind::NewSong && !song.path().isEmpty();
    const QString own = saved ? song.path() : QString();
    // A file saved back under its own name keeps the extension as it spells it ("0050 Upper.TXT");
    // new names are written in lower case.
    if (saved && ItemName::hasExtension(own, kind)
        && QStringView(own).chopped(4).compare(QStringView(result.target).chopped(4)) == 0)
        result.target = own;
    result.askReplace = QFileInfo::exists(result.target) && !isSameFile(result.target, own);
    if (saved && number == song.savedNumber() && title != song.savedTitle())
        result.oldFile = own;
    return result;
}

bool execute(Song &song, const Plan &plan, QString *error)
{
    if (!SongFile::save(plan.target, song, error))
        return false;
    if (!plan.oldFile.isEmpty() && QFileInfo::exists(plan.oldFile) && !isSameFile(plan.oldFile, plan.target))
        QFile::remove(plan.oldFile);
    return true;
}

} // namespace SongSaving
