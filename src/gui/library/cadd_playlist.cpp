// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/cadd_playlist.h"

#include "core/app/language.h"
#include "core/library/librarynaming.h"

// The edit has no hard length limit: a longer title already on the card must not be cut
// silently; the check on OK refuses it with its message instead.
CAdd_playlist::CAdd_playlist(const QString &title, QWidget *parent)
    : CNameDialog(Txt::PlaylistRenameTitle, Txt::PlaylistRenameLabel, title, parent)
{
    setObjectName(QStringLiteral("CAdd_playlist"));
}

void CAdd_playlist::accept()
{
    acceptOrExplain(LibraryNaming::checkPlaylistRename(title()), Txt::PlaylistForbiddenCharacter,
                    Txt::PlaylistNameEmpty);
}
