// SPDX-License-Identifier: GPL-3.0-or-later
// The song editor page's song as a whole: new, open, save (with its checks), and the tree's moves and deletions.
#include "gui/editor/songeditorpage.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/app/workspace.h"
#include "core/editor/songsaving.h"
#include "core/library/librarynaming.h"
#include "core/model/songfile.h"
#include "gui/app/commandregistry.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/app/statusmessage.h"
#include "gui/editor/ledmatrix.h"
#include "gui/editor/slidenumberdialog.h"
#include "gui/editor/songeditorform.h"
#include "gui/editor/songnumberdialog.h"
#include "gui/editor/titleedit.h"
#include "gui/widgets/numbermap.h"
#include "gui/widgets/targetgroupdialog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QUndoStack>

#include <algorithm>

// --- the song as a whole ---

bool SongEditorPage::isModified() const
{
    return !m_undo->isClean();
}

QString SongEditorPage::documentName() const
{
    if (!m_song.title().isEmpty())
        return m_song.title();
    return m_song.kind() == SongKind::NewSong ? QString() : QFileInfo(m_song.path()).completeBaseName();
}

void SongEditorPage::resetHistory()
{
    m_undo->clear();
    m_cellBefore = 0;
    emit modifiedChanged(false);
}

bool SongEditorPage::offerSave(int textId, int captionId)
{
    if (!isModified())
        return true;
    const auto answer = questionBox(this, Lang::text(textId), QMessageBox::Cancel, QMessageBox::Yes, captionId);
    if (answer == QMessageBox::Cancel)
        return false;
    return answer == QMessageBox::No || save();
}

void SongEditorPage::newSong()
{
    if (offerSave(Txt::SaveChangesQuestion, Txt::QuestionCaption))
        startNewSong();
}

void SongEditorPage::startNewSong()
{
    AppCore *core = AppCore::instance();
    Song song;
    song.setKind(SongKind::NewSong);
    song.setCharset(CharsetMode(core ? core->settings().charset() : 0));
    song.insertStanzaAfterCurrent();
    song.setDefaultSequence();
    const bool chosen = m_workspace.hasCard();
    song.setNumber(chosen ? std::max(0, m_workspace.library().findFreeNumber(ItemKind::Song)) : 0);
    song.setCursor(0, 0);
    m_song = song;
    resetHistory();
    showSongFields();
    m_matrix->setFocus();
}

void SongEditorPage::closeSong()
{
    if (!offerSave(Txt::SaveChangesQuestion, Txt::QuestionCaption))
        return;
    startNewSong();
    if (QAction *playlistPage = m_commands ? m_commands->action(Command::MenuPage) : nullptr)
        playlistPage->trigger();
}

bool SongEditorPage::openSong(const QString &path)
{
    return offerSave(Txt::SaveChangesQuestion, Txt::QuestionCaption) && loadSong(path);
}

bool SongEditorPage::openSongAt(const QString &path, int stanza, int screen, int line)
{
    if (!openSong(path))
        return false;
    showScreen(stanza, screen);
    m_matrix->setCursorPosition(0, line);
    return true;
}

bool SongEditorPage::loadSong(const QString &path)
{
    // Read into a song of its own: a file that fails leaves the open song as it was.
    Song loaded;
    IssueList issues;
    if (!SongFile::load(path, loaded, &issues)) {
        errorBox(this, Lang::text(Txt::SongLoadFailed) + u'\n' + QDir::toNativeSeparators(path));
        return false;
    }
    loaded.setCursor(0, 0);
    m_song = loaded;
    resetHistory();
    showSongFields();
    const bool cut = std::any_of(issues.begin(), issues.end(),
                                 [](const LoadIssue &issue) { return issue.code == IssueCode::LimitExceeded; });
    if (cut)
        warningBox(this, Lang::text(Txt::SongLimitWarning));
    return true;
}

void SongEditorPage::showTitleAndNumber()
{
    // setText emits no textEdited: nothing is pushed.
    if (SongSaving::parseNumber(m_number->text()) != m_song.number())
        m_number->setText(m_song.number() > 0 ? QString::number(m_song.number()) : QString());
    if (m_title->text() != m_song.title()) {
        m_title->setMaxLength(std::max<int>(SongSaving::kMaxTitleLength, int(m_song.title().size())));
        m_title->setText(m_song.title());
    }
}

