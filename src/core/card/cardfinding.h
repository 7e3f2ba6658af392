// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// A file an operation skipped or could not write: the language text that says why and the
// name it concerns (the text holds "%1" for the name). cardFindingText() gives the text.
struct CardFinding
{
    int textId = 0;
    QString name;

    friend bool operator==(const CardFinding &, const CardFinding &) = default;
};

using CardFindings = QList<CardFinding>;
