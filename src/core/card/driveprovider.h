// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// One place that can hold a card: a removable drive's mount point or a folder opened as a card.
struct DriveEntry
{
    QString label;    // volume label, or the folder's name
    QString rootPath; // always ends with "/"
    bool readOnly = false;
    QString fileSystem; // "FAT32", "EXT4", ...; empty when the medium cannot be read (not listed)
    QString device;     // block device, or the folder itself for a folder card
    bool folderCard = false;

    bool operator==(const DriveEntry &) const = default;
};

// Where the drive list learns which cards are present. Asked on every poll, so answers must be cheap.
class DriveProvider
{
public:
    virtual ~DriveProvider() = default;
    virtual QList<DriveEntry> drives() const = 0;
};

// Folders the user opened as cards (--card DIR, "open folder as card"). A folder that has gone
// away is not listed, as a drive without a medium is not.
class FolderCardProvider : public DriveProvider
{
public:
    static constexpr char16_t kFileSystem[] = u"FOLDER";

    // Adds a folder once (by its absolute, clean path); false when it is no directory.
    bool addFolder(const QString &path);
    QStringList folders() const { return m_folders; }
    QList<DriveEntry> drives() const override;

private:
    QStringList m_folders;
};

// A provider whose entries are set directly: for tests and for callers that already know the drives.
class FakeDriveProvider : public DriveProvider
{
public:
    void setDrives(const QList<DriveEntry> &drives) { m_drives = drives; }
    QList<DriveEntry> drives() const override { return m_drives; }

private:
    QList<DriveEntry> m_drives;
};

// The entries of several providers, in provider order.
class CombinedDriveProvider : public DriveProvider
{
public:
    void add(std::shared_ptr<DriveProvider> provider) { m_providers.push_back(std::move(provider)); }
    QList<DriveEntry> drives() const override;

private:
    std::vector<std::shared_ptr<DriveProvider>> m_providers;
};

namespace DriveList {
// protectPrefix and a blank for a read-only volume, the label, a blank, the root path.
QString itemText(const DriveEntry &drive, const QString &protectPrefix = QStringLiteral("PROTECT"));
// The entries the list shows: those with a file-system name.
QList<DriveEntry> listed(const QList<DriveEntry> &drives);
// Index of the entry with this root path, or -1.
int indexOfRoot(const QList<DriveEntry> &drives, const QString &rootPath);
} // namespace DriveList