void SongEditorPage::showSongFields()
{
    m_number->setText(m_song.number() > 0 ? QString::number(m_song.number()) : QString());
    m_title->setMaxLength(std::max<int>(SongSaving::kMaxTitleLength, int(m_song.title().size())));
    m_title->setText(m_song.title());
    AppCore *core = AppCore::instance();
    m_matrix->setBoardFont(core ? core->boardFont(int(m_song.charset())) : nullptr, Lang::text(Txt::MatrixEmptyState));
    m_matrix->setCharset(m_song.charset());
    m_matrix->setReadOnly(false);
    for (QWidget *control : m_form->songOnly())
        control->setEnabled(!isSlide());
    showCurrent();
    refreshSequence();
    emit documentChanged();
}

// --- saving ---

QString SongEditorPage::saveDirectory(ItemKind kind)
{
    const QString root = m_workspace.root();
    if (kind == ItemKind::Slide) {
        const QString directory = LibraryNaming::slideDirectory(root);
        QDir().mkpath(directory);
        return directory;
    }
    if (m_song.kind() != SongKind::NewSong)
        return QFileInfo(m_song.path()).absolutePath();
    QStringList groups;
    for (const SongGroupFiles &group : std::as_const(m_workspace.library().groups()))
        groups << group.name;
    // The group chosen in the tree is the likely one for a new song.
    TargetGroupDialog dialog(groups, m_workspace.currentGroup(), root, this);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    if (dialog.groupCreated())
        m_workspace.refresh(false);
    return chosen ? LibraryNaming::groupDirectory(root, dialog.group()) : QString();
}

bool SongEditorPage::writeSong(Song &song, ItemKind kind, const QString &directory)
{
    const SongSaving::Plan plan = SongSaving::plan(song, kind, directory, song.number(), song.title());
    if (plan.askReplace) {
        const QString question = Lang::text(Txt::ReplaceFileQuestion).arg(QDir::toNativeSeparators(plan.target));
        if (questionBox(this, question, {}, QMessageBox::No) != QMessageBox::Yes)
            return false;
    }
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = m_workspace.saveSong(song, plan, &error);
    QApplication::restoreOverrideCursor();
    if (!written) {
        errorBox(this,
                 Lang::text(Txt::SaveFailed) + u'\n' + QDir::toNativeSeparators(plan.target)
                     + (error.isEmpty() ? QString() : u'\n' + error));
        return false;
    }
    StatusMessage::showSaved(this, song.path());
    return true;
}

