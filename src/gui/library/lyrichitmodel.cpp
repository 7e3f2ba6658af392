// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/lyrichitmodel.h"

#include "core/app/language.h"
#include "core/util/textids.h"

#include <QDir>

void LyricHitModel::setHits(const QList<LyricHit> &hits)
{
    beginResetModel();
    m_hits = hits;
    endResetModel();
}

const LyricHit *LyricHitModel::hit(int row) const
{
    return row >= 0 && row < m_hits.size() ? &m_hits.at(row) : nullptr;
}

int LyricHitModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_hits.size());
}

QString LyricHitModel::placeText(const LyricHit &hit)
{
    switch (hit.kind) {
    case LyricHitKind::Number:
        return Lang::text(Txt::SearchHitByNumber);
    case LyricHitKind::Title:
        return Lang::text(Txt::SearchHitInTitle);
    case LyricHitKind::Lyrics:
        break;
    }
    return Lang::text(Txt::SearchHitPlace).arg(hit.stanza).arg(hit.screen).arg(hit.line) + QStringLiteral(": ")
        + hit.snippet;
}

QVariant LyricHitModel::data(const QModelIndex &index, int role) const
{
    const LyricHit *found = index.isValid() && !index.parent().isValid() ? hit(index.row()) : nullptr;
    if (!found || index.column() != 0)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString(found->name + QChar::LineSeparator + placeText(*found));
    case Qt::ToolTipRole:
        return QDir::toNativeSeparators(found->path);
    default:
        return {};
    }
}
