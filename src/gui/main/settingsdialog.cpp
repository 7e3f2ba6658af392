// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/settingsdialog.h"

#include "core/app/language.h"
#include "core/model/languages.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/app/shell.h"

#include <QButtonGroup>
#include <QComboBox>
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
    m_musicDirectory = new QLineEdit(this);
    m_musicDirectory->setObjectName(QStringLiteral("musicDirectory"));
    m_musicDirectory->setReadOnly(true);
    m_musicDirectory->setMinimumWidth(280);
    auto *browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("chooseMusicDirectory"));
    browse->setFixedWidth(32);
    connect(browse, &QPushButton::clicked, this, &SettingsDialog::chooseMusicDirectory);
    auto *musicRow = new QHBoxLayout;
    musicRow->addWidget(m_musicDirectory, 1);
    musicRow->addWidget(browse);

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
    return m_musicDirectory->text();
}

AppSettings::LineMode SettingsDialog::lineMode() const
{
    return m_sixRows->isChecked() ? AppSettings::SixRows : AppSettings::TenRows;
}

void SettingsDialog::storeInto(AppSettings &settings) const
{
    settings.setLastLanguage(languageName());
    settings.setLastMusicDir(musicDirectory());
    settings.setLineMode(lineMode());
}

void SettingsDialog::accept()
{
    if (m_languageCombo->currentIndex() < 0) {
        infoBox(this, Lang::text(Txt::SettingsNoLanguageChosen));
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
