// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/drivecombo.h"

#include "core/app/language.h"

DriveCombo::DriveCombo(QWidget *parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("driveList"));
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    m_timer.setInterval(kPollMs);
    connect(&m_timer, &QTimer::timeout, this, &DriveCombo::refreshDrives);
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        setToolTip(currentText());
        if (!m_filling && m_hasDrives && currentIndex() >= 0)
            emit driveChanged();
    });
    setEnabled(false);
}

void DriveCombo::enablePolling(bool on)
{
    if (on)
        m_timer.start();
    else
        m_timer.stop();
    setEnabled(on && count() > 0);
}

void DriveCombo::refreshDrives()
{
    const QList<DriveEntry> drives = m_provider ? DriveList::listed(m_provider->drives()) : QList<DriveEntry>();
    const QString chosen = drivePath();
    bool chosenGone = false;
    if (drives != m_drives) {
        m_filling = true;
        clear();
        for (const DriveEntry &drive : drives) {
            // The list may be narrower than a long label or path: the whole text is the tooltip.
            const QString text = DriveList::itemText(drive, Lang::text(Txt::ProtectPrefix));
            addItem(text, drive.rootPath);
            setItemData(count() - 1, text, Qt::ToolTipRole);
        }
        m_drives = drives;
        int index = DriveList::indexOfRoot(drives, chosen);
        if (index < 0 && !drives.isEmpty()) {
            chosenGone = !chosen.isEmpty();
            index = m_choosesFirst ? 0 : -1;
        }
        setCurrentIndex(index);
        m_filling = false;
    }
    setEnabled(count() > 0);
    if (!m_hasDrives && count() > 0) {
        m_hasDrives = true;
        emit cardInserted();
    } else if (m_hasDrives && count() == 0) {
        m_hasDrives = false;
        emit cardRemoved();
    } else if (chosenGone) {
        emit driveChanged();
    }
}

bool DriveCombo::selectRoot(const QString &rootPath)
{
    const int index = DriveList::indexOfRoot(m_drives, rootPath);
    setCurrentIndex(index);
    return index >= 0;
}

QString DriveCombo::drivePath() const
{
    return currentIndex() >= 0 ? currentData().toString() : QString();
}

QString DriveCombo::fileSystem() const
{
    return currentDrive().fileSystem;
}

DriveEntry DriveCombo::currentDrive() const
{
    const int index = currentIndex();
    return index >= 0 && index < m_drives.size() ? m_drives.at(index) : DriveEntry();
}
