// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/settingsdialog.h"

#include "core/app/language.h"
#include "core/model/languages.h"
#include "core/music/soundfontsearch.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/app/shell.h"

#include <QButtonGroup>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A path field with its "..." button on the right.
QHBoxLayout *pathRow(QLineEdit *field, QPushButton *browse, const char *buttonName)
{
    browse->setObjectName(QLatin1StringView(buttonName));
    browse->setFixedWidth(32);
    browse->setAccessibleName(Lang::text(Txt::A11yBrowse));
    browse->setAccessibleDescription(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name));
    auto *row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(browse);
    return row;
}

} // namespace

SettingsDialog::SettingsDialog(const QString &languageDir, const AppSettings &settings, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SettingsDialog"));
    setControlText(this, Txt::SettingsTitle);

    auto *languageLabel = new QLabel(this);
    setControlText(languageLabel, Txt::SettingsLanguageLabel);
    m_languageCombo = new QComboBox(this);
    m_languageCombo->setObjectName(QStringLiteral("languageCombo"));
    languageLabel->setBuddy(m_languageCombo);

    auto *musicLabel = new QLabel(this);
    setControlText(musicLabel, Txt::SettingsMusicDirLabel);
    musicLabel->setBuddy(m_musicDirectory = new QLineEdit(this));
    m_musicDirectory->setObjectName(QStringLiteral("musicDirectory"));
    m_musicDirectory->setClearButtonEnabled(true);
    m_musicDirectory->setMinimumWidth(280);
    auto *browse = new QPushButton(QStringLiteral("..."), this);
    connect(browse, &QPushButton::clicked, this, &SettingsDialog::chooseMusicDirectory);
    QHBoxLayout *musicRow = pathRow(m_musicDirectory, browse, "chooseMusicDirectory");

    auto *fontLabel = new QLabel(this);
    setControlText(fontLabel, Txt::SettingsSoundFontLabel);
    m_soundFont = new QLineEdit(this);
    m_soundFont->setObjectName(QStringLiteral("soundFont"));
    // Empty means the system's font, which the placeholder names.
    m_soundFont->setPlaceholderText(QDir::toNativeSeparators(findSoundFont(QString())));
    m_soundFont->setClearButtonEnabled(true);
    fontLabel->setBuddy(m_soundFont);
    auto *browseFont = new QPushButton(QStringLiteral("..."), this);
    connect(browseFont, &QPushButton::clicked, this, &SettingsDialog::chooseSoundFont);
    QHBoxLayout *fontRow = pathRow(m_soundFont, browseFont, "chooseSoundFont");

    auto *board = new QGroupBox(this);
    setControlText(board, Txt::SettingsBoardLabel);
    m_tenRows = new QRadioButton(board);
    m_tenRows->setObjectName(QStringLiteral("tenRows"));
    setControlText(m_tenRows, Txt::SettingsTenRows);
    m_sixRows = new QRadioButton(board);
    m_sixRows->setObjectName(QStringLiteral("sixRows"));
    setControlText(m_sixRows, Txt::SettingsSixRows);
    auto *lineModes = new QButtonGroup(this);
    lineModes->addButton(m_tenRows, AppSettings::TenRows);
    lineModes->addButton(m_sixRows, AppSettings::SixRows);
    auto *boardLayout = new QHBoxLayout(board);
    boardLayout->addWidget(m_tenRows);
    boardLayout->addWidget(m_sixRows);
    boardLayout->addStretch(1);

    auto *form = new QFormLayout;
    form->addRow(languageLabel, m_languageCombo);
    form->addRow(musicLabel, musicRow);
    form->addRow(fontLabel, fontRow);

    QDialogButtonBox *buttons = okCancelButtons(this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(board);
    layout->addWidget(buttons);

    // Fill from the settings.
    const QStringList languages = Lang::availableLanguages(languageDir);
    m_noLanguages = languages.isEmpty();
    m_languageCombo->addItems(languages);
    m_languageCombo->setCurrentIndex(-1);
    for (int i = 0; i < languages.size(); ++i) {
        if (Languages::sameName(languages.at(i), settings.lastLanguage())) {
            m_languageCombo->setCurrentIndex(i);
            break;
        }
    }
    m_musicDirectory->setText(settings.lastMusicDir());
    m_soundFont->setText(settings.soundFont());
    (settings.lineMode() == AppSettings::TenRows ? m_tenRows : m_sixRows)->setChecked(true);
}

void SettingsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (m_noLanguages)
        QTimer::singleShot(0, this, [this] { infoBox(this, Lang::text(Txt::SettingsNoLanguageFound)); });
}

QString SettingsDialog::languageName() const
{
    return m_languageCombo->currentIndex() < 0 ? QString() : m_languageCombo->currentText();
}

QString SettingsDialog::musicDirectory() const
{
    QString folder = QDir::cleanPath(QDir::fromNativeSeparators(m_musicDirectory->text().trimmed()));
    return folder == u"." ? QString() : folder;
}

QString SettingsDialog::soundFont() const
{
    return m_soundFont->text().trimmed();
}

AppSettings::LineMode SettingsDialog::lineMode() const
{
    return m_sixRows->isChecked() ? AppSettings::SixRows : AppSettings::TenRows;
}

void SettingsDialog::storeInto(AppSettings &settings) const
{
    settings.setLastLanguage(languageName());
    settings.setLastMusicDir(musicDirectory());
    settings.setSoundFont(soundFont());
    settings.setLineMode(lineMode());
}

void SettingsDialog::accept()
{
    if (m_languageCombo->currentIndex() < 0) {
        infoBox(this, Lang::text(Txt::SettingsNoLanguageChosen));
        return;
    }
    if (!soundFont().isEmpty() && !QFileInfo(soundFont()).isFile()) {
        infoBox(this, QDir::toNativeSeparators(soundFont()) + u"\n" + Lang::text(Txt::MusicFileUnreadable));
        m_soundFont->setFocus();
        return;
    }
    // A typed folder must exist; an empty field means no music folder.
    const QString music = musicDirectory();
    if (!music.isEmpty() && !QFileInfo(music).isDir()) {
        warningBox(this, Lang::text(Txt::MusicFolderMissing).arg(QDir::toNativeSeparators(music)));
        m_musicDirectory->setFocus();
        m_musicDirectory->selectAll();
        return;
    }
    QDialog::accept();
}

void SettingsDialog::chooseMusicDirectory()
{
    const QString folder = chooseFolder(this, m_musicDirectory->text(), Lang::text(Txt::SettingsMusicDirLabel));
    if (!folder.isEmpty())
        m_musicDirectory->setText(folder);
}

void SettingsDialog::chooseSoundFont()
{
    const QString current = soundFont().isEmpty() ? m_soundFont->placeholderText() : soundFont();
    const QString file = chooseOpenFile(this, QFileInfo(current).absolutePath(),
                                        Lang::text(Txt::SettingsSoundFontLabel),
                                        Lang::text(Txt::SettingsSoundFontFilter));
    if (!file.isEmpty())
        m_soundFont->setText(file);
}
