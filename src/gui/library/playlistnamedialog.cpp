// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/playlistnamedialog.h"

#include "core/app/language.h"
#include "core/library/librarynaming.h"

// The edit has no hard length limit: a longer title already on the card must not be cut
// silently; the check on OK refuses it with its message instead.
PlaylistNameDialog::PlaylistNameDialog(const QString &title, QWidget *parent)
    : NameDialog(Txt::PlaylistRenameTitle, Txt::PlaylistRenameLabel, title, parent)
{
    setObjectName(QStringLiteral("PlaylistNameDialog"));
}

void PlaylistNameDialog::accept()
{
    acceptOrExplain(LibraryNaming::checkPlaylistRename(title()), Txt::PlaylistForbiddenCharacter,
                    Txt::PlaylistNameEmpty);
}
