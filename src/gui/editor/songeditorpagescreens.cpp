// SPDX-License-Identifier: GPL-3.0-or-later
// The song editor page's editing: the shown screen, stanza and screen commands, the sequence entries.
#include "gui/editor/songeditorpage.h"

#include "core/app/language.h"
#include "core/app/workspace.h"
#include "core/editor/songediting.h"
#include "gui/app/messageboxes.h"
#include "gui/editor/characterpalette.h"
#include "gui/editor/ledmatrix.h"
#include "gui/editor/sequencelist.h"
#include "gui/editor/songeditorform.h"
#include "gui/editor/songnumberdialog.h"
#include "gui/widgets/songstructuredialog.h"
#include "gui/editor/textimportdialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QUndoStack>

#include <algorithm>

namespace {

QString counterText(int current, int total)
{
    return QStringLiteral("%1/%2").arg(current).arg(total);
}

} // namespace

// --- the shown screen ---

void SongEditorPage::storeScreen()
{
    if (!m_matrix->isReadOnly())
        m_song.setCurrentScreenText(m_matrix->text());
}

void SongEditorPage::showCurrent()
{
    m_matrix->setText(m_song.currentScreenText());
    refreshCounters();
}

void SongEditorPage::showCommandResult(int cell, bool fields)
{
    showCurrent();
    m_matrix->setCursorPosition(cell % MatrixText::kColumns, cell / MatrixText::kColumns);
    m_cellBefore = cell;
    if (fields) {
        showTitleAndNumber();
        refreshSequence();
    }
}

int SongEditorPage::cursorCell() const
{
    return m_matrix->model().cursorCell();
}

void SongEditorPage::screenEdited(bool joinable)
{
    if (m_matrix->isReadOnly())
        return;
    EditScreenText::Edit edit;
    edit.stanza = m_song.currentStanza();
    edit.screen = m_song.currentScreen();
    edit.before = m_song.currentScreenText();
    m_song.setCurrentScreenText(m_matrix->text());
    edit.after = m_song.currentScreenText();
    edit.cellBefore = m_cellBefore;
    edit.cellAfter = m_cellBefore = cursorCell();
    edit.time = typingClock(this);
    edit.joinable = joinable;
    if (edit.after != edit.before)
        m_undo->push(new EditScreenText(*this, edit));
}

void SongEditorPage::change(int textId, const std::function<void()> &edit, int mergeId)
{
    storeScreen();
    const ChangeSong::State before{SongSnapshot::of(m_song), cursorCell()};
    edit();
    // Setting the matrix's text puts its cursor home: only when the shown screen changed.
    if (m_matrix->text() != m_song.currentScreenText())
        showCurrent();
    else
        refreshCounters();
    const ChangeSong::State after{SongSnapshot::of(m_song), cursorCell()};
    m_cellBefore = after.cell;
    if (!after.song.sameContent(before.song))
        m_undo->push(new ChangeSong(*this, textId, before, after, mergeId, m_fieldRun));
}

void SongEditorPage::showScreen(int stanza, int screen)
{
    m_song.setCursor(stanza, screen);
    showCurrent();
    refreshSequence();
}

void SongEditorPage::step(const std::function<void()> &change)
{
    storeScreen();
    change();
    showCurrent();
}

void SongEditorPage::refreshCounters()
{
    m_form->stanzaCounter()->setText(counterText(m_song.currentStanza() + 1, m_song.stanzaCount()));
    m_form->screenCounter()->setText(counterText(m_song.currentScreen() + 1, m_song.currentScreenCount()));
    m_form->refrainBox()->setChecked(m_song.isCurrentStanzaRefrain());
    QStringList caption{Lang::text(Txt::StructureStanza).arg(m_form->stanzaCounter()->text()),
                        Lang::text(Txt::StructureScreen).arg(m_form->screenCounter()->text())};
    if (m_song.isCurrentStanzaRefrain())
        caption << Lang::text(Txt::RefrainBox);
    m_matrix->setScreenCaption(caption.join(u", "));
    const bool song = !isSlide();
    const auto enable = [this, song](const char16_t *name, bool on) {
        button(QString::fromUtf16(name))->setEnabled(song && on);
    };
    enable(u"stanzaNext", m_song.hasNextStanza());
    enable(u"stanzaPrevious", m_song.hasPreviousStanza());
    enable(u"screenNext", m_song.hasNextScreen());
    enable(u"screenPrevious", m_song.hasPreviousScreen());
    enable(u"stanzaAdd", m_song.canAddStanza());
    enable(u"screenAdd", m_song.canAddScreen());
    enable(u"screenDuplicate", m_song.canAddScreen());
    enable(u"stanzaDelete", m_song.canDeleteStanza());
    enable(u"screenDelete", m_song.canDeleteScreen());
    updatePalette();
}

void SongEditorPage::refreshSequence(int select)
{
    m_sequence->showEntries(m_song.sequence(), select);
}

// --- stanza and screen commands ---

void SongEditorPage::previousStanza()
{
    step([this] { m_song.previousStanza(); });
}
void SongEditorPage::nextStanza()
{
    step([this] { m_song.nextStanza(); });
}
void SongEditorPage::previousScreen()
{
    step([this] { m_song.previousScreen(); });
}
void SongEditorPage::nextScreen()
{
    step([this] { m_song.nextScreen(); });
}

