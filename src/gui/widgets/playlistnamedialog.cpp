// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/playlistnamedialog.h"

#include "core/app/language.h"
#include "core/library/librarynaming.h"

#include <QLineEdit>

#include <algorithm>

// Typing stops at 30 characters. A longer title already on the card is shown whole, never cut
// silently; the check on OK refuses it with its message instead.
PlaylistNameDialog::PlaylistNameDialog(const QString &title, QWidget *parent)
    : NameDialog(Txt::PlaylistRenameTitle, Txt::PlaylistRenameLabel, title, parent)
{
    setObjectName(QStringLiteral("PlaylistNameDialog"));
    edit()->setMaxLength(std::max(LibraryNaming::kMaxPlaylistNameLength, int(title.size())));
}

void PlaylistNameDialog::accept()
{
    acceptOrExplain(LibraryNaming::checkPlaylistRename(title()), Txt::PlaylistForbiddenCharacter);
}
