// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// A made-up card in the library layout (songs and slides from SyntheticSongs) for benchmarks and big tests: numbered songs in groups,
// slides, playlists that name existing songs and slides, and a chosen number of planted
// duplicate numbers and same titles, whose issues the generator lists.
struct SyntheticCardSpec
{
    int songs = 5000;
    int groups = 20;
    int slides = 499;
    int playlists = 100;
    int entriesPerPlaylist = 12;
    // Songs that reuse the number of an earlier song. 5000 songs need at least one: there are
    // only 4999 song numbers.
    int duplicateNumbers = 5;
    // Songs whose title repeats an earlier song's title in other letter case.
    int sameTitles = 5;
    quint32 seed = 1;
};

// An issue the scan must report for a planted fault (as the scan records it).
struct PlantedIssue
{
    int number = 0;
    int code = 0;
    int fileType = 0;
    QString name;

    bool operator==(const PlantedIssue &) const = default;
};

// Writes the card below root (created when missing; it should be empty). The planted issues
// come in no particular order. False with a message when a file cannot be written or the plan
// cannot be met.
bool generateSyntheticCard(const QString &root, const SyntheticCardSpec &plan, QList<PlantedIssue> *planted,
                           QString *error);
