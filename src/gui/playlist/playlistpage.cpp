// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/playlist/playlistpage.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/app/workspace.h"
#include "core/library/libraryplaylistresolver.h"
#include "core/library/librarynaming.h"
#include "core/model/charsetmode.h"
#include "core/model/itemname.h"
#include "core/model/song.h"
#include "gui/app/commandregistry.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/app/statusmessage.h"
#include "gui/playlist/insertsongdialog.h"
#include "gui/playlist/playlistview.h"
#include "gui/widgets/treeicons.h"
#include "gui/widgets/screenpreview.h"
#include "gui/widgets/themecolours.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace {

enum Column { PositionColumn, NumberColumn, TitleColumn, StanzaColumn };

const QColor kInvalid(128, 128, 128);
const QColor kSlide(128, 255, 128);
const QColor kNumber(255, 255, 128);
const QColor kTitle(200, 255, 255);
const QColor kRefrain(0, 255, 255);

QString stanzaText(const PlaylistEntry &entry)
{
    if (entry.isSlide())
        return {};
    const QString position = QString::number(entry.stanzaPosition());
    return entry.isRefrain() ? Lang::text(Txt::PlaylistRefrainStanza).arg(position) : position;
}

} // namespace

PlaylistPage::PlaylistPage(Workspace &workspace, CommandRegistry *commands, QWidget *parent)
    : QWidget(parent), m_workspace(workspace)
{
    setObjectName(QStringLiteral("PlaylistPage"));
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("playlistCaption"));
    m_number = new QLineEdit(this);
    m_number->setObjectName(QStringLiteral("playlistNumber"));
    m_number->setReadOnly(true);
    m_number->setAlignment(Qt::AlignCenter);
    m_number->setMaximumWidth(60);
    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("playlistTitle"));
    m_title->setMaxLength(LibraryNaming::kMaxPlaylistNameLength);
    m_save = new QPushButton(Lang::text(Txt::ButtonSave), this);
    m_save->setObjectName(QStringLiteral("saveButton"));
    m_previous = new QPushButton(style()->standardIcon(QStyle::SP_ArrowLeft), QString(), this);
    m_previous->setObjectName(QStringLiteral("previousScreen"));
    m_previous->setAccessibleName(Lang::text(Txt::PreviousScreenTip));
    m_next = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight), QString(), this);
    m_next->setObjectName(QStringLiteral("nextScreen"));
    m_next->setAccessibleName(Lang::text(Txt::NextScreenTip));
    m_counter = new QLabel(this);
    m_counter->setObjectName(QStringLiteral("screenCounter"));
    m_preview = new ScreenPreview(this);
    if (AppCore *core = AppCore::instance())
        m_preview->setBoardSize(core->settings().maxX(), core->settings().maxY());

    m_view = new PlaylistView(this);
    m_view->setAccessibleName(Lang::text(Txt::PlaylistCaption));
    m_view->setColumnCount(4);
    m_view->setHeaderLabels({Lang::text(Txt::PlaylistColumnPosition), Lang::text(Txt::PlaylistColumnNumber),
                             Lang::text(Txt::PlaylistColumnTitle), Lang::text(Txt::PlaylistColumnStanza)});
    const int widths[] = {52, 60, 200, 80};
    for (int column = 0; column < 4; ++column) {
        m_view->setColumnWidth(column, widths[column]);
        m_view->headerItem()->setTextAlignment(column, column == TitleColumn ? Qt::AlignLeft : Qt::AlignCenter);
    }

    auto *numberLabel = new QLabel(Lang::text(Txt::NumberLabel), this);
    auto *titleLabel = new QLabel(Lang::text(Txt::TitleLabel), this);
    numberLabel->setBuddy(m_number);
    titleLabel->setBuddy(m_title);
    auto *top = new QHBoxLayout;
    top->addWidget(numberLabel);
    top->addWidget(m_number);
    top->addSpacing(12);
    top->addWidget(titleLabel);
    top->addWidget(m_title, 1);
    top->addWidget(m_save);

    auto *navigation = new QHBoxLayout;
    navigation->addWidget(m_previous);
    navigation->addWidget(m_next);
    navigation->addWidget(m_counter, 1);
    auto *side = new QVBoxLayout;
    side->addLayout(navigation);
    side->addWidget(m_preview);
    side->addStretch();

    auto *body = new QHBoxLayout;
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(m_caption);
    listColumn->addWidget(m_view, 1);
    body->addLayout(listColumn, 1);
    body->addLayout(side);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body, 1);

    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_previous, &QPushButton::clicked, this, &PlaylistPage::previousScreen);
    connect(m_next, &QPushButton::clicked, this, &PlaylistPage::nextScreen);
    connect(m_title, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_playlist.setName(text);
        showPlaylistFacts();
    });
    connect(m_view, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        const int index = item ? m_view->indexOfTopLevelItem(item) : -1;
        if (index < 0)
            return;
        m_insertPosition = index + 1;
        m_view->setInsertPosition(m_insertPosition);
        previewEntry(index, 0);
    });
    connect(m_view, &PlaylistView::insertPositionChanged, this, [this](int position) { m_insertPosition = position; });
    connect(m_view, &PlaylistView::entryDropped, this, &PlaylistPage::moveDropped);
    connect(m_view, &PlaylistView::libraryItemDropped, this, &PlaylistPage::dropLibraryItem);
    connect(m_view, &PlaylistView::deleteRequested, this, &PlaylistPage::deleteSelected);
    connect(m_view, &PlaylistView::menuRequested, this, &PlaylistPage::showMenu);

    wireWorkspace();
    if (commands)
        wireCommands(*commands);
    m_playlist.clear();
    m_playlist.setNumber(0);
    showPlaylistFacts();
    resetPreview();
    refill(-1);
}

