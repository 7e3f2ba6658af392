// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/songeditorpage.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/editor/songediting.h"
#include "core/editor/songsaving.h"
#include "core/library/librarynaming.h"
#include "core/model/songfile.h"
#include "gui/app/dialogtext.h"
#include "gui/app/icons.h"
#include "gui/app/messageboxes.h"
#include "gui/editor/characterpalette.h"
#include "gui/editor/ledmatrix.h"
#include "gui/editor/sequencelist.h"
#include "gui/editor/songeditorform.h"
#include "gui/editor/slidenumberdialog.h"
#include "gui/editor/songnumberdialog.h"
#include "gui/editor/songstructuredialog.h"
#include "gui/editor/textimportdialog.h"
#include "gui/editor/titleedit.h"
#include "gui/library/libraryactions.h"
#include "gui/library/librarypanel.h"
#include "gui/library/librarytree.h"
#include "gui/library/targetgroupdialog.h"
#include "gui/main/mainwindow.h"
#include "gui/music/musictiming.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QStackedWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The keys the page answers before its controls see them.
bool isPageKey(int key)
{
    return key == Qt::Key_Escape || isEnter(key) || key == Qt::Key_F2 || key == Qt::Key_F3 || key == Qt::Key_F5;
}

bool isUndoKey(const QKeyEvent &key)
{
    return key.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Z);
}

bool isRedoKey(const QKeyEvent &key)
{
    return key.keyCombination() == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)
           || key.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

QString counterText(int current, int total)
{
    return QStringLiteral("%1/%2").arg(current).arg(total);
}

} // namespace

SongEditorPage::SongEditorPage(LibraryPanel *panel, MainWindow *frame, QWidget *parent)
    : QWidget(parent), m_panel(panel), m_frame(frame), m_palette(frame ? frame->characterPalette() : nullptr),
      m_undo(new QUndoStack(this))
{
    setObjectName(QStringLiteral("SongEditorPage"));
    setControlText(this, Txt::EditorCaption);
    m_undo->setUndoLimit(kUndoLimit);
    m_form = new SongEditorForm;
    m_matrix = m_form->matrix();
    m_number = m_form->numberEdit();
    m_title = m_form->titleEdit();
    m_sequence = m_form->sequenceList();
    m_title->setUndoStack(m_undo);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("editorScroll"));
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidget(m_form);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);

    AppCore *core = AppCore::instance();
    m_matrix->setBoardFont(core ? core->boardFont(core->settings().charset()) : nullptr,
                           Lang::text(Txt::MatrixEmptyState));
    m_matrix->clear();
    m_matrix->setReadOnly(true);
    if (core)
        setBoardSize(core->settings().maxX(), core->settings().maxY());

    // The page's keys reach it from every one of its controls, never from elsewhere in the window.
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    wireForm();
    wirePanel(frame);
    wireEditMenu(frame);
    startNewSong();
}

SongEditorPage::~SongEditorPage()
{
    // The stack, deleted with the page's children, reports itself cleared: by then the window's
    // menu may be gone.
    m_undo->disconnect(this);
}

QAbstractButton *SongEditorPage::button(const QString &name) const
{
    return m_form->button(name);
}

