// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/music/musictimingdialog.h"

#include "core/app/appsettings.h"
#include "core/app/language.h"
#include "core/music/musicfiles.h"
#include "core/music/musicplayer.h"
#include "core/util/fileutils.h"
#include "gui/app/dialogtext.h"
#include "gui/app/icons.h"
#include "gui/app/messageboxes.h"
#include "gui/app/uifont.h"
#include "gui/widgets/lineicon.h"
#include "gui/widgets/screenfit.h"
#include "gui/widgets/timingbar.h"
#include "gui/widgets/themecolours.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kTickMs = 50;
constexpr int kBoxes = 5;

QPushButton *textButton(QWidget *parent, const char *name, int textId, bool checkable = false)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1StringView(name));
    setControlText(button, textId);
    button->setCheckable(checkable);
    button->setAutoDefault(false);
    return button;
}

} // namespace

MusicTimingDialog::MusicTimingDialog(Song &song, MusicPlayer &player, AppSettings &settings, QWidget *parent)
    : QDialog(parent), m_song(song), m_player(player), m_settings(settings), m_session(song),
      m_musicDir(settings.lastMusicDir())
{
    setObjectName(QStringLiteral("MusicTimingDialog"));
    setControlText(this, Txt::TimingCaption);

    // The screens, the controls and the list scroll on a screen too short for them; OK and Cancel stay.
    auto *content = new QWidget(this);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buildMusicRow());
    layout->addWidget(buildInstructions());
    buildScreenRows(layout);
    layout->addLayout(buildPositionRow());
    layout->addLayout(buildControlRow());
    layout->addLayout(buildListRow(), 1);
    m_bar = new TimingBar(this);
    m_bar->setObjectName(QStringLiteral("timingBar"));
    layout->addWidget(m_bar);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(scrollingArea(content, this), 1);
    outer->addWidget(okCancelButtons(this));
    connectControls();

    showMode();
    fillMusicList();
    fitToScreen(this);
}

QHBoxLayout *MusicTimingDialog::buildMusicRow()
{
    auto *musicLabel = new QLabel(this);
    setControlText(musicLabel, Txt::TimingMusicFile);
    m_music = new QComboBox(this);
    m_music->setObjectName(QStringLiteral("musicList"));
    m_music->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_music->setMinimumContentsLength(40);
    auto *musicRow = new QHBoxLayout;
    musicRow->addWidget(musicLabel);
    musicRow->addWidget(m_music, 1);

    return musicRow;
}

QGroupBox *MusicTimingDialog::buildInstructions()
{
    auto *instructionBox = new QGroupBox(this);
    setControlText(instructionBox, Txt::TimingInstructionGroup);
    auto *instructions = new QLabel(instructionBox);
    setControlText(instructions, Txt::TimingInstructions);
    instructions->setWordWrap(true);
    (new QVBoxLayout(instructionBox))->addWidget(instructions);

    return instructionBox;
}

void MusicTimingDialog::buildScreenRows(QVBoxLayout *layout)
{
    auto *sequenceLabel = new QLabel(this);
    setControlText(sequenceLabel, Txt::TimingSequence);
    auto *boxRow = new QHBoxLayout;
    const QFontMetrics metrics(uiFont());
    for (int i = 0; i < kBoxes; ++i) {
        auto *box = new QListWidget(this);
        box->setObjectName(QStringLiteral("screenBox%1").arg(i));
        box->setFont(uiFont());
        box->setSelectionMode(QAbstractItemView::NoSelection);
        box->setFocusPolicy(Qt::NoFocus);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setFixedSize(metrics.horizontalAdvance(QString(kLineChars, u'M')) + 12,
                          metrics.height() * kScreenLines + 12);
        if (i == kBoxes / 2) {
            QPalette current = box->palette();
            const QColor shown = ThemeColours::background(QColor(0xC0, 0xFF, 0xFF), current);
            current.setColor(QPalette::Base, shown);
            current.setColor(QPalette::Text, ThemeColours::textOn(shown));
            box->setPalette(current);
        }
        m_screens[i] = box;
        boxRow->addWidget(box);
    }
    boxRow->addStretch();
    layout->addWidget(sequenceLabel);
    layout->addLayout(boxRow);
}