void PlaylistPage::showPage()
{
    if (auto *stack = qobject_cast<QStackedWidget *>(parentWidget()))
        stack->setCurrentWidget(this);
}

void PlaylistPage::wireWorkspace()
{
    connect(&m_workspace, &Workspace::playlistOpenRequested, this, [this](const QString &path) {
        showPage();
        openPlaylist(path);
    });
    connect(&m_workspace, &Workspace::addToPlaylistRequested, this, [this](const LibraryItemInfo &item) {
        showPage();
        addItem(item.fullPath, item.kind == LibraryNodeKind::Slide);
    });
    connect(&m_workspace, &Workspace::newPlaylistRequested, this, [this] {
        showPage();
        newPlaylist();
    });
    connect(&m_workspace, &Workspace::playlistRenamed, this, &PlaylistPage::playlistFileRenamed);
    connect(&m_workspace, &Workspace::fileDeleted, this, &PlaylistPage::fileDeleted);
    connect(&m_workspace, &Workspace::libraryShown, this, [this] {
        m_songs.clear();
        // A playlist not saved yet proposes the card's first free number as the card is now.
        if (m_filePath.isEmpty()) {
            m_playlist.setNumber(m_workspace.hasCard() ? m_workspace.library().findFreeNumber(ItemKind::Playlist) : 0);
            showPlaylistFacts();
        }
        refill(currentIndex());
    });
}

void PlaylistPage::wireCommands(CommandRegistry &commands)
{
    commands.handle(Command::MenuPage, this, &PlaylistPage::showPage);
    commands.handle(Command::NewPlaylist, &m_workspace, &Workspace::newPlaylist);
}

// --- the playlist as a whole ---

