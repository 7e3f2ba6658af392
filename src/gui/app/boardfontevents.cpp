// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/boardfontevents.h"

#include "core/app/appcore.h"

BoardFontEvents &BoardFontEvents::instance()
{
    static BoardFontEvents events;
    return events;
}

void BoardFontEvents::fontSaved(const QString &fontName)
{
    AppCore *core = AppCore::instance();
    if (core && core->reloadBoardFont(fontName))
        emit instance().boardFontsReloaded();
}