bool SongEditorPage::save()
{
    storeScreen();
    m_song.setNumber(SongSaving::parseNumber(m_number->text()));
    m_song.setTitle(m_title->text());
    if (!m_workspace.hasCard()) {
        warningBox(this, Lang::text(Txt::NoCardNoSave));
        return false;
    }
    const ItemKind kind = isSlide() ? ItemKind::Slide : ItemKind::Song;
    const QList<int> errors = SongSaving::saveErrors(m_song, kind, m_song.number(), m_song.title());
    if (!errors.isEmpty()) {
        QStringList texts;
        for (const int id : errors)
            texts << (id == Txt::TitleForbiddenCharacter ? forbiddenCharacterMessage(id) : Lang::text(id));
        warningBox(this, texts.join(u'\n'));
        return false;
    }
    switch (askTakenNumber(ItemKind::Song, m_song.number())) {
    case TakenNumber::Cancel:
        return false;
    case TakenNumber::ChooseFree: {
        const int free = std::max(0, m_workspace.library().findFreeNumber(ItemKind::Song));
        SongNumberDialog dialog(free, m_workspace.library().numbers(ItemKind::Song), this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        change(Txt::UndoTitleNumber, [this, &dialog] { m_song.setNumber(dialog.number()); });
        m_number->setText(QString::number(dialog.number()));
        break;
    }
    case TakenNumber::Keep:
        break;
    }
    const QString directory = saveDirectory(kind);
    if (directory.isEmpty())
        return false;
    if (!writeSong(m_song, kind, directory))
        return false;
    m_undo->setClean();
    // Typing goes on where it was before the save.
    const int cell = cursorCell();
    showSongFields();
    showCommandResult(cell, false);
    m_matrix->setFocus();
    return true;
}

bool SongEditorPage::saveAsSlide()
{
    storeScreen();
    const QString title = m_title->text();
    if (title.size() > SlideNumberDialog::kMaxTitleLength) {
        warningBox(this, Lang::text(Txt::SlideTitleTooLong));
        return false;
    }
    if (!m_workspace.hasCard()) {
        warningBox(this, Lang::text(Txt::NoCardNoSave));
        return false;
    }
    const LibraryNumberTable &slides = m_workspace.library().numbers(ItemKind::Slide);
    const int number = isSlide() ? m_song.number() : std::max(0, m_workspace.library().findFreeNumber(ItemKind::Slide));
    SlideNumberDialog dialog(number, title, slides, this);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return false;
        const TakenNumber answer = askTakenNumber(ItemKind::Slide, dialog.number());
        if (answer == TakenNumber::Cancel)
            return false;
        if (answer == TakenNumber::Keep)
            break;
        dialog.map()->setChosenNumber(std::max(0, m_workspace.library().findFreeNumber(ItemKind::Slide)));
    }
    // An open slide keeps its other screens; a song gives one screen, the shown one.
    Song slide;
    if (isSlide()) {
        slide = m_song;
    } else {
        slide.setKind(SongKind::Slide);
        slide.setCharset(m_song.charset());
        slide.insertStanzaAfterCurrent();
        slide.setCurrentScreenText(m_song.currentScreenText());
    }
    slide.setNumber(dialog.number());
    slide.setTitle(dialog.title());
    if (!writeSong(slide, ItemKind::Slide, saveDirectory(ItemKind::Slide)))
        return false;
    if (isSlide()) {
        // The new number and title are an edit of the slide, saved at once.
        change(Txt::UndoTitleNumber, [this, &slide] { m_song = slide; });
        m_undo->setClean();
        const int cell = cursorCell();
        showSongFields();
        showCommandResult(cell, false);
    }
    return true;
}

SongEditorPage::TakenNumber SongEditorPage::askTakenNumber(ItemKind kind, int number)
{
    const LibraryNumberTable &table = m_workspace.library().numbers(kind);
    if (!table.isUsed(number))
        return TakenNumber::Keep;
    // The open file keeps its own number.
    const bool sameKind = (kind == ItemKind::Slide) == isSlide();
    const QString holder = table.entry(number).fileName;
    if (sameKind && m_song.kind() != SongKind::NewSong && holder == QFileInfo(m_song.path()).completeBaseName())
        return TakenNumber::Keep;
    const QString text = Lang::text(Txt::NumberTakenQuestion).arg(number).arg(holder);
    const auto answer = choiceBox(this, text,
                                  {{QMessageBox::Save, Txt::SaveDuplicateButton},
                                   {QMessageBox::Retry, Txt::ChooseFreeNumberButton},
                                   {QMessageBox::Cancel, Txt::ButtonCancel}},
                                  QMessageBox::Retry);
    if (answer == QMessageBox::Save)
        return TakenNumber::Keep;
    return answer == QMessageBox::Retry ? TakenNumber::ChooseFree : TakenNumber::Cancel;
}

// --- the tree's changes ---

void SongEditorPage::fileMoved(const QString &from, const QString &to)
{
    if (m_song.kind() != SongKind::NewSong && m_song.path() == from)
        m_song.setPath(to);
}

void SongEditorPage::fileDeleted(const QString &path)
{
    if (m_song.kind() == SongKind::NewSong || m_song.path() != path)
        return;
    m_song.setKind(SongKind::NewSong);
    m_song.setPath(QString());
    // No state of the history matches a file any more.
    m_undo->resetClean();
    for (QWidget *control : m_form->songOnly())
        control->setEnabled(true);
    refreshCounters();
}