bool PlaylistPage::mayDiscard()
{
    if (!m_playlist.isDirty())
        return true;
    const auto answer = questionBox(this, Lang::text(Txt::PlaylistDiscardQuestion), QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    return answer == QMessageBox::Yes ? save() : true;
}

void PlaylistPage::newPlaylist()
{
    if (mayDiscard())
        startNewPlaylist();
}

void PlaylistPage::startNewPlaylist()
{
    m_filePath.clear();
    m_playlist.clear();
    m_songs.clear();
    const bool haveCard = m_workspace.hasCard();
    m_playlist.setNumber(haveCard ? m_workspace.library().findFreeNumber(ItemKind::Playlist) : 0);
    m_playlist.setName(QString());
    m_title->setEnabled(true);
    m_insertPosition = 0;
    showPlaylistFacts();
    resetPreview();
    refill(-1);
}

void PlaylistPage::openPlaylist(const QString &path)
{
    if (!mayDiscard())
        return;
    Playlist loaded;
    LibraryPlaylistResolver resolver(m_workspace.library(), SongLoadOptions{false});
    if (!loaded.load(path, currentCharsetMode(), &resolver)) {
        errorBox(this, Lang::text(Txt::PlaylistReadFailed) + u' ' + path);
        return;
    }
    m_playlist = loaded;
    m_playlist.setDirty(false);
    m_filePath = path;
    m_songs.clear();
    m_title->setEnabled(false);
    m_insertPosition = int(m_playlist.count());
    showPlaylistFacts();
    resetPreview();
    refill(-1);
}

bool PlaylistPage::save()
{
    if (!m_workspace.hasCard())
        return false;
    SongLibrary &library = m_workspace.library();
    const bool firstSave = m_filePath.isEmpty();
    QString path = m_filePath;
    int number = m_playlist.number();
    if (firstSave) {
        const QString title = m_title->text();
        if (const int refusal = LibraryNaming::checkPlaylistTitle(title)) {
            QString text = Lang::text(refusal);
            if (refusal == Txt::TitleForbiddenCharacter)
                text += u' ' + LibraryNaming::forbiddenCharacterList();
            errorBox(this, text);
            m_title->setFocus(); // where the name is typed
            return false;
        }
        // The number shown may have been taken since: by a save elsewhere or a new file on the card.
        if (number <= 0 || library.numbers(ItemKind::Playlist).isUsed(number))
            number = library.findFreeNumber(ItemKind::Playlist);
        if (number <= 0) {
            errorBox(this, Lang::text(Txt::PlaylistNoFreeNumber));
            return false;
        }
        path = QDir(LibraryNaming::playlistDirectory(m_workspace.root()))
                   .filePath(QStringLiteral("%1 %2.lst").arg(number, 4, 10, QLatin1Char('0')).arg(title));
        if (QFileInfo::exists(path)) {
            errorBox(this, Lang::text(Txt::PlaylistFileExists) + u' ' + path);
            return false;
        }
        m_playlist.setName(title);
    }
    QString error;
    if (!m_playlist.save(path, &error)) {
        m_playlist.setDirty(true);
        errorBox(this, Lang::text(Txt::SaveFailed) + u' ' + path + u'\n' + error);
        return false;
    }
    m_playlist.setNumber(number);
    library.numbers(ItemKind::Playlist).markUsed(number);
    m_filePath = path;
    StatusMessage::showSaved(this, path);
    m_title->setEnabled(false);
    showPlaylistFacts();
    if (firstSave)
        m_workspace.refresh(false);
    return true;
}

void PlaylistPage::playlistFileRenamed(const QString &from, const QString &to)
{
    if (m_filePath.isEmpty() || QFileInfo(from) != QFileInfo(m_filePath))
        return;
    m_filePath = to;
    Playlist named;
    named.parseFileName(to);
    m_playlist.setName(named.name());
    showPlaylistFacts();
}

void PlaylistPage::fileDeleted(const QString &path)
{
    if (!m_filePath.isEmpty() && QFileInfo(path) == QFileInfo(m_filePath)) {
        // The list stays on the page as a new one, to be saved under a name of its own.
        m_filePath.clear();
        m_playlist.setDirty(true);
        m_title->setEnabled(true);
        showPlaylistFacts();
        return;
    }
    m_songs.clear();
    refill(currentIndex());
}

// --- entries ---

void PlaylistPage::addItem(const QString &path, bool slide)
{
    InsertSongDialog dialog(path, slide, this);
    if (!dialog.loadSong()) {
        errorBox(this, Lang::text(Txt::InsertSongLoadFailed) + u' ' + path);
        return;
    }
    if (dialog.exec() != QDialog::Accepted)
        return;
    const PlaylistEditing::InsertChoice choice = dialog.choice();
    if (!slide && choice.mode == PlaylistEditing::InsertChoice::WholeSong && dialog.song().sequence().isEmpty()) {
        errorBox(this, Lang::text(Txt::PlaylistSequenceEmpty));
        return;
    }
    if (m_playlist.count() == 0)
        m_insertPosition = 0;
    const auto result = PlaylistEditing::insertEntries(m_playlist, &m_insertPosition, dialog.song(), path, choice);
    if (result.full)
        errorBox(this, Lang::text(Txt::PlaylistFull));
    if (result.added == 0)
        return;
    m_songs.clear();
    refill(m_insertPosition - 1);
    m_view->setFocus();
}

void PlaylistPage::dropLibraryItem(const QString &relativePath)
{
    if (!m_workspace.hasCard())
        return;
    QString relative = relativePath;
    while (relative.startsWith(u'/'))
        relative.remove(0, 1);
    const QString path = m_workspace.root() + relative;
    const auto kind = ItemName::kindOf(QFileInfo(path).fileName());
    if (!kind || *kind == ItemKind::Playlist)
        return;
    addItem(path, *kind == ItemKind::Slide);
}

void PlaylistPage::moveDropped(int from, int insertPosition)
{
    const int target = PlaylistEditing::moveEntry(m_playlist, from, insertPosition);
    if (target >= 0)
        refill(target);
}

void PlaylistPage::deleteSelected()
{
    const int index = currentIndex();
    if (index < 0)
        return;
    const PlaylistEntry &entry = m_playlist.entry(index);
    const QString text =
        Lang::text(Txt::PlaylistDeleteStanzaQuestion)
            .arg(Lang::text(Txt::PlaylistDeleteStanzaEntry).arg(entry.title, QString::number(entry.stanzaPosition())));
    if (questionBox(this, text) != QMessageBox::Yes)
        return;
    m_playlist.remove(index);
    refill(qMin(index, int(m_playlist.count()) - 1));
}

void PlaylistPage::deleteAdjacent()
{
    const int index = currentIndex();
    if (index < 0)
        return;
    const QString text = Lang::text(Txt::PlaylistDeleteAdjacentQuestion).arg(m_playlist.entry(index).title);
    if (questionBox(this, text) != QMessageBox::Yes)
        return;
    const int first = PlaylistEditing::adjacentRun(m_playlist, index).first;
    PlaylistEditing::removeAdjacent(m_playlist, index);
    refill(qMin(first, int(m_playlist.count()) - 1));
}

void PlaylistPage::showMenu(const QPoint &globalPos)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("playlistMenu"));
    menu.addAction(Lang::text(Txt::MenuDeleteStanza), this, &PlaylistPage::deleteSelected);
    menu.addAction(Lang::text(Txt::MenuDeleteAdjacent), this, &PlaylistPage::deleteAdjacent);
    menu.exec(globalPos);
}