QHBoxLayout *MusicTimingDialog::buildPositionRow()
{
    m_positionText = new QLabel(TimingSession::timeText(0), this);
    m_positionText->setObjectName(QStringLiteral("positionText"));
    m_lengthText = new QLabel(TimingSession::timeText(0), this);
    m_lengthText->setObjectName(QStringLiteral("lengthText"));
    m_position = new QSlider(Qt::Horizontal, this);
    m_position->setObjectName(QStringLiteral("positionSlider"));
    m_position->setAccessibleName(Lang::text(Txt::A11yPlayPosition));
    m_position->setRange(0, 0);
    auto *positionRow = new QHBoxLayout;
    positionRow->addWidget(m_positionText);
    positionRow->addWidget(m_position, 1);
    positionRow->addWidget(m_lengthText);

    return positionRow;
}

QHBoxLayout *MusicTimingDialog::buildControlRow()
{
    m_modes = new QButtonGroup(this);
    auto *controlRow = new QHBoxLayout;
    const struct
    {
        const char *name;
        int text;
        TimingSession::Mode mode;
    } modes[] = {
        {"playButton", Txt::TimingPlay, TimingSession::Mode::Play},
        {"pauseButton", Txt::TimingPause, TimingSession::Mode::Pause},
        {"stopButton", Txt::TimingStop, TimingSession::Mode::Stop},
    };
    for (const auto &mode : modes) {
        QPushButton *button = textButton(this, mode.name, mode.text, true);
        m_modes->addButton(button, int(mode.mode));
        controlRow->addWidget(button);
    }
    controlRow->addSpacing(16);
    m_record = textButton(this, "recordButton", Txt::TimingRecord);
    m_zero = textButton(this, "zeroButton", Txt::TimingZero);
    controlRow->addWidget(m_record);
    controlRow->addWidget(m_zero);
    controlRow->addStretch();
    auto *muteBox = new QGroupBox(this);
    setControlText(muteBox, Txt::TimingMute);
    auto *muteRow = new QHBoxLayout(muteBox);
    m_mute[0] = textButton(muteBox, "muteLeft", Txt::TimingLeft, true);
    m_mute[1] = textButton(muteBox, "muteRight", Txt::TimingRight, true);
    muteRow->addWidget(m_mute[0]);
    muteRow->addWidget(m_mute[1]);
    controlRow->addWidget(muteBox);

    return controlRow;
}

QHBoxLayout *MusicTimingDialog::buildListRow()
{
    m_list = new QTableWidget(0, 3, this);
    m_list->setAccessibleName(windowTitle());
    m_list->setTabKeyNavigation(false); // Tab leaves the list; the arrows move in it
    m_list->setObjectName(QStringLiteral("timeList"));
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    m_list->verticalHeader()->hide();
    m_list->setHorizontalHeaderLabels({Lang::text(Txt::TimingDurationColumn), Lang::text(Txt::TimingOffsetColumn),
                                       Lang::text(Txt::TimingTextColumn)});
    // Wide enough for the times and for the heading in any language.
    for (int column : {0, 1})
        m_list->setColumnWidth(column, std::max(100, m_list->horizontalHeader()->sectionSizeHint(column)));
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setMinimumWidth(520);

    auto *volumeLabel = new QLabel(this);
    setControlText(volumeLabel, Txt::TimingVolume);
    m_volume = new QSlider(Qt::Vertical, this);
    m_volume->setObjectName(QStringLiteral("volumeSlider"));
    volumeLabel->setBuddy(m_volume);
    m_volume->setRange(MusicPlayer::kMinVolume, MusicPlayer::kMaxVolume);
    m_volume->setInvertedAppearance(true); // 1, the loudest, at the top
    m_volume->setPageStep(100);
    auto *volumeColumn = new QVBoxLayout;
    volumeColumn->addWidget(volumeLabel, 0, Qt::AlignHCenter);
    volumeColumn->addWidget(m_volume, 1, Qt::AlignHCenter);
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(m_list, 1);
    listRow->addLayout(volumeColumn);

    return listRow;
}

void MusicTimingDialog::connectControls()
{
    m_timer = new QTimer(this);
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &MusicTimingDialog::tick);
    connect(m_modes, &QButtonGroup::idClicked, this, [this](int id) { changeMode(TimingSession::Mode(id)); });
    connect(m_record, &QPushButton::clicked, this, &MusicTimingDialog::record);
    connect(m_zero, &QPushButton::clicked, this, &MusicTimingDialog::zero);
    for (QPushButton *mute : m_mute)
        connect(mute, &QPushButton::toggled, this, &MusicTimingDialog::applyVolume);
    connect(m_volume, &QSlider::valueChanged, this, &MusicTimingDialog::applyVolume);
    // The timer moves the slider with setValue, which triggers no action: only the user jumps.
    connect(m_position, &QSlider::sliderReleased, this, [this] { jumpTo(m_position->value()); });
    connect(m_position, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove)
            jumpTo(m_position->sliderPosition());
    });
    connect(m_bar, &TimingBar::segmentClicked, this, [this](int index) {
        if (m_session.mode() == TimingSession::Mode::Pause)
            jumpTo(m_session.offset(index));
    });
    connect(m_music, &QComboBox::currentIndexChanged, this, &MusicTimingDialog::chooseMusic);
    // A notice can come from inside a player call: it is shown once that call has returned.
    m_player.setNoticeHandler([this](const QString &text) {
        QMetaObject::invokeMethod(
            this, [this, text] { showNotice(text); }, Qt::QueuedConnection);
    });
}

