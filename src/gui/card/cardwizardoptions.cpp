// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/card/cardwizardoptions.h"

#include "core/app/language.h"
#include "core/card/cardcopy.h"
#include "gui/app/dialogtext.h"
#include "gui/card/cardwizardparts.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using CardWizardParts::bareLayout;

ImportFolderPage::ImportFolderPage(QWidget *parent) : QWidget(parent)
{
    m_label = new QLabel(this);
    setControlText(m_label, Txt::WizardImportFolder);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("folderEdit"));
    m_browseButton = new QPushButton(style()->standardIcon(QStyle::SP_DirOpenIcon), QStringLiteral("..."), this);
    m_browseButton->setObjectName(QStringLiteral("browseButton"));
    auto *row = bareLayout<QHBoxLayout>(this);
    row->addWidget(m_label);
    row->addWidget(m_edit, 1);
    row->addWidget(m_browseButton);
    connect(m_edit, &QLineEdit::textChanged, this, &ImportFolderPage::changed);
    connect(m_browseButton, &QPushButton::clicked, this, &ImportFolderPage::browseRequested);
}

QString ImportFolderPage::folder() const
{
    return m_edit->text();
}

void ImportFolderPage::setFolder(const QString &folder)
{
    m_edit->setText(folder);
}

void ImportFolderPage::showPage(bool shown, bool enabled)
{
    for (QWidget *widget : std::initializer_list<QWidget *>{m_label, m_edit, m_browseButton}) {
        widget->setVisible(shown);
        widget->setEnabled(enabled);
    }
}

WriteOptionsPage::WriteOptionsPage(QWidget *parent) : QWidget(parent)
{
    m_backupBox = new QCheckBox(this);
    m_backupBox->setObjectName(QStringLiteral("backupBox"));
    setControlText(m_backupBox, Txt::WizardBackup);
    m_backupBox->setChecked(true);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("backupNote"));
    m_note->setWordWrap(true);
    auto *layout = bareLayout<QVBoxLayout>(this);
    layout->addWidget(m_backupBox);
    layout->addWidget(m_note);
    connect(m_backupBox, &QCheckBox::toggled, m_note, [this](bool on) { m_note->setVisible(m_shown && on); });
}

void WriteOptionsPage::setBackupFolder(const QString &folder)
{
    m_note->setText(Lang::text(Txt::WizardBackupNote).arg(QDir::toNativeSeparators(folder)));
}

bool WriteOptionsPage::backup() const
{
    return m_backupBox->isChecked();
}

void WriteOptionsPage::showPage(bool shown, bool enabled)
{
    m_shown = shown;
    m_backupBox->setVisible(shown);
    m_backupBox->setEnabled(enabled);
    m_note->setVisible(shown && m_backupBox->isChecked());
}

AppendOptionsPage::AppendOptionsPage(QWidget *parent) : QWidget(parent)
{
    auto *row = bareLayout<QHBoxLayout>(this);
    static const int kTexts[] = {Txt::WizardSongs, Txt::WizardPlaylists, Txt::WizardSlides};
    static const char *const kNames[] = {"songsBox", "playlistsBox", "slidesBox"};
    for (int i = 0; i < 3; ++i) {
        m_boxes[i] = new QCheckBox(this);
        m_boxes[i]->setObjectName(QLatin1StringView(kNames[i]));
        setControlText(m_boxes[i], kTexts[i]);
        m_boxes[i]->setChecked(true);
        row->addWidget(m_boxes[i]);
        connect(m_boxes[i], &QCheckBox::toggled, this, &AppendOptionsPage::changed);
    }
    row->addStretch(1);
}

int AppendOptionsPage::categories() const
{
    const int bits[] = {CardSongs, CardPlaylists, CardSlides};
    int categories = 0;
    for (int i = 0; i < 3; ++i)
        categories |= m_boxes[i]->isChecked() ? bits[i] : 0;
    return categories;
}

void AppendOptionsPage::showPage(bool shown, bool enabled)
{
    for (QCheckBox *box : m_boxes) {
        box->setVisible(shown);
        box->setEnabled(enabled);
    }
}
