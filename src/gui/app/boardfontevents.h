// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Tells every LED matrix that a board font slot took new glyphs, so that it draws them at once.
class BoardFontEvents : public QObject
{
    Q_OBJECT
public:
    static BoardFontEvents &instance();

    // After fontName's file was written: reloads the board font of that name, when it is one,
    // and signals the matrices.
    static void fontSaved(const QString &fontName);

signals:
    void boardFontsReloaded();

private:
    BoardFontEvents() = default;
};
