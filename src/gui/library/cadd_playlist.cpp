// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/cadd_playlist.h"

#include "core/app/language.h"
#include "core/library/librarynaming.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CAdd_playlist::CAdd_playlist(const QString &title, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CAdd_playlist"));
    setControlText(this, Txt::PlaylistRenameTitle);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(this);
    setControlText(label, Txt::PlaylistRenameLabel);
    // No hard length limit: a longer title already on the card must not be cut silently, the
    // check on OK refuses it with its message instead.
    m_edit = new QLineEdit(title, this);
    m_edit->setObjectName(QStringLiteral("playlistName"));
    label->setBuddy(m_edit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    setControlText(buttons->button(QDialogButtonBox::Ok), Txt::ButtonOk);
    setControlText(buttons->button(QDialogButtonBox::Cancel), Txt::ButtonCancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAdd_playlist::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAdd_playlist::reject);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

QString CAdd_playlist::title() const
{
    return m_edit->text();
}

void CAdd_playlist::accept()
{
    const int refusal = LibraryNaming::checkPlaylistRename(title());
    if (refusal == 0)
        QDialog::accept();
    else if (refusal == Txt::PlaylistForbiddenCharacter)
        errorBox(this, LibraryNaming::forbiddenCharacterMessage(refusal));
    else if (refusal == Txt::PlaylistNameEmpty)
        errorBox(this, Lang::text(refusal));
    else
        infoBox(this, Lang::text(refusal));
}