void SongEditorPage::wireForm()
{
    const auto on = [this](const char16_t *name, auto slot) {
        connect(button(QString::fromUtf16(name)), &QAbstractButton::clicked, this, slot);
    };
    on(u"checkNumber", [this] { checkNumber(); });
    on(u"stanzaPrevious", [this] { previousStanza(); });
    on(u"stanzaNext", [this] { nextStanza(); });
    on(u"screenPrevious", [this] { previousScreen(); });
    on(u"screenNext", [this] { nextScreen(); });
    on(u"stanzaAdd", [this] { addStanza(); });
    on(u"stanzaDelete", [this] { deleteStanza(); });
    on(u"screenAdd", [this] { addScreen(); });
    on(u"screenDelete", [this] { deleteScreen(); });
    on(u"screenClear", [this] { clearScreen(); });
    on(u"screenDuplicate", [this] { duplicateScreen(); });
    on(u"newSong", [this] { newSong(); });
    on(u"saveSong", [this] { save(); });
    on(u"saveSlide", [this] { saveAsSlide(); });
    on(u"alignLeft", [this] { align(MatrixText::Alignment::Left); });
    on(u"alignCentre", [this] { align(MatrixText::Alignment::Centre); });
    on(u"alignRight", [this] { align(MatrixText::Alignment::Right); });
    on(u"palette", [this] { showPalette(); });
    on(u"grid", [this] { m_matrix->setGridVisible(button(u"grid"_qs)->isChecked()); });
    on(u"structure", [this] { openStructure(); });
    on(u"import", [this] { importText(); });
    on(u"musicTiming", [this] { timeToMusic(); });
    connect(m_form->refrainBox(), &QCheckBox::clicked, this, &SongEditorPage::setRefrain);
    connect(m_number, &QLineEdit::textEdited, this, [this](const QString &text) {
        change(Txt::UndoTitleNumber, [this, &text] { m_song.setNumber(SongSaving::parseNumber(text)); }, Cmd_Number);
    });
    connect(m_title, &QLineEdit::textEdited, this, [this](const QString &text) {
        change(Txt::UndoTitleNumber, [this, &text] { m_song.setTitle(text); }, Cmd_Title);
        // A longer title read from a file may be shortened, never lengthened.
        m_title->setMaxLength(std::max<int>(SongSaving::kMaxTitleLength, int(text.size())));
    });
    connect(m_matrix, &LedMatrix::characterTyped, this, [this] { m_cellBefore = cursorCell(); });
    connect(m_matrix, &LedMatrix::textEdited, this, [this] { screenEdited(!std::exchange(m_breakTyping, false)); });
    connect(m_matrix, &LedMatrix::doubleClicked, this, [this] {
        if (!isSlide())
            addStanza();
    });
    connect(m_matrix, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (std::unique_ptr<QMenu> menu{createMatrixMenu()})
            menu->exec(m_matrix->mapToGlobal(pos));
    });
    connect(m_sequence, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        std::unique_ptr<QMenu> menu{createSequenceMenu()};
        menu->exec(m_sequence->viewport()->mapToGlobal(pos));
    });
    connect(m_sequence, &SequenceList::entryClicked, this, &SongEditorPage::selectEntry);
    connect(m_sequence, &SequenceList::entryDropped, this, &SongEditorPage::moveEntry);
    connect(m_undo, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (m_frame)
            m_frame->setWindowModified(!clean);
    });
}

void SongEditorPage::wirePanel(MainWindow *frame)
{
    if (!m_panel)
        return;
    const auto showMe = [this] {
        if (auto *stack = qobject_cast<QStackedWidget *>(parentWidget()))
            stack->setCurrentWidget(this);
    };
    LibraryActions *actions = m_panel->actions();
    connect(actions, &LibraryActions::openSongRequested, this, [this, showMe](const LibraryItemInfo &item) {
        showMe();
        openSong(item.fullPath);
    });
    connect(actions, &LibraryActions::songMoved, this, &SongEditorPage::fileMoved);
    connect(actions, &LibraryActions::fileDeleted, this, &SongEditorPage::fileDeleted);
    // A new song begun before the card was read takes the card's first free number.
    connect(m_panel, &LibraryPanel::treeRebuilt, this, [this] {
        if (m_song.kind() == SongKind::NewSong && m_song.number() == 0 && m_undo->count() == 0) {
            const int free = std::max(0, m_panel->library().findFreeNumber(ItemKind::Song));
            m_song.setNumber(free);
            m_number->setText(free > 0 ? QString::number(free) : QString());
        }
    });
    if (!frame)
        return;
    connect(frame, &MainWindow::matrixSizeChanged, this, &SongEditorPage::setBoardSize);
    if (QAction *action = frame->action(Command::TextEditor)) {
        connect(action, &QAction::triggered, this, showMe);
        action->setEnabled(true);
    }
    if (QAction *action = frame->action(Command::NewSong)) {
        connect(action, &QAction::triggered, this, [this, showMe] {
            showMe();
            newSong();
        });
    }
    frame->addCloseGuard([this] { return offerSave(Txt::CloseQuestion, Txt::CloseQuestionCaption); });
}