MusicTimingDialog::~MusicTimingDialog()
{
    closePlayer();
    m_player.setNoticeHandler({});
}

void MusicTimingDialog::fillMusicList()
{
    const QSignalBlocker blocker(m_music);
    m_music->addItem(Lang::text(Txt::TimingNoFile));
    for (const QString &name : musicFilesIn(m_musicDir))
        m_music->addItem(name, name);
    int chosen = 0;
    const QString mapped = m_settings.musicFor(m_song.title());
    if (!mapped.isEmpty()) {
        chosen = m_music->findData(mapped);
        // Missing or not a music file: still listed and chosen, so that OK keeps the pair.
        if (chosen <= 0) {
            m_music->addItem(mapped, mapped);
            chosen = m_music->count() - 1;
        }
    }
    m_music->setCurrentIndex(chosen);
    chooseMusic(chosen);
}

QString MusicTimingDialog::chosenFile() const
{
    return m_music->currentIndex() > 0 ? m_music->currentData().toString() : QString();
}

void MusicTimingDialog::chooseMusic(int)
{
    closePlayer();
    m_session.changeMode(TimingSession::Mode::Stop);
    const QString name = chosenFile();
    const QString path = m_musicDir + u'/' + name;
    qint64 lengthMs = 0;
    // A missing file turns the controls off without a word; one the player refuses is reported.
    if (!name.isEmpty() && isPlainFileName(name) && QFileInfo(path).isFile()) {
        QString error;
        m_fileOpen = m_player.open(path, &error);
        if (m_fileOpen)
            lengthMs = m_player.lengthMs();
        else
            errorBox(this, error);
    }
    const int lengthTenths = int(qBound(qint64(0), lengthMs / 100, qint64(INT_MAX)));
    m_position->setRange(0, lengthTenths);
    m_position->setValue(0);
    m_lengthText->setText(TimingSession::timeText(lengthTenths));
    {
        const QSignalBlocker muteLeft(m_mute[0]), muteRight(m_mute[1]), volume(m_volume);
        m_mute[0]->setChecked(false);
        m_mute[1]->setChecked(false);
        m_volume->setValue(MusicPlayer::kMinVolume);
    }
    applyVolume();
    showMode();
    showPosition();
    redisplay();
}

void MusicTimingDialog::updateButtons()
{
    const bool live = m_fileOpen && m_session.screenCount() > 0;
    const bool paused = m_session.mode() == TimingSession::Mode::Pause;
    for (QAbstractButton *button : m_modes->buttons())
        button->setEnabled(live);
    m_record->setEnabled(live && m_session.canRecord());
    m_zero->setEnabled(live);
    m_mute[0]->setEnabled(live);
    m_mute[1]->setEnabled(live);
    m_volume->setEnabled(live);
    m_position->setEnabled(live && paused);
    m_bar->setHandPointer(live && paused);
}

void MusicTimingDialog::changeMode(TimingSession::Mode requested)
{
    using Mode = TimingSession::Mode;
    const Mode before = m_session.mode();
    const Mode now = m_session.changeMode(requested);
    if (now == Mode::Play && before == Mode::Pause) {
        m_player.playFrom(qint64(m_session.position()) * 100);
    } else if (now == Mode::Play && before == Mode::Stop) {
        m_player.playFrom(0);
        m_timer->start();
    } else if (now == Mode::Pause && before == Mode::Play) {
        m_player.pause();
    } else if (now == Mode::Stop) {
        m_player.stop();
        m_timer->stop();
        m_position->setValue(0);
    }
    showMode();
    showPosition();
    redisplay();
}

void MusicTimingDialog::showMode()
{
    if (QAbstractButton *button = m_modes->button(int(m_session.mode())))
        button->setChecked(true);
    updateButtons();
}

