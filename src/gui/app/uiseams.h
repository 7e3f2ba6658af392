// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardplan.h"
#include "gui/app/messageboxes.h"
#include "gui/app/shell.h"

#include <QtGlobal>

#include <functional>

class QWidget;

// What a window asks of the world outside the program and of the clock: the desktop's file
// opener, the file dialogs, the message boxes, the wait dialog's timing, the typing clock and
// a card's free space. Each member left empty (or at its default) is the real behaviour; tests
// fill in their own answers. A window owns its seams (installSeams); the code inside it finds
// them through the widget it already has (seamsOf).
struct UiSeams
{
    // Replaces openWithShell's desktop opener for the existing path; its answer is the result.
    Shell::Opener opener;
    // Replaces the file and folder dialogs (see Shell::Chooser).
    Shell::Chooser chooser;
    // Answers message boxes without showing them.
    MessageBoxes::Responder responder;
    // How long the wait dialog's work runs before the dialog shows, in milliseconds.
    int waitShowDelay = 300;
    // Every file of the wait dialog's work takes this much longer, in microseconds (a slow card).
    int waitFileDelay = 0;
    // The clock typing runs are timed with, in milliseconds; empty: a monotonic clock.
    std::function<qint64()> typingClock;
    // A card's allocation unit and free space; empty: the card's file system answers.
    CardVolumeProbe volumeProbe;
};

// Gives window seams of its own, owned by it and replacing any it had; returns them so that
// their owner can change them later.
UiSeams &installSeams(QWidget *window, UiSeams seams = {});
// The seams of the nearest of widget and its parents that has any; the real behaviour when
// none has (or widget is null).
const UiSeams &seamsOf(const QWidget *widget);
