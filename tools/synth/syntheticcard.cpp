// SPDX-License-Identifier: GPL-3.0-or-later
#include "synth/syntheticcard.h"

#include "synth/syntheticsongs.h"

#include "core/library/librarynaming.h"
#include "core/model/loadissue.h"
#include "core/model/playlist.h"
#include "core/model/songfile.h"
#include "core/model/itemname.h"

#include <QDir>
#include <QFile>

namespace {

// Plain writes: a generated card needs no crash safety, and syncing 5600 files takes seconds.
bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        return true;
    if (error)
        *error = path + u": " + file.errorString();
    return false;
}

// A hymn-like song or slide from the shared generator, under the number and title the card plan gives.
bool writeItem(const QString &path, int number, const QString &title, SongKind kind, QRandomGenerator &random,
               QString *error)
{
    Song song = SyntheticSongs::makeSong(number, random, CharsetMode::Latin, kind);
    song.setTitle(title);
    return writeFile(path, SongFile::toBytes(song), error);
}

QString groupName(int g)
{
    return QStringLiteral("Grupa %1").arg(g + 1, 2, 10, QLatin1Char('0'));
}

} // namespace

bool generateSyntheticCard(const QString &root, const SyntheticCardSpec &plan, QList<PlantedIssue> *planted,
                           QString *error)
{
    using namespace LibraryNaming;
    const int distinct = plan.songs - plan.duplicateNumbers;
    if (plan.groups < 1 || distinct < 1 || distinct >= kSongTableSize || plan.duplicateNumbers < 0
        || plan.duplicateNumbers > distinct / 2 || plan.sameTitles < 0 || plan.sameTitles * 2 > distinct
        || plan.slides >= kSlideTableSize || plan.playlists >= kPlaylistTableSize) {
        if (error)
            *error = QStringLiteral("the card cannot be laid out with these numbers");
        return false;
    }
    QList<PlantedIssue> issues;
    QRandomGenerator random(plan.seed);
    QDir().mkpath(root);
    for (int g = 0; g < plan.groups; ++g)
        QDir().mkpath(groupDirectory(root, groupName(g)));

    // Songs in blocks per group, listed by number inside each group, so that the earlier of two
    // files is the one met first. Same titles: song i repeats the title of song i - distinct / 2
    // in upper case. Duplicates: the last files reuse distinct, spread-out numbers of the first half.
    const int perGroup = (plan.songs + plan.groups - 1) / plan.groups;
    QList<QString> names(plan.songs);
    QList<QString> groups(plan.songs);
    QList<QString> titles(plan.songs);
    const int half = distinct / 2;
    for (int i = 0; i < plan.songs; ++i) {
        int number = i + 1;
        QString title = QStringLiteral("Pieśń %1").arg(number);
        if (i >= distinct) {
            const int k = i - distinct;
            number = 1 + k * (half / std::max(1, plan.duplicateNumbers));
            title = QStringLiteral("Powtórka %1").arg(k + 1);
        } else if (i >= distinct - plan.sameTitles) {
            title = titles.at(i - half).toUpper();
        }
        titles[i] = title;
        names[i] = ItemName::format(number, title);
        groups[i] = groupName(std::min(i / perGroup, plan.groups - 1));
        if (!writeItem(groupDirectory(root, groups[i]) + names[i] + u".txt", number, title, SongKind::Song, random,
                       error))
            return false;
    }
    for (int i = distinct - plan.sameTitles; i < distinct; ++i)
        issues.append({i + 1, int(IssueCode::DuplicateTitle), int(IssueFileType::Song), groups[i] + u'/' + names[i]});
    for (int i = distinct; i < plan.songs; ++i) {
        const int number = ItemName::number(names[i]);
        const int owner = number - 1;
        issues.append({number, int(IssueCode::DuplicateNumber), int(IssueFileType::Song), groups[i] + u'/' + names[i]});
        issues.append(
            {number, int(IssueCode::DuplicateNumber), int(IssueFileType::Song), groups[owner] + u'/' + names[owner]});
    }

    QDir().mkpath(slideDirectory(root));
    QList<QString> slideTitles;
    for (int s = 1; s <= plan.slides; ++s) {
        slideTitles.append(QStringLiteral("Ogłoszenie %1").arg(s));
        if (!writeItem(slideDirectory(root) + u'/' + ItemName::format(s, slideTitles.last()) + u".ekr", s,
                       slideTitles.last(), SongKind::Slide, random, error))
            return false;
    }

    // Playlists name songs (stanza 1, or the refrain at position 2) and now and then a slide.
    QDir().mkpath(playlistDirectory(root));
    for (int p = 1; p <= plan.playlists; ++p) {
        Playlist playlist;
        for (int e = 0; e < plan.entriesPerPlaylist; ++e) {
            PlaylistEntry entry;
            const int pick = (p * 37 + e * 211) % std::max(1, half);
            if (e % 5 == 4 && !slideTitles.isEmpty()) {
                entry.type = PlaylistEntry::Slide;
                entry.title = slideTitles.at(pick % slideTitles.size());
            } else {
                entry.title = titles.at(pick);
                entry.stanza = quint8(1 + e % 2);
            }
            entry.option = quint8(e % 4);
            playlist.append(entry);
        }
        const QString path = playlistDirectory(root) + u'/' + ItemName::format(p, QStringLiteral("Msza %1").arg(p))
            + u".lst";
        if (!writeFile(path, playlist.toBytes(), error))
            return false;
    }
    if (planted)
        *planted = issues;
    return true;
}
