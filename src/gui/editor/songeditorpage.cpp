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

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolButton>
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

QString counterText(int current, int total)
{
    return QStringLiteral("%1/%2").arg(current).arg(total);
}

} // namespace

SongEditorPage::SongEditorPage(LibraryPanel *panel, MainWindow *frame, QWidget *parent)
    : QWidget(parent), m_panel(panel), m_frame(frame)
{
    setObjectName(QStringLiteral("SongEditorPage"));
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("editorScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(buildForm());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

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
    wirePanel(frame);
    startNewSong();
}

QToolButton *SongEditorPage::iconButton(const QString &name, const QIcon &icon, int tipId)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    if (tipId)
        button->setToolTip(Lang::text(tipId));
    m_buttons.insert(name, button);
    return button;
}

QPushButton *SongEditorPage::textButton(const QString &name, int textId, int tipId)
{
    auto *button = new QPushButton(Lang::text(textId));
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setToolTip(Lang::text(tipId));
    m_buttons.insert(name, button);
    return button;
}

QWidget *SongEditorPage::buildForm()
{
    auto *form = new QWidget;
    form->setObjectName(QStringLiteral("editorForm"));
    setControlText(this, Txt::EditorCaption);

    m_number = new QLineEdit(form);
    m_number->setObjectName(QStringLiteral("songNumber"));
    m_number->setAlignment(Qt::AlignCenter);
    m_number->setMaxLength(4);
    m_number->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), m_number));
    m_number->setFixedWidth(60);
    m_title = new TitleEdit(form);
    m_title->setObjectName(QStringLiteral("songTitle"));
    m_title->setMaxLength(SongSaving::kMaxTitleLength);
    m_matrix = new LedMatrix(form);
    m_stanzaCounter = new QLineEdit(form);
    m_stanzaCounter->setObjectName(QStringLiteral("stanzaCounter"));
    m_screenCounter = new QLineEdit(form);
    m_screenCounter->setObjectName(QStringLiteral("screenCounter"));
    for (QLineEdit *counter : {m_stanzaCounter, m_screenCounter}) {
        counter->setReadOnly(true);
        counter->setFocusPolicy(Qt::NoFocus);
        counter->setAlignment(Qt::AlignCenter);
        counter->setFixedWidth(56);
    }
    m_refrain = new QCheckBox(Lang::text(Txt::RefrainBox), form);
    m_refrain->setObjectName(QStringLiteral("refrainBox"));
    m_refrain->setToolTip(Lang::text(Txt::RefrainTip));
    m_sequence = new SequenceList(form);
    m_sequence->setToolTip(Lang::text(Txt::SequenceTip));
    m_sequence->setFixedWidth(150);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(Lang::text(Txt::NumberLabel), form));
    top->addWidget(m_number);
    QPushButton *check = textButton(QStringLiteral("checkNumber"), Txt::CheckNumberButton, Txt::CheckNumberTip);
    top->addWidget(check);
    top->addSpacing(16);
    top->addWidget(new QLabel(Lang::text(Txt::TitleLabel), form));
    top->addWidget(m_title, 1);

    // The stanza and screen groups: "<<" counter ">>", then their commands.
    const auto navigator = [this, form](int titleId, const QString &prefix, QLineEdit *counter, int previousTip,
                                        int nextTip) {
        auto *box = new QGroupBox(Lang::text(titleId), form);
        auto *grid = new QGridLayout(box);
        auto *row = new QHBoxLayout;
        row->addWidget(iconButton(prefix + u"Previous", Icons::icon(Icons::Icon::Previous), previousTip));
        row->addWidget(counter);
        row->addWidget(iconButton(prefix + u"Next", Icons::icon(Icons::Icon::Next), nextTip));
        row->addStretch();
        grid->addLayout(row, 0, 0, 1, 2);
        return grid;
    };
    QGridLayout *stanzaGrid = navigator(Txt::StanzaLabel, QStringLiteral("stanza"), m_stanzaCounter,
                                        Txt::PreviousStanzaTip, Txt::NextStanzaTip);
    stanzaGrid->addWidget(m_refrain, 1, 0, 1, 2);
    stanzaGrid->addWidget(textButton(QStringLiteral("stanzaAdd"), Txt::AddButton, Txt::AddStanzaTip), 2, 0);
    stanzaGrid->addWidget(textButton(QStringLiteral("stanzaDelete"), Txt::DeleteButton, Txt::DeleteStanzaTip), 2, 1);
    QGridLayout *screenGrid = navigator(Txt::ScreenLabel, QStringLiteral("screen"), m_screenCounter,
                                        Txt::PreviousScreenTip, Txt::NextScreenTip);
    screenGrid->addWidget(textButton(QStringLiteral("screenAdd"), Txt::AddButton, Txt::AddScreenTip), 1, 0);
    screenGrid->addWidget(textButton(QStringLiteral("screenDelete"), Txt::DeleteButton, Txt::DeleteScreenTip), 1, 1);
    screenGrid->addWidget(textButton(QStringLiteral("screenClear"), Txt::ClearButton, Txt::ClearScreenTip), 2, 0);
    screenGrid->addWidget(textButton(QStringLiteral("screenDuplicate"), Txt::DuplicateButton, Txt::DuplicateScreenTip),
                          2, 1);

    auto *tools = new QHBoxLayout;
    tools->setSpacing(2);
    using Icons::themedIcon;
    const struct { const char16_t *name; QIcon icon; int tip; } kTools[] = {
        {u"newSong", themedIcon(u"document-new"_qs, u"new.png"_qs), Txt::NewSongTip},
        {u"saveSong", Icons::icon(Icons::Icon::Save), Txt::SaveSongTip},
        {u"saveSlide", themedIcon(u"image-x-generic"_qs, u"slide.png"_qs), Txt::SaveSlideTip},
        {u"alignLeft", themedIcon(u"format-justify-left"_qs, u"align-left.png"_qs), Txt::AlignLeftTip},
        {u"alignCentre", themedIcon(u"format-justify-center"_qs, u"align-centre.png"_qs), Txt::AlignCentreTip},
        {u"alignRight", themedIcon(u"format-justify-right"_qs, u"align-right.png"_qs), Txt::AlignRightTip},
        {u"palette", themedIcon(u"accessories-character-map"_qs, u"palette.png"_qs), Txt::PaletteTip},
        {u"grid", themedIcon(u"view-grid"_qs, u"grid.png"_qs), Txt::GridTip},
        {u"structure", themedIcon(u"view-list-tree"_qs, u"structure.png"_qs), Txt::StructureTip},
        {u"musicTiming", themedIcon(u"audio-x-generic"_qs, u"music.png"_qs), 0},
    };
    for (const auto &tool : kTools)
        tools->addWidget(iconButton(QString::fromUtf16(tool.name), tool.icon, tool.tip));
    m_buttons.value(u"grid"_qs)->setCheckable(true);
    m_buttons.value(u"grid"_qs)->setChecked(true);
    // Music timing arrives with its own dialog.
    m_buttons.value(u"musicTiming"_qs)->setEnabled(false);
    tools->addStretch();

    auto *side = new QVBoxLayout;
    side->addWidget(stanzaGrid->parentWidget());
    side->addWidget(screenGrid->parentWidget());
    side->addWidget(m_sequence, 1);
    side->addWidget(textButton(QStringLiteral("import"), Txt::ImportButton, Txt::ImportTip));

    auto *middle = new QHBoxLayout;
    middle->addWidget(m_matrix, 0, Qt::AlignTop);
    middle->addLayout(side);
    middle->addStretch();

    auto *layout = new QVBoxLayout(form);
    layout->addLayout(top);
    layout->addLayout(tools);
    layout->addLayout(middle, 1);

    m_songOnly = {m_buttons.value(u"saveSong"_qs), m_buttons.value(u"stanzaPrevious"_qs),
                  m_buttons.value(u"stanzaNext"_qs), m_buttons.value(u"screenPrevious"_qs),
                  m_buttons.value(u"screenNext"_qs), m_buttons.value(u"stanzaAdd"_qs),
                  m_buttons.value(u"stanzaDelete"_qs), m_buttons.value(u"screenAdd"_qs),
                  m_buttons.value(u"screenDelete"_qs), m_buttons.value(u"screenDuplicate"_qs),
                  m_sequence, check, m_buttons.value(u"structure"_qs), m_refrain,
                  m_buttons.value(u"import"_qs)};

    const auto on = [this](const char16_t *name, auto slot) {
        connect(m_buttons.value(QString::fromUtf16(name)), &QAbstractButton::clicked, this, slot);
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
    on(u"alignLeft", [this] { m_matrix->alignAll(MatrixText::Alignment::Left); });
    on(u"alignCentre", [this] { m_matrix->alignAll(MatrixText::Alignment::Centre); });
    on(u"alignRight", [this] { m_matrix->alignAll(MatrixText::Alignment::Right); });
    on(u"palette", [this] { showPalette(); });
    on(u"grid", [this] { m_matrix->setGridVisible(m_buttons.value(u"grid"_qs)->isChecked()); });
    on(u"structure", [this] { openStructure(); });
    on(u"import", [this] { importText(); });
    connect(m_refrain, &QCheckBox::clicked, this, &SongEditorPage::setRefrain);
    connect(m_number, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_song.setNumber(SongSaving::parseNumber(text)); });
    connect(m_title, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_song.setTitle(text);
        // A longer title read from a file may be shortened, never lengthened.
        m_title->setMaxLength(std::max<int>(SongSaving::kMaxTitleLength, int(text.size())));
    });
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
    return form;
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
        if (m_song.kind() == SongKind::NewSong && m_song.number() == 0 && m_snapshot.number() == 0) {
            const int free = std::max(0, m_panel->library().findFreeNumber(ItemKind::Song));
            m_song.setNumber(free);
            m_snapshot.setNumber(free);
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

QString SongEditorPage::stanzaCounter() const
{
    return m_stanzaCounter->text();
}

QString SongEditorPage::screenCounter() const
{
    return m_screenCounter->text();
}

// --- the song as a whole ---

bool SongEditorPage::isModified()
{
    storeScreen();
    return !m_song.sameContent(m_snapshot) || m_song.number() != m_snapshot.number()
           || m_song.title() != m_snapshot.title();
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
    takeSnapshot();
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
    takeSnapshot();
    showSongFields();
    const bool cut = std::any_of(issues.begin(), issues.end(),
                                 [](const LoadIssue &issue) { return issue.code == IssueCode::LimitExceeded; });
    if (cut)
        warningBox(this, Lang::text(Txt::SongLimitWarning));
    return true;
}

void SongEditorPage::showSongFields()
{
    m_number->setText(m_song.number() > 0 ? QString::number(m_song.number()) : QString());
    m_title->setMaxLength(std::max<int>(SongSaving::kMaxTitleLength, int(m_song.title().size())));
    m_title->setText(m_song.title());
    AppCore *core = AppCore::instance();
    m_matrix->setBoardFont(core ? core->boardFont(int(m_song.charset())) : nullptr, Lang::text(Txt::MatrixEmptyState));
    m_matrix->setReadOnly(false);
    for (QWidget *control : std::as_const(m_songOnly))
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
    m_stanzaCounter->setText(counterText(m_song.currentStanza() + 1, m_song.stanzaCount()));
    m_screenCounter->setText(counterText(m_song.currentScreen() + 1, m_song.currentScreenCount()));
    m_refrain->setChecked(m_song.isCurrentStanzaRefrain());
    const bool song = !isSlide();
    const auto enable = [this, song](const char16_t *name, bool on) {
        m_buttons.value(QString::fromUtf16(name))->setEnabled(song && on);
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
    m_buttons.value(u"palette"_qs)->setEnabled(latin);
    if (!m_frame || !m_frame->characterPalette())
        return;
    CharacterPalette *palette = m_frame->characterPalette();
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
    step([this] {
        if (m_song.stanzaCount() == 0 && m_panel)
            m_song.setNumber(std::max(0, m_panel->library().findFreeNumber(ItemKind::Song)));
        SongEditing::addStanza(m_song);
    });
    refreshSequence();
}

void SongEditorPage::deleteStanza()
{
    step([this] { SongEditing::deleteCurrentStanza(m_song); });
    refreshSequence();
}

void SongEditorPage::addScreen()
{
    step([this] {
        if (m_song.canAddScreen())
            m_song.addScreenAfterCurrent();
    });
}

void SongEditorPage::deleteScreen()
{
    step([this] {
        if (m_song.canDeleteScreen())
            m_song.deleteCurrentScreen();
    });
    m_matrix->setReadOnly(false);
}

void SongEditorPage::clearScreen()
{
    m_matrix->clear();
}

void SongEditorPage::duplicateScreen()
{
    if (!m_song.canAddScreen())
        return;
    storeScreen();
    const QString text = m_matrix->text();
    m_song.addScreenAfterCurrent();
    m_song.setCurrentScreenText(text);
    showCurrent();
}

void SongEditorPage::setRefrain(bool on)
{
    storeScreen();
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
    refreshCounters();
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
    m_song.setNumber(dialog.number());
    m_number->setText(QString::number(dialog.number()));
}

void SongEditorPage::toggleGrid()
{
    QAbstractButton *grid = m_buttons.value(u"grid"_qs);
    grid->setChecked(!grid->isChecked());
    m_matrix->setGridVisible(grid->isChecked());
}

void SongEditorPage::showPalette()
{
    if (!m_frame || !m_buttons.value(u"palette"_qs)->isEnabled())
        return;
    updatePalette();
    m_frame->characterPalette()->showPalette();
}

void SongEditorPage::openStructure()
{
    storeScreen();
    SongStructureDialog dialog(m_song, this, this);
    dialog.exec();
}

void SongEditorPage::importText()
{
    storeScreen();
    if (TextImportDialog::importInto(*this, this)) {
        showCurrent();
        refreshSequence();
    }
}

// --- the sequence list ---

void SongEditorPage::insertStanzaEntry(int row)
{
    SongEditing::insertEntry(m_song, row, m_song.currentStanza() + 1);
    refreshSequence(row < 0 ? int(m_song.sequence().size()) - 1 : row + 1);
}

void SongEditorPage::insertRefrainEntry(int row)
{
    SongEditing::insertEntry(m_song, row, RefrainMarker);
    refreshSequence(row < 0 ? int(m_song.sequence().size()) - 1 : row + 1);
}

void SongEditorPage::deleteEntry(int row)
{
    SongEditing::removeEntry(m_song, row);
    refreshSequence();
}

void SongEditorPage::moveEntry(int from, int to)
{
    SongEditing::moveEntry(m_song, from, to);
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
        m_song.setAlternatingSequence();
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
        m_song.setDefaultSequence();
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
            action->setEnabled(m_buttons.value(QString::fromUtf16(button))->isEnabled());
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
    add(menu, Txt::MenuAlignLeft, u"alignLeft", [this] { m_matrix->alignAll(MatrixText::Alignment::Left); });
    add(menu, Txt::MenuAlignCentre, u"alignCentre", [this] { m_matrix->alignAll(MatrixText::Alignment::Centre); });
    add(menu, Txt::MenuAlignRight, u"alignRight", [this] { m_matrix->alignAll(MatrixText::Alignment::Right); });
    menu->addSeparator();
    add(menu, Txt::MenuMatrixCopy, nullptr, [this] { m_matrix->copySelection(); })->setEnabled(m_matrix->hasSelection());
    add(menu, Txt::MenuMatrixPaste, nullptr, [this] { m_matrix->paste(); })
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
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = SongSaving::execute(song, plan, &error);
    QApplication::restoreOverrideCursor();
    if (!written) {
        errorBox(this, Lang::text(Txt::SaveFailed) + u'\n' + QDir::toNativeSeparators(plan.target)
                           + (error.isEmpty() ? QString() : u'\n' + error));
        return false;
    }
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
    takeSnapshot();
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
        m_song = slide;
        takeSnapshot();
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
    m_panel->refreshLibrary(false, key);
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
    for (QWidget *control : std::as_const(m_songOnly))
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
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
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
        m_matrix->alignAll(MatrixText::Alignment::Centre);
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
