// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/cardroute.h"

#include "core/app/language.h"
#include "core/card/cardcopy.h"

#include <QFileInfo>

namespace {

// One folder is the other or lies inside it, also through a link to either.
bool overlap(const QString &a, const QString &b)
{
    if (LibrarySources::nested(a, b))
        return true;
    const QString first = QFileInfo(a).canonicalFilePath();
    const QString second = QFileInfo(b).canonicalFilePath();
    return !first.isEmpty() && !second.isEmpty() && LibrarySources::nested(first, second);
}

} // namespace

namespace CardRoute {

QString text(const QString &source, const QString &target)
{
    return Lang::text(Txt::RouteLine).arg(source, target);
}

bool holdsData(const QString &root, int categories)
{
    return !root.isEmpty() && QFileInfo(root).isDir() && countCardImage(root, categories).files > 0;
}

QString writeProblem(const QList<LibrarySource> &sources, int from, const QString &card, const QString &cardName,
                     int categories)
{
    if (card.isEmpty())
        return Lang::text(Txt::RouteChooseCard);
    if (from < 0 || from >= sources.size())
        return Lang::text(Txt::RouteFillSource);
    const LibrarySource &source = sources.at(from);
    const QString name = LibrarySources::itemText(source);
    if (overlap(source.rootPath, card))
        return Lang::text(Txt::RouteNested).arg(name, cardName);
    if (holdsData(source.rootPath, categories))
        return {};
    const QString empty = Lang::text(Txt::RouteSourceEmpty).arg(name);
    for (int i = 0; i < sources.size(); ++i) {
        const LibrarySource &other = sources.at(i);
        if (i != from && !overlap(other.rootPath, card) && holdsData(other.rootPath, categories))
            return empty + u'\n' + Lang::text(Txt::RouteChooseInstead).arg(LibrarySources::itemText(other));
    }
    return empty + u'\n' + Lang::text(Txt::RouteFillSource);
}

QString restoreProblem(const QString &card, const QString &cardName, const QString &target, const QString &targetName)
{
    if (card.isEmpty())
        return Lang::text(Txt::RouteChooseCardToRead);
    if (overlap(card, target))
        return Lang::text(Txt::RouteNested).arg(cardName, targetName);
    return {};
}

} // namespace CardRoute
