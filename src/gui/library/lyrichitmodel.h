// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/search/lyricindex.h"

#include <QAbstractListModel>

// The hits of a lyric search as list rows: "0153 Barka" over where it was found and the snippet.
class LyricHitModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setHits(const QList<LyricHit> &hits);
    const LyricHit *hit(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The second line of a row: the place (or "in the title") and the snippet.
    static QString placeText(const LyricHit &hit);

private:
    QList<LyricHit> m_hits;
};