void SongEditorPage::wireEditMenu(MainWindow *frame)
{
    if (!frame)
        return;
    QAction *undo = frame->action(Command::Undo);
    QAction *redo = frame->action(Command::Redo);
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // Each page that has a history of its own takes the entries while it is the current one.
    // Never while a dialog of the page (the text import, a question) is open over an edit.
    connect(undo, &QAction::triggered, this, [this] {
        if (isCurrentPage() && !QApplication::activeModalWidget())
            m_undo->undo();
    });
    connect(redo, &QAction::triggered, this, [this] {
        if (isCurrentPage() && !QApplication::activeModalWidget())
            m_undo->redo();
    });
    for (auto signal : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged})
        connect(m_undo, signal, this, &SongEditorPage::updateEditMenu);
    for (auto signal : {&QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged})
        connect(m_undo, signal, this, &SongEditorPage::updateEditMenu);
    if (auto *pages = qobject_cast<QStackedWidget *>(parentWidget()))
        connect(pages, &QStackedWidget::currentChanged, this, &SongEditorPage::updateEditMenu);
    updateEditMenu();
}

bool SongEditorPage::isCurrentPage() const
{
    auto *pages = qobject_cast<QStackedWidget *>(parentWidget());
    return pages && pages->currentWidget() == this;
}

void SongEditorPage::updateEditMenu()
{
    if (!m_frame)
        return;
    const bool current = isCurrentPage();
    const auto show = [current](QAction *action, bool can, int textId, int emptyId, const QString &what) {
        action->setEnabled(current && can);
        action->setText(current && can ? Lang::text(textId).arg(what) : Lang::text(emptyId));
    };
    show(m_frame->action(Command::Undo), m_undo->canUndo(), Txt::UndoWhat, Txt::MenuUndo, m_undo->undoText());
    show(m_frame->action(Command::Redo), m_undo->canRedo(), Txt::RedoWhat, Txt::MenuRedo, m_undo->redoText());
}

QString SongEditorPage::stanzaCounter() const
{
    return m_form->stanzaCounter()->text();
}

QString SongEditorPage::screenCounter() const
{
    return m_form->screenCounter()->text();
}

// --- the song as a whole ---

bool SongEditorPage::isModified() const
{
    return !m_undo->isClean();
}

void SongEditorPage::resetHistory()
{
    m_undo->clear();
    m_cellBefore = 0;
    if (m_frame)
        m_frame->setWindowModified(false);
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
    const bool chosen = m_panel && !m_panel->root().isEmpty();
    song.setNumber(chosen ? std::max(0, m_panel->library().findFreeNumber(ItemKind::Song)) : 0);
    song.setCursor(0, 0);
    m_song = song;
    resetHistory();
    showSongFields();
    m_matrix->setFocus();
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
    m_matrix->setReadOnly(false);
    for (QWidget *control : m_form->songOnly())
        control->setEnabled(!isSlide());
    showCurrent();
    refreshSequence();
}

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
    edit.time = typingClock();
    edit.joinable = joinable;
    if (edit.after != edit.before)
        m_undo->push(new EditScreenText(*this, edit));
}

template <typename Change>
void SongEditorPage::change(int textId, Change edit, int mergeId)
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

template <typename Change>
void SongEditorPage::step(Change change)
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

void SongEditorPage::updatePalette()
{
    const bool latin = m_song.charset() == CharsetMode::Latin;
    button(u"palette"_qs)->setEnabled(latin);
    if (!m_palette)
        return;
    CharacterPalette *palette = m_palette;
    if (isVisible())
        palette->setTarget(m_matrix, latin && isEnabled() && !m_matrix->isReadOnly());
    else if (palette->target() == m_matrix)
        palette->setTarget(nullptr, false);
}

void SongEditorPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    updatePalette();
}

void SongEditorPage::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    updatePalette();
}

void SongEditorPage::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        updatePalette();
}

// --- stanza and screen commands ---

void SongEditorPage::previousStanza() { step([this] { m_song.previousStanza(); }); }
void SongEditorPage::nextStanza() { step([this] { m_song.nextStanza(); }); }
void SongEditorPage::previousScreen() { step([this] { m_song.previousScreen(); }); }
void SongEditorPage::nextScreen() { step([this] { m_song.nextScreen(); }); }

void SongEditorPage::addStanza()
{
    change(Txt::UndoSongLayout, [this] {
        if (m_song.stanzaCount() == 0 && m_panel)
            m_song.setNumber(std::max(0, m_panel->library().findFreeNumber(ItemKind::Song)));
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
            const QString question = Lang::text(Txt::MoveRefrainQuestion)
                                         .arg(m_song.refrainIndex())
                                         .arg(m_song.currentStanza() + 1);
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
    if (!m_panel)
        return;
    SongNumberDialog dialog(m_song.number(), m_panel->library().numbers(ItemKind::Song), this);
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
    // The times recorded in one session are one command.
    bool timed = false;
    change(Txt::UndoSongLayout, [this, &timed] { timed = openMusicTiming(this, m_song); });
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

QMenu *SongEditorPage::createSequenceMenu()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("sequenceMenu"));
    const int row = m_sequence->currentItem() && m_sequence->currentItem()->isSelected() ? m_sequence->currentRow() : -1;
    const auto add = [menu](const QString &text, const QString &name, auto slot, bool enabled) {
        QAction *action = menu->addAction(text, slot);
        action->setObjectName(name);
        action->setEnabled(enabled);
    };
    add(Lang::text(Txt::MenuInsertStanza), u"insertStanza"_qs, [this, row] { insertStanzaEntry(row); },
        !m_song.isCurrentStanzaRefrain());
    add(Lang::text(Txt::MenuInsertRefrain), u"insertRefrain"_qs, [this, row] { insertRefrainEntry(row); }, true);
    add(Lang::text(Txt::MenuAlternating), u"alternating"_qs, [this] {
        change(Txt::UndoSongLayout, [this] { m_song.setAlternatingSequence(); });
        refreshSequence();
    }, true);
    QString deleteText = Lang::text(Txt::MenuSequenceDelete);
    if (row >= 0) {
        const QString text = m_sequence->item(row)->text();
        deleteText = text == u"R" ? Lang::text(Txt::MenuDeleteRefrain)
                                  : Lang::text(Txt::MenuDeleteStanza) + u": " + text;
    }
    add(deleteText, u"deleteEntry"_qs, [this, row] { deleteEntry(row); }, row >= 0);
    add(Lang::text(Txt::MenuDefaultSequence), u"defaultSequence"_qs, [this] {
        change(Txt::UndoSongLayout, [this] { m_song.setDefaultSequence(); });
        refreshSequence();
    }, true);
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
    add(menu, Txt::MenuMatrixCopy, nullptr, [this] { m_matrix->copySelection(); })->setEnabled(m_matrix->hasSelection());
    add(menu, Txt::MenuMatrixPaste, nullptr, [this] { paste(); })
        ->setEnabled(!QApplication::clipboard()->text().isEmpty());
    return menu;
}

// --- saving ---

QString SongEditorPage::saveDirectory(ItemKind kind)
{
    const QString root = m_panel->root();
    if (kind == ItemKind::Slide) {
        const QString directory = LibraryNaming::slideDirectory(root);
        QDir().mkpath(directory);
        return directory;
    }
    if (m_song.kind() != SongKind::NewSong)
        return QFileInfo(m_song.path()).absolutePath();
    QStringList groups;
    for (const SongGroupFiles &group : std::as_const(m_panel->library().groups()))
        groups << group.name;
    TargetGroupDialog dialog(groups, QString(), root, this);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    if (dialog.groupCreated())
        m_panel->refreshLibrary(false);
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
    const QString previousPath = song.kind() == SongKind::NewSong ? QString() : song.path();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = SongSaving::execute(song, plan, &error);
    QApplication::restoreOverrideCursor();
    if (!written) {
        errorBox(this, Lang::text(Txt::SaveFailed) + u'\n' + QDir::toNativeSeparators(plan.target)
                           + (error.isEmpty() ? QString() : u'\n' + error));
        return false;
    }
    emit songWritten(previousPath, song);
    refreshLibraryShowing(song.path());
    return true;
}

bool SongEditorPage::save()
{
    storeScreen();
    m_song.setNumber(SongSaving::parseNumber(m_number->text()));
    m_song.setTitle(m_title->text());
    if (!m_panel || m_panel->root().isEmpty()) {
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
    const QString directory = saveDirectory(kind);
    if (directory.isEmpty())
        return false;
    if (!writeSong(m_song, kind, directory))
        return false;
    m_undo->setClean();
    showSongFields();
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
    if (!m_panel || m_panel->root().isEmpty()) {
        warningBox(this, Lang::text(Txt::NoCardNoSave));
        return false;
    }
    const LibraryNumberTable &slides = m_panel->library().numbers(ItemKind::Slide);
    const int number = isSlide() ? m_song.number() : std::max(0, m_panel->library().findFreeNumber(ItemKind::Slide));
    SlideNumberDialog dialog(number, title, slides, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
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
        showSongFields();
    }
    return true;
}

void SongEditorPage::refreshLibraryShowing(const QString &path)
{
    const QFileInfo file(path);
    const bool slide = m_song.kind() == SongKind::Slide || file.suffix() == u"ekr";
    const QString key = slide ? LibraryTree::keyFor(LibraryNodeKind::Slide, {}, file.completeBaseName())
                              : LibraryTree::keyFor(LibraryNodeKind::Song, QFileInfo(file.absolutePath()).fileName(),
                                                    file.completeBaseName());
    // The lyric index took the song from songWritten.
    m_panel->refreshLibrary(false, key, false);
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

void SongEditorPage::setBoardSize(int columns, int rows)
{
    m_matrix->setActiveArea(columns, rows);
}

// --- keys ---

bool SongEditorPage::eventFilter(QObject *watched, QEvent *event)
{
    const bool field = watched == m_title || watched == m_number;
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        m_form->fitWidth(m_scroll->viewport()->width());
    if (field && event->type() == QEvent::FocusIn)
        ++m_fieldRun;
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    // The fields' own undo would make a second history: their undo keys go to the song's stack
    // (an unaccepted ShortcutOverride lets the Edit menu's shortcut fire), never to the field.
    if (field && (isUndoKey(*key) || isRedoKey(*key)))
        return true;
    if (watched == m_matrix && event->type() == QEvent::KeyPress) {
        m_cellBefore = cursorCell();
        m_breakTyping = isEnter(key->key()) || key->matches(QKeySequence::Paste);
    }
    const bool inMatrix = watched == m_matrix;
    const bool modified = key->modifiers().testAnyFlags(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier
                                                          | Qt::MetaModifier);
    if (!isPageKey(key->key()) || modified || (inMatrix && isEnter(key->key())))
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        // The page's keys are its own while one of its controls has the focus.
        event->accept();
        return true;
    }
    switch (key->key()) {
    case Qt::Key_F2:
        toggleGrid();
        break;
    case Qt::Key_F3:
        showPalette();
        break;
    case Qt::Key_F5:
        align(MatrixText::Alignment::Centre);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (watched == m_title)
            m_matrix->setFocus();
        break;
    default: // Escape
        break;
    }
    return true;
}
