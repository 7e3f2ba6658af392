// SPDX-License-Identifier: GPL-3.0-or-later
// The song editor page's context menus: the matrix's and the sequence list's.
#include "gui/editor/songeditorpage.h"

#include "core/app/language.h"
#include "gui/editor/ledmatrix.h"
#include "gui/editor/sequencelist.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>

QMenu *SongEditorPage::createSequenceMenu()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("sequenceMenu"));
    const int row = m_sequence->currentItem() && m_sequence->currentItem()->isSelected() ? m_sequence->currentRow()
                                                                                         : -1;
    const auto add = [menu](const QString &text, const QString &name, auto slot, bool enabled) {
        QAction *action = menu->addAction(text, slot);
        action->setObjectName(name);
        action->setEnabled(enabled);
    };
    add(
        Lang::text(Txt::MenuInsertStanza), u"insertStanza"_qs, [this, row] { insertStanzaEntry(row); },
        !m_song.isCurrentStanzaRefrain());
    add(
        Lang::text(Txt::MenuInsertRefrain), u"insertRefrain"_qs, [this, row] { insertRefrainEntry(row); }, true);
    add(
        Lang::text(Txt::MenuAlternating), u"alternating"_qs,
        [this] {
            change(Txt::UndoSongLayout, [this] { m_song.setAlternatingSequence(); });
            refreshSequence();
        },
        true);
    QString deleteText = Lang::text(Txt::MenuSequenceDelete);
    if (row >= 0) {
        const QString text = m_sequence->item(row)->text();
        deleteText = text == u"R" ? Lang::text(Txt::MenuDeleteRefrain)
                                  : Lang::text(Txt::MenuDeleteStanza) + u": " + text;
    }
    add(
        deleteText, u"deleteEntry"_qs, [this, row] { deleteEntry(row); }, row >= 0);
    add(
        Lang::text(Txt::MenuDefaultSequence), u"defaultSequence"_qs,
        [this] {
            change(Txt::UndoSongLayout, [this] { m_song.setDefaultSequence(); });
            refreshSequence();
        },
        true);
    return menu;
}

QMenu *SongEditorPage::createMatrixMenu()
{
    if (isSlide() || m_song.stanzaCount() == 0)
        return nullptr;
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("matrixMenu"));
    const auto add = [this](QMenu *into, int textId, const char16_t *button, auto slot) {
        QAction *action = into->addAction(Lang::text(textId), this, slot);
        action->setObjectName(QStringLiteral("menuText%1").arg(textId));
        if (button)
            action->setEnabled(this->button(QString::fromUtf16(button))->isEnabled());
        return action;
    };
    QMenu *screen = menu->addMenu(Lang::text(Txt::MenuScreen));
    add(screen, Txt::MenuScreenAdd, u"screenAdd", [this] { addScreen(); });
    add(screen, Txt::MenuScreenDelete, u"screenDelete", [this] { deleteScreen(); });
    add(screen, Txt::MenuScreenClear, u"screenClear", [this] { clearScreen(); });
    add(screen, Txt::MenuScreenDuplicate, u"screenDuplicate", [this] { duplicateScreen(); });
    QMenu *stanza = menu->addMenu(Lang::text(Txt::MenuStanza));
    add(stanza, Txt::MenuStanzaAdd, u"stanzaAdd", [this] { addStanza(); });
    add(stanza, Txt::MenuStanzaDelete, u"stanzaDelete", [this] { deleteStanza(); });
    add(stanza, Txt::MenuStanzaMove, nullptr, [] {})->setEnabled(false);
    QMenu *song = menu->addMenu(Lang::text(Txt::MenuSong));
    add(song, Txt::MenuSongNew, u"newSong", [this] { newSong(); });
    add(song, Txt::MenuSongSave, u"saveSong", [this] { save(); });
    add(song, Txt::MenuSongSaveSlide, u"saveSlide", [this] { saveAsSlide(); });
    add(menu, Txt::MenuAlignLeft, u"alignLeft", [this] { align(MatrixText::Alignment::Left); });
    add(menu, Txt::MenuAlignCentre, u"alignCentre", [this] { align(MatrixText::Alignment::Centre); });
    add(menu, Txt::MenuAlignRight, u"alignRight", [this] { align(MatrixText::Alignment::Right); });
    menu->addSeparator();
    add(menu, Txt::MenuMatrixCopy, nullptr, [this] {
        m_matrix->copySelection();
    })->setEnabled(m_matrix->hasSelection());
    add(menu, Txt::MenuMatrixPaste, nullptr, [this] {
        paste();
    })->setEnabled(!QApplication::clipboard()->text().isEmpty());
    return menu;
}
