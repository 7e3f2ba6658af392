// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/drivecombo.h"

#include "core/app/language.h"

#include <QDir>

#include <algorithm>

DriveCombo::DriveCombo(QWidget *parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("driveList"));
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    m_timer.setInterval(kPollMs);
    connect(&m_timer, &QTimer::timeout, this, &DriveCombo::refreshDrives);
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        setToolTip(currentIndex() >= 0 ? itemData(currentIndex(), Qt::ToolTipRole).toString() : QString());
        if (!m_filling && (m_hasDrives || listsLibraries()) && currentIndex() >= 0)
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
    QList<LibrarySource> sources;
    if (listsLibraries()) {
        sources = LibrarySources::list(m_computerRoot, drives, m_project);
    } else {
        for (const DriveEntry &drive : drives)
            sources.append({LibrarySource::Kind::Card, drive.label, drive.rootPath, drive.readOnly, false});
    }
    const LibrarySource chosen = currentLibrary();
    bool chosenGone = false;
    if (drives != m_drives || sources != m_sources) {
        m_filling = true;
        refill(drives, sources);
        int index = LibrarySources::indexOfRoot(sources, chosen.rootPath);
        if (index < 0 && !sources.isEmpty()) {
            chosenGone = !chosen.rootPath.isEmpty();
            index = m_choosesFirst ? 0 : -1;
        }
        setCurrentIndex(index);
        m_filling = false;
        emit librariesChanged();
    }
    const bool haveCards = std::any_of(m_sources.cbegin(), m_sources.cend(), [](const LibrarySource &source) {
        return source.kind == LibrarySource::Kind::Card;
    });
    setEnabled(count() > 0);
    if (!m_hasDrives && haveCards) {
        m_hasDrives = true;
        if (listsLibraries()) {
            // A card that appears is what the user wants to see: the list turns to it.
            m_filling = true;
            setCurrentIndex(
                int(std::find_if(m_sources.cbegin(), m_sources.cend(),
                                 [](const LibrarySource &source) { return source.kind == LibrarySource::Kind::Card; })
                    - m_sources.cbegin()));
            m_filling = false;
        }
        emit cardInserted();
        return;
    }
    if (chosenGone && listsLibraries())
        emit chosenLibraryGone(chosen);
    if (m_hasDrives && !haveCards) {
        m_hasDrives = false;
        emit cardRemoved();
    } else if (chosenGone) {
        emit driveChanged();
    }
}

void DriveCombo::refill(const QList<DriveEntry> &drives, const QList<LibrarySource> &sources)
{
    clear();
    for (const LibrarySource &source : sources) {
        const QString text = LibrarySources::itemText(source);
        addItem(text, source.rootPath);
        // The list may be narrower than a long label or path: the whole text and the folder are the tooltip.
        const QString folder = QDir::toNativeSeparators(source.rootPath);
        setItemData(count() - 1, text.endsWith(folder) ? text : text + u'\n' + folder, Qt::ToolTipRole);
    }
    m_drives = drives;
    m_sources = sources;
}

void DriveCombo::setComputerLibrary(const QString &root)
{
    m_computerRoot = root.isEmpty() || root.endsWith(u'/') ? root : root + u'/';
}

void DriveCombo::setOpenProject(const OpenProject &project)
{
    m_project = project;
}

LibrarySource DriveCombo::currentLibrary() const
{
    const int index = currentIndex();
    return index >= 0 && index < m_sources.size() ? m_sources.at(index) : LibrarySource();
}

bool DriveCombo::chooseRoot(const QString &root)
{
    const int index = LibrarySources::indexOfRoot(m_sources, root);
    if (index < 0)
        return false;
    setCurrentIndex(index);
    return true;
}

bool DriveCombo::selectRoot(const QString &rootPath)
{
    if (chooseRoot(rootPath))
        return true;
    setCurrentIndex(-1);
    return false;
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
    const int index = DriveList::indexOfRoot(m_drives, drivePath());
    return index >= 0 ? m_drives.at(index) : DriveEntry();
}
