// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QPalette>
#include <QVariant>

// Follows the desktop's light or dark preference (the freedesktop settings portal's
// "org.freedesktop.appearance" "color-scheme"), which Qt 6.4 does not pass on to its styles: a
// desktop that prefers dark gets the Fusion style in a dark palette, also when the user switches
// while the program runs. A palette that is dark already (a dark Qt theme) is left as it is.
class DesktopScheme : public QObject
{
    Q_OBJECT
public:
    enum class Preference { None, Dark, Light };

    // Reads the preference once (a short wait at most) and keeps listening for changes.
    explicit DesktopScheme(const QDBusConnection &bus, QObject *parent = nullptr);

    // The portal's value, wrapped in one or more variants: 1 prefers dark, 2 light, else none.
    static Preference fromPortalValue(const QVariant &value);
    // Puts the application in the dark look for Dark, back in the look it had for the others.
    void apply(Preference preference);

private slots:
    void settingChanged(const QDBusMessage &message);

private:
    // The look the dark one replaced; no style name while the dark look is not applied.
    QString m_styleName;
    QPalette m_palette;
};
