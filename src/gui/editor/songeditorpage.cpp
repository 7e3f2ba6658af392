// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/songeditorpage.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/app/workspace.h"
#include "core/editor/songsaving.h"
#include "gui/app/commandregistry.h"
#include "gui/app/dialogtext.h"
#include "gui/app/icons.h"
#include "gui/app/statusmessage.h"
#include "gui/editor/characterpalette.h"
#include "gui/editor/ledmatrix.h"
#include "gui/editor/sequencelist.h"
#include "gui/editor/songeditorform.h"
#include "gui/editor/titleedit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
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

} // namespace

SongEditorPage::SongEditorPage(Workspace &workspace, CommandRegistry *commands, CharacterPalette *palette,
                               QWidget *parent)
    : QWidget(parent), m_workspace(workspace), m_commands(commands), m_palette(palette), m_undo(new QUndoStack(this))
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
    wireWorkspace();
    if (m_commands)
        wireCommands(*m_commands);
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
    // After a button's command the typing goes on in the matrix, where the command left the cursor.
    const auto on = [this](const char16_t *name, auto slot) {
        connect(button(QString::fromUtf16(name)), &QAbstractButton::clicked, this, [this, slot] {
            slot();
            focusMatrix();
        });
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
    connect(m_form->refrainBox(), &QCheckBox::clicked, this, [this](bool on) {
        setRefrain(on);
        focusMatrix();
    });
    connect(m_number, &QLineEdit::textEdited, this, [this](const QString &text) {
        change(
            Txt::UndoTitleNumber, [this, &text] { m_song.setNumber(SongSaving::parseNumber(text)); }, Cmd_Number);
    });
    connect(m_title, &QLineEdit::textEdited, this, [this](const QString &text) {
        change(
            Txt::UndoTitleNumber, [this, &text] { m_song.setTitle(text); }, Cmd_Title);
        emit documentChanged();
        // A longer title read from a file may be shortened, never lengthened.
        m_title->setMaxLength(std::max<int>(SongSaving::kMaxTitleLength, int(text.size())));
    });
    connect(m_matrix, &LedMatrix::characterTyped, this, [this] { m_cellBefore = cursorCell(); });
    connect(m_matrix, &LedMatrix::characterRefused, this,
            [this](QChar c) { StatusMessage::show(this, Lang::text(Txt::LetterNotOnBoard).arg(c)); });
    connect(m_matrix, &LedMatrix::textEdited, this, [this] { screenEdited(!std::exchange(m_breakTyping, false)); });
    connect(m_matrix, &LedMatrix::doubleClicked, this, [this] {
        if (!isSlide())
            addStanza();
    });
    connect(m_matrix, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (std::unique_ptr<QMenu> menu{createMatrixMenu()})
            menu->exec(m_matrix->mapToGlobal(pos));
        focusMatrix();
    });
    connect(m_sequence, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        std::unique_ptr<QMenu> menu{createSequenceMenu()};
        menu->exec(m_sequence->viewport()->mapToGlobal(pos));
        focusMatrix();
    });
    connect(m_sequence, &SequenceList::entryClicked, this, [this](int row) {
        selectEntry(row);
        focusMatrix();
    });
    connect(m_sequence, &SequenceList::entryDropped, this, [this](int from, int to) {
        moveEntry(from, to);
        focusMatrix();
    });
    connect(m_undo, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
    // An undo may take the title back, a save changes the name.
    connect(m_undo, &QUndoStack::indexChanged, this, &SongEditorPage::updateHeading);
    connect(m_undo, &QUndoStack::cleanChanged, this, &SongEditorPage::updateHeading);
    connect(this, &SongEditorPage::documentChanged, this, &SongEditorPage::updateHeading);
}

void SongEditorPage::updateHeading()
{
    const QString name = documentName();
    QLabel *heading = m_form->heading();
    const bool modified = isModified();
    heading->setText((name.isEmpty() ? Lang::text(Txt::NewSongTip) : name) + (modified ? u" *"_qs : QString()));
    heading->setToolTip(modified ? Lang::text(Txt::UnsavedChangesTip) : QString());
}

void SongEditorPage::showPage()
{
    if (auto *stack = qobject_cast<QStackedWidget *>(parentWidget()))
        stack->setCurrentWidget(this);
}