void SongEditorPage::addStanza()
{
    change(Txt::UndoSongLayout, [this] {
        if (m_song.stanzaCount() == 0)
            m_song.setNumber(std::max(0, m_workspace.library().findFreeNumber(ItemKind::Song)));
        SongEditing::addStanza(m_song);
    });
    showTitleAndNumber();
    refreshSequence();
}

void SongEditorPage::deleteStanza()
{
    change(Txt::UndoSongLayout, [this] { SongEditing::deleteCurrentStanza(m_song); });
    refreshSequence();
}

void SongEditorPage::addScreen()
{
    change(Txt::UndoSongLayout, [this] {
        if (m_song.canAddScreen())
            m_song.addScreenAfterCurrent();
    });
}

void SongEditorPage::deleteScreen()
{
    change(Txt::UndoSongLayout, [this] {
        if (m_song.canDeleteScreen())
            m_song.deleteCurrentScreen();
    });
    m_matrix->setReadOnly(false);
}

void SongEditorPage::clearScreen()
{
    m_cellBefore = cursorCell();
    m_matrix->clear();
    screenEdited(false);
}

void SongEditorPage::align(MatrixText::Alignment alignment)
{
    m_cellBefore = cursorCell();
    m_matrix->alignAll(alignment);
    screenEdited(false);
}

void SongEditorPage::paste()
{
    m_cellBefore = cursorCell();
    m_breakTyping = true;
    m_matrix->paste();
    m_breakTyping = false;
}

void SongEditorPage::duplicateScreen()
{
    if (!m_song.canAddScreen())
        return;
    change(Txt::UndoSongLayout, [this] {
        const QString text = m_song.currentScreenText();
        m_song.addScreenAfterCurrent();
        m_song.setCurrentScreenText(text);
    });
}

void SongEditorPage::setRefrain(bool on)
{
    change(Txt::UndoSongLayout, [this, on] {
        if (!on) {
            m_song.removeRefrain();
        } else if (m_song.refrainIndex() == 0) {
            m_song.makeCurrentStanzaRefrain();
        } else if (!m_song.isCurrentStanzaRefrain()) {
            const QString question =
                Lang::text(Txt::MoveRefrainQuestion).arg(m_song.refrainIndex()).arg(m_song.currentStanza() + 1);
            if (questionBox(this, question) == QMessageBox::Yes)
                m_song.makeCurrentStanzaRefrain();
        }
    });
    refreshSequence();
}

void SongEditorPage::checkNumber()
{
    if (isSlide()) {
        infoBox(this, Lang::text(Txt::SlideNoNumberMap));
        return;
    }
    SongNumberDialog dialog(m_song.number(), m_workspace.library().numbers(ItemKind::Song), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    change(Txt::UndoTitleNumber, [this, &dialog] { m_song.setNumber(dialog.number()); });
    m_number->setText(QString::number(dialog.number()));
}

void SongEditorPage::toggleGrid()
{
    QAbstractButton *grid = button(u"grid"_qs);
    grid->setChecked(!grid->isChecked());
    m_matrix->setGridVisible(grid->isChecked());
}

void SongEditorPage::showPalette()
{
    if (!m_palette || !button(u"palette"_qs)->isEnabled())
        return;
    updatePalette();
    m_palette->showPalette();
}

void SongEditorPage::openStructure()
{
    storeScreen();
    SongStructureDialog dialog(m_song, this, this);
    dialog.exec();
}

void SongEditorPage::timeToMusic()
{
    if (!m_musicTiming)
        return;
    // The times recorded in one session are one command.
    bool timed = false;
    change(Txt::UndoSongLayout, [this, &timed] { timed = m_musicTiming(this, m_song); });
    // The current screen's time may have changed.
    if (timed)
        showCurrent();
}

void SongEditorPage::importText()
{
    storeScreen();
    // The dialog's import is one command; the dialog itself moves to the first screen.
    bool imported = false;
    change(Txt::UndoSongLayout, [this, &imported] { imported = TextImportDialog::importInto(*this, this); });
    if (imported)
        refreshSequence();
}

// --- the sequence list ---

void SongEditorPage::insertStanzaEntry(int row)
{
    change(Txt::UndoSongLayout, [this, row] { SongEditing::insertEntry(m_song, row, m_song.currentStanza() + 1); });
    refreshSequence(row < 0 ? int(m_song.sequence().size()) - 1 : row + 1);
}

void SongEditorPage::insertRefrainEntry(int row)
{
    change(Txt::UndoSongLayout, [this, row] { SongEditing::insertEntry(m_song, row, RefrainMarker); });
    refreshSequence(row < 0 ? int(m_song.sequence().size()) - 1 : row + 1);
}

void SongEditorPage::deleteEntry(int row)
{
    change(Txt::UndoSongLayout, [this, row] { SongEditing::removeEntry(m_song, row); });
    refreshSequence();
}

void SongEditorPage::moveEntry(int from, int to)
{
    change(Txt::UndoSongLayout, [this, from, to] { SongEditing::moveEntry(m_song, from, to); });
    refreshSequence(to);
}

void SongEditorPage::selectEntry(int row)
{
    if (row < 0 || row >= m_song.sequence().size())
        return;
    const int stanza = m_song.stanzaOfEntry(m_song.sequence().at(row));
    if (stanza < 0)
        return;
    step([this, stanza] { m_song.setCursor(stanza, 0); });
}