void MusicTimingDialog::tick()
{
    if (!m_fileOpen || m_session.mode() != TimingSession::Mode::Play)
        return;
    const bool moved = m_session.tick(m_player.positionMs());
    m_position->setValue(m_session.position());
    showPosition();
    if (moved)
        redisplay();
    updateButtons();
}

void MusicTimingDialog::record()
{
    if (m_session.record() == TimingSession::RecordResult::Negative)
        withClockPaused([this] { errorBox(this, Lang::text(Txt::TimingMinusError)); });
    redisplay();
    updateButtons();
}

void MusicTimingDialog::zero()
{
    if (m_session.mode() != TimingSession::Mode::Stop)
        m_player.stop();
    m_timer->stop();
    m_session.zero();
    m_position->setValue(0);
    showMode();
    showPosition();
    redisplay();
}

void MusicTimingDialog::jumpTo(int tenths)
{
    if (m_session.mode() != TimingSession::Mode::Pause)
        return;
    m_session.jump(qBound(0, tenths, m_position->maximum()));
    m_position->setValue(m_session.position());
    showPosition();
    redisplay();
    updateButtons();
}

void MusicTimingDialog::applyVolume()
{
    const int level = MusicPlayer::kMaxVolume + 1 - m_volume->value();
    int channel[2];
    for (int i = 0; i < 2; ++i) {
        const bool muted = m_mute[i]->isChecked();
        channel[i] = muted ? MusicPlayer::kMinVolume : level;
        LineIcon::setOn(m_mute[i], Icons::icon(muted ? Icons::Icon::SpeakerMuted : Icons::Icon::Speaker));
    }
    if (m_fileOpen)
        m_player.setVolume(channel[0], channel[1]);
}

void MusicTimingDialog::showNotice(const QString &text)
{
    if (m_noticeShown)
        return;
    m_noticeShown = true;
    withClockPaused([this, &text] { infoBox(this, text); });
}

void MusicTimingDialog::withClockPaused(const std::function<void()> &showBox)
{
    // Time spent reading a box is no screen's time: the music and the clock wait for it.
    const bool playing = m_fileOpen && m_session.mode() == TimingSession::Mode::Play;
    if (playing)
        changeMode(TimingSession::Mode::Pause);
    showBox();
    if (playing && m_fileOpen && m_session.mode() == TimingSession::Mode::Pause)
        changeMode(TimingSession::Mode::Play);
}

void MusicTimingDialog::showPosition()
{
    m_positionText->setText(TimingSession::timeText(m_session.position()));
}

void MusicTimingDialog::redisplay()
{
    const int count = m_session.screenCount();
    const int current = m_session.currentScreen();
    for (int i = 0; i < kBoxes; ++i) {
        QListWidget *box = m_screens[i];
        box->clear();
        const QString text = m_session.screenText(current - kBoxes / 2 + i);
        for (int line = 0; !text.isEmpty() && line < kScreenLines; ++line)
            box->addItem(text.mid(line * kLineChars, kLineChars));
    }

    m_list->setRowCount(count);
    int offset = 0;
    for (int row = 0; row < count; ++row) {
        const int duration = m_session.durations().at(row);
        const QString cells[3] = {TimingSession::timeText(duration), TimingSession::timeText(offset),
                                  m_session.screenText(row).simplified()};
        for (int column = 0; column < 3; ++column) {
            QTableWidgetItem *item = m_list->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                if (column < 2)
                    item->setTextAlignment(Qt::AlignCenter);
                m_list->setItem(row, column, item);
            }
            item->setText(cells[column]);
        }
        offset += duration;
    }
    if (current < count) {
        m_list->selectRow(current);
        m_list->scrollToItem(m_list->item(current, 0));
    } else {
        m_list->clearSelection();
    }

    m_bar->setTimes(m_session.durations());
    m_bar->setCodes(m_session.codes());
    m_bar->setCurrentIndex(current);
}

void MusicTimingDialog::closePlayer()
{
    m_timer->stop();
    m_player.close();
    m_fileOpen = false;
}

void MusicTimingDialog::accept()
{
    m_songChanged = m_session.applyTo(m_song);
    // An untitled song has no key in the music map.
    const QString title = m_song.title();
    const QString file = chosenFile();
    if (!title.isEmpty() && m_settings.musicFor(title) != file && !m_settings.setMusicFor(title, file))
        errorBox(this, Lang::text(Txt::SettingsNotSaved).arg(QDir::toNativeSeparators(m_settings.musicMapPath())));
    QDialog::accept();
}

void MusicTimingDialog::done(int result)
{
    closePlayer();
    QDialog::done(result);
}