void SongEditorPage::showSong(const QString &path, int stanza, int screen, int line)
{
    showPage();
    if (stanza >= 0)
        openSongAt(path, stanza, screen, line);
    else
        openSong(path);
    // A save asked for on the way leaves the tree on the saved song, a cancel on the one not
    // opened: the tree comes back to the song the editor shows.
    if (m_song.kind() != SongKind::NewSong)
        m_workspace.showFile(m_song.path(), isSlide());
}

void SongEditorPage::wireWorkspace()
{
    connect(&m_workspace, &Workspace::songOpenRequested, this, &SongEditorPage::showSong);
    connect(&m_workspace, &Workspace::songMoved, this, &SongEditorPage::fileMoved);
    connect(&m_workspace, &Workspace::fileDeleted, this, &SongEditorPage::fileDeleted);
    // A new song begun before the card was read takes the card's first free number.
    connect(&m_workspace, &Workspace::libraryShown, this, [this] {
        if (m_song.kind() == SongKind::NewSong && m_song.number() == 0 && m_undo->count() == 0) {
            const int free = std::max(0, m_workspace.library().findFreeNumber(ItemKind::Song));
            m_song.setNumber(free);
            m_number->setText(free > 0 ? QString::number(free) : QString());
        }
    });
}

void SongEditorPage::wireCommands(CommandRegistry &commands)
{
    commands.handle(Command::TextEditor, this, &SongEditorPage::showPage);
    commands.handle(Command::CloseSong, this, &SongEditorPage::closeSong,
                    [this] { return m_workspace.hasCard() && isCurrentPage(); });
    commands.handle(
        Command::NewSong, this,
        [this] {
            showPage();
            newSong();
        },
        [this] { return m_workspace.hasCard(); });
    // Each page that has a history of its own takes the entries while it is the current one.
    // Never while a dialog of the page (the text import, a question) is open over an edit.
    // An undo typed in the title or number field leaves the focus there; from anywhere else the
    // typing goes on in the matrix.
    const auto history = [this](bool undo) {
        if (!isCurrentPage() || QApplication::activeModalWidget())
            return;
        if (undo)
            m_undo->undo();
        else
            m_undo->redo();
        QWidget *focus = QApplication::focusWidget();
        if (focus != m_title && focus != m_number)
            focusMatrix();
    };
    connect(commands.action(Command::Undo), &QAction::triggered, this, [history] { history(true); });
    connect(commands.action(Command::Redo), &QAction::triggered, this, [history] { history(false); });
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
    if (!m_commands)
        return;
    const bool current = isCurrentPage();
    const auto show = [current](QAction *action, bool can, int textId, int emptyId, const QString &what) {
        action->setEnabled(current && can);
        action->setText(current && can ? Lang::text(textId).arg(what) : Lang::text(emptyId));
    };
    show(m_commands->action(Command::Undo), m_undo->canUndo(), Txt::UndoWhat, Txt::MenuUndo, m_undo->undoText());
    show(m_commands->action(Command::Redo), m_undo->canRedo(), Txt::RedoWhat, Txt::MenuRedo, m_undo->redoText());
}

void SongEditorPage::focusMatrix()
{
    if (!m_matrix->isReadOnly() && isVisible())
        m_matrix->setFocus(Qt::OtherFocusReason);
}

QString SongEditorPage::stanzaCounter() const
{
    return m_form->stanzaCounter()->text();
}

QString SongEditorPage::screenCounter() const
{
    return m_form->screenCounter()->text();
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

void SongEditorPage::setBoardSize(int columns, int rows)
{
    m_matrix->setActiveArea(columns, rows);
}

// --- keys ---

bool SongEditorPage::layoutKey(const QKeyEvent &key, bool run)
{
    if (isSlide() || m_matrix->isReadOnly())
        return false;
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    std::function<void()> command;
    if (isEnter(key.key()) && modifiers == Qt::ControlModifier)
        command = [this] { addScreen(); };
    else if (isEnter(key.key()) && modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        command = [this] { addStanza(); };
    else if (key.key() == Qt::Key_R && modifiers == Qt::ControlModifier)
        command = [this] { setRefrain(!m_song.isCurrentStanzaRefrain()); };
    if (command && run)
        command();
    return bool(command);
}

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
    if (watched == m_matrix && layoutKey(*key, event->type() == QEvent::KeyPress)) {
        event->accept(); // a ShortcutOverride accepted keeps the key from the window's shortcuts
        return true;
    }
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
