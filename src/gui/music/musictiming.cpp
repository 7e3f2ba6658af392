// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/music/musictiming.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "gui/app/messageboxes.h"
#include "gui/music/musictimingdialog.h"
#include "gui/music/streamingmusicplayer.h"

#include <QFileInfo>

bool openMusicTiming(QWidget *parent, Song &song)
{
    AppCore *core = AppCore::instance();
    if (!core)
        return false;
    AppSettings &settings = core->settings();
    const QString folder = settings.lastMusicDir();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        infoBox(parent, Lang::text(Txt::TimingNoMusicFolder));
        return false;
    }
    MusicBackendOptions options;
    options.soundFont = settings.soundFont();
    const std::unique_ptr<MusicPlayer> player = createMusicPlayer(std::move(options));
    MusicTimingDialog dialog(song, *player, settings, parent);
    return dialog.exec() == QDialog::Accepted && dialog.songChanged();
}
