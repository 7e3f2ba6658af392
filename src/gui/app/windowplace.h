// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
class QWidget;

// Sizes and places of windows, and the user's last choices, kept between runs in the settings
// store, one key each. Nothing happens without a store.
namespace WindowPlace {

// Gives window the size it had when last remembered under key, never smaller than its minimum
// size; with position also its place, when that still lies on a screen. False when none was kept.
bool restore(QWidget *window, const QString &key, bool position = false);
void remember(const QWidget *window, const QString &key);

// A choice the user made last time (a group, a folder), kept in section "Wybory"; empty when none.
QString lastChoice(const QString &key);
void rememberChoice(const QString &key, const QString &value);

} // namespace WindowPlace