int PlaylistPage::currentIndex() const
{
    QTreeWidgetItem *item = m_view->currentItem();
    return item ? m_view->indexOfTopLevelItem(item) : -1;
}

void PlaylistPage::selectEntry(int index)
{
    if (index >= 0 && index < m_view->topLevelItemCount())
        m_view->setCurrentItem(m_view->topLevelItem(index));
}

// --- list and preview ---

void PlaylistPage::refill(int focusIndex)
{
    const QSignalBlocker blocker(m_view);
    m_view->clear();
    QList<QTreeWidgetItem *> rows;
    for (int i = 0; i < m_playlist.count(); ++i) {
        const PlaylistEntry &entry = m_playlist.entry(i);
        const bool valid = PlaylistEditing::isShowable(entry, entry.found ? m_songs.song(entry.path) : nullptr);
        auto *row = new QTreeWidgetItem;
        row->setText(PositionColumn, QString::number(i + 1));
        row->setIcon(PositionColumn, TreeIcons::icon(entry.isSlide() ? TreeIcons::SlidesNode : TreeIcons::Song));
        row->setText(NumberColumn, QStringLiteral("[%1]").arg(entry.songNumber, 4, 10, QLatin1Char('0')));
        row->setText(TitleColumn, entry.title);
        row->setText(StanzaColumn, stanzaText(entry));
        for (int column = PositionColumn; column <= StanzaColumn; ++column)
            row->setTextAlignment(column, column == TitleColumn ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        for (int column = NumberColumn; column <= StanzaColumn; ++column) {
            QColor colour = kInvalid;
            if (valid && entry.isSlide())
                colour = kSlide;
            else if (valid)
                colour = column == NumberColumn ? kNumber
                    : column == TitleColumn     ? kTitle
                    : entry.isRefrain()         ? kRefrain
                                                : QColor(Qt::white);
            const QColor shown = ThemeColours::background(colour, m_view->palette());
            row->setBackground(column, shown);
            row->setForeground(column, ThemeColours::textOn(shown));
        }
        rows << row;
    }
    m_view->addTopLevelItems(rows);
    m_insertPosition = qBound(0, m_insertPosition, int(m_playlist.count()));
    m_view->setInsertPosition(m_insertPosition);
    showPlaylistFacts();
    if (focusIndex >= 0 && focusIndex < m_playlist.count()) {
        QTreeWidgetItem *item = m_view->topLevelItem(focusIndex);
        m_view->setCurrentItem(item);
        m_view->scrollToItem(item);
        m_insertPosition = focusIndex + 1;
        m_view->setInsertPosition(m_insertPosition);
        previewEntry(focusIndex, 0);
    } else {
        resetPreview();
    }
    emit documentChanged();
}

void PlaylistPage::showPlaylistFacts()
{
    m_number->setText(QString::number(qMax(0, m_playlist.number())));
    if (m_title->text() != m_playlist.name())
        m_title->setText(m_playlist.name());
    // A playlist not named yet shows no empty quotes.
    const QString name = m_playlist.name();
    m_caption->setText(name.isEmpty() ? Lang::text(Txt::PlaylistCaption)
                                      : Lang::text(Txt::PlaylistCaption) + QStringLiteral(": \"%1\"").arg(name));
}

void PlaylistPage::resetPreview()
{
    m_previewIndex = -1;
    m_currentScreen = 0;
    m_screenCount = 0;
    m_preview->clear();
    m_counter->setText(counterText());
    m_previous->setEnabled(false);
    m_next->setEnabled(false);
}

QString PlaylistPage::counterText() const
{
    const QString label = Lang::text(Txt::ScreenLabel);
    if (m_previewIndex < 0 || m_screenCount == 0)
        return label + QStringLiteral(" -/-");
    return label + QStringLiteral(" %1/%2").arg(m_currentScreen + 1).arg(m_screenCount);
}

void PlaylistPage::previewEntry(int index, int screen)
{
    if (index < 0 || index >= m_playlist.count()) {
        resetPreview();
        return;
    }
    const PlaylistEntry &entry = m_playlist.entry(index);
    const Song *song = entry.found ? m_songs.song(entry.path) : nullptr;
    m_previewIndex = index;
    m_currentScreen = 0;
    m_screenCount = 0;
    QStringList lines;
    if (PlaylistEditing::isShowable(entry, song)) {
        const int stanza = PlaylistEditing::stanzaIndex(entry, *song);
        m_screenCount = song->screenCount(stanza);
        m_currentScreen = qBound(0, screen, qMax(0, m_screenCount - 1));
        for (int line = 0; line < kScreenLines; ++line)
            lines << song->lineText(stanza, m_currentScreen, line);
    }
    m_preview->setLines(lines);
    m_counter->setText(counterText());
    const int last = int(m_playlist.count()) - 1;
    m_previous->setEnabled(index > 0 || m_currentScreen > 0);
    m_next->setEnabled(index < last || m_currentScreen + 1 < m_screenCount);
}

void PlaylistPage::previousScreen()
{
    if (m_previewIndex < 0)
        return;
    if (m_currentScreen > 0) {
        previewEntry(m_previewIndex, m_currentScreen - 1);
        return;
    }
    const int previous = m_previewIndex - 1;
    if (previous < 0)
        return;
    selectEntry(previous);
    previewEntry(previous, qMax(0, m_screenCount - 1));
}

void PlaylistPage::nextScreen()
{
    if (m_previewIndex < 0)
        return;
    if (m_currentScreen + 1 < m_screenCount)
        previewEntry(m_previewIndex, m_currentScreen + 1);
    else if (m_previewIndex + 1 < m_playlist.count())
        selectEntry(m_previewIndex + 1);
}

void PlaylistPage::setBoardSize(int columns, int rows)
{
    m_preview->setBoardSize(columns, rows);
}
