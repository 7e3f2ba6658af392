// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/songlibrary.h"

#include "core/util/fileutils.h"
#include "core/library/libraryplaylistresolver.h"
#include "core/model/playlist.h"
#include "core/model/song.h"
#include "core/model/songfile.h"
#include "core/model/itemname.h"
#include "core/util/orderedworkers.h"
#include "core/util/posixfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

IssueFileType fileTypeOf(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Song:
        return IssueFileType::Song;
    case ItemKind::Slide:
        return IssueFileType::Slide;
    case ItemKind::Playlist:
        return IssueFileType::Playlist;
    }
    return IssueFileType::Song;
}

QString titleKey(const QString &name)
{
    return ItemName::title(name).toLower();
}

} // namespace

// What a worker read from one song or slide file: kept until the calling thread takes it over.
struct ScannedFile
{
    QString path;
    bool read = false;
    Song song;
    IssueList issues;
    SongReadInfo info;
    QString titleKey; // the lower-case title the duplicate check compares
};

SongLibrary::SongLibrary()
    : m_songNumbers(LibraryNaming::kSongTableSize), m_slideNumbers(LibraryNaming::kSlideTableSize),
      m_playlistNumbers(LibraryNaming::kPlaylistTableSize)
{}

void SongLibrary::setRoot(const QString &root)
{
    m_root = root.isEmpty() || root.endsWith(u'/') ? root : root + u'/';
}

LibraryNumberTable &SongLibrary::numbers(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Slide:
        return m_slideNumbers;
    case ItemKind::Playlist:
        return m_playlistNumbers;
    case ItemKind::Song:
        break;
    }
    return m_songNumbers;
}

const LibraryNumberTable &SongLibrary::numbers(ItemKind kind) const
{
    return const_cast<SongLibrary *>(this)->numbers(kind);
}

QString SongGroupFiles::fileName(const QString &file, ItemKind kind) const
{
    const auto spelled = extensions.constFind(file);
    return file + (spelled == extensions.cend() ? ItemName::extension(kind) : *spelled);
}

namespace {

QString fileNameIn(const QList<SongGroupFiles> &lists, const QString &group, const QString &name, ItemKind kind)
{
    for (const SongGroupFiles &list : lists) {
        if (group.isNull() || list.name == group)
            return list.fileName(name, kind);
    }
    return name + ItemName::extension(kind);
}

} // namespace

QString SongLibrary::songPath(const QString &group, const QString &name) const
{
    return LibraryNaming::groupDirectory(m_root, group) + fileNameIn(m_groups, group, name, ItemKind::Song);
}

QString SongLibrary::slidePath(const QString &name) const
{
    return LibraryNaming::slideDirectory(m_root) + u'/' + fileNameIn(m_slideLists, {}, name, ItemKind::Slide);
}

QString SongLibrary::playlistPath(const QString &name) const
{
    return LibraryNaming::playlistDirectory(m_root) + u'/' + fileNameIn(m_playlistLists, {}, name, ItemKind::Playlist);
}

bool SongLibrary::forgetFile(ItemKind kind, const QString &group, const QString &name)
{
    QList<SongGroupFiles> &lists = kind == ItemKind::Song ? m_groups
        : kind == ItemKind::Slide                         ? m_slideLists
                                                          : m_playlistLists;
    int &count = kind == ItemKind::Song ? m_songCount : kind == ItemKind::Slide ? m_slideCount : m_playlistCount;
    for (SongGroupFiles &list : lists) {
        if (kind == ItemKind::Song && list.name != group)
            continue;
        if (list.files.removeOne(name)) {
            list.extensions.remove(name);
            if (count > 0)
                --count;
            return true;
        }
    }
    return false;
}

bool SongLibrary::shouldStop(const Progress &progress) const
{
    return m_stopRequested || progress.stopRequested();
}

void SongLibrary::clearContent()
{
    m_groups.clear();
    m_slideLists.clear();
    m_playlistLists.clear();
    m_songCount = m_slideCount = m_playlistCount = 0;
    m_songNumbers.clear();
    m_slideNumbers.clear();
    m_playlistNumbers.clear();
    m_issues.reset();
    m_titles.clear();
}

bool SongLibrary::scanLibrary(ScanFlags flags, const Progress &progress, const ScanOptions &options)
{
    m_stopRequested = false;
    m_titles.clear();
    if (m_root.isEmpty() || !QFileInfo(m_root).isDir()) {
        clearContent();
        return false;
    }
    if (options.createDirectories) {
        QDir().mkpath(LibraryNaming::slideDirectory(m_root));
        QDir().mkpath(LibraryNaming::playlistDirectory(m_root));
    }
    // Any scan that includes the slides checks the numbers of all three kinds.
    const bool checkNumbers = flags.testAnyFlags(ScanFlag::Slides | ScanFlag::CheckNumbers);
    // The workers end with the scan: none is left running once it returns.
    OrderedWorkers workers(options.workers > 0 ? options.workers : OrderedWorkers::defaultCount());
    const DirectoryListing root = flags.testFlag(ScanFlag::Songs) ? listDirectory(m_root) : DirectoryListing();
    if (flags.testFlag(ScanFlag::Songs))
        scanSongs(workers, root.directories, flags, checkNumbers, progress, options);
    if (flags.testFlag(ScanFlag::Slides))
        scanSlides(workers, flags, checkNumbers, progress, options);
    if (flags.testFlag(ScanFlag::Playlists))
        scanPlaylists(workers, checkNumbers, progress, options);
    // After the kinds: their own checks start by dropping the issues of their kind.
    if (flags.testFlag(ScanFlag::Songs))
        reportRoot(root);
    return !m_issues.isEmpty();
}

void SongLibrary::checkNumber(ItemKind kind, int number, const QString &directory, const QString &name,
                              int indexInGroup, int groupIndex)
{
    if (!LibraryNaming::isValidNumber(kind, number)) {
        m_issues.append(number, IssueCode::NumberOutOfRange, fileTypeOf(kind), directory, name);
        return;
    }
    if (!numbers(kind).claim(number, name, indexInGroup, groupIndex))
        m_issues.append(number, IssueCode::DuplicateNumber, fileTypeOf(kind), directory, name);
}

void SongLibrary::reportDuplicateOwners(ItemKind kind)
{
    const LibraryNumberTable &table = numbers(kind);
    for (int n = 0; n < table.size(); ++n) {
        const LibraryNumberTable::Entry &e = table.entry(n);
        if (!e.duplicate)
            continue;
        QString directory = LibraryNaming::singleDirectoryName(kind);
        if (kind == ItemKind::Song && e.groupIndex < m_groups.size())
            directory = m_groups.at(e.groupIndex).name;
        m_issues.append(n, IssueCode::DuplicateNumber, fileTypeOf(kind), directory, e.fileName);
    }
}

bool SongLibrary::readFiles(OrderedWorkers &workers, const QString &directoryPath, const SongGroupFiles &listed,
                            const QStringList &names, ItemKind kind, const Progress &progress,
                            const std::function<void(int, ScannedFile &)> &take) const
{
    const int count = int(names.size());
    // One slot per item that may be read ahead; reading alternates with taking on one worker.
    std::vector<ScannedFile> results(size_t(workers.slotsFor(count)));
    const auto slotOf = [&results](int i) -> ScannedFile & { return results[size_t(i) % results.size()]; };
    // Files are opened in the open directory, not each along the whole path. A directory that
    // cannot be opened so (a link) has its files opened by path.
    const PosixFile directory = PosixFile::directory(directoryPath);
    return workers.run(
        count,
        [&](int i) {
            ScannedFile &file = slotOf(i);
            file = ScannedFile{};
            const QString fileName = listed.fileName(names.at(i), kind);
            file.path = directoryPath + fileName;
            file.read = SongFile::loadWithoutRewrite(directory.isOpen() ? PosixFile(directory, fileName)
                                                                        : PosixFile(file.path),
                                                     file.path, file.song, &file.issues, &file.info);
            file.titleKey = titleKey(names.at(i));
        },
        [&](int i) {
            if (!startFile(progress, names.at(i), i, count))
                return false;
            take(i, slotOf(i));
            return true;
        });
}

void SongLibrary::takeRead(ScannedFile &read, bool recordIssues, const ScanOptions &options, const QString &group)
{
    if (recordIssues) {
        read.issues.setLocation(group, QFileInfo(read.path).completeBaseName());
        for (const LoadIssue &issue : read.issues)
            m_issues.append(issue);
    }
    if (read.read)
        SongFile::rewriteReplacedTabs(read.path, read.song, read.info, SongLoadOptions{options.rewriteTabs});
}

void SongLibrary::reportUnlisted(const QString &directory, const ItemListing &listing, ItemKind kind)
{
    for (const QByteArray &raw : listing.undecodable) {
        const QString shown = escapedFileName(raw);
        m_issues.append(ItemName::number(shown), IssueCode::UndecodableName, fileTypeOf(kind), directory, shown,
                        QFile::encodeName(directory) + '/' + raw);
    }
    for (const QString &twin : listing.caseTwins)
        m_issues.append(ItemName::number(twin), IssueCode::CaseTwin, fileTypeOf(kind), directory, twin);
}

void SongLibrary::reportRoot(const DirectoryListing &root)
{
    m_issues.removeCodes({IssueCode::OutsideGroups},
                         IssueFileType::Song | IssueFileType::Slide | IssueFileType::Playlist);
    for (const DirectoryListing::RawName &raw : root.undecodable) {
        if (!raw.directory)
            continue;
        const QString shown = escapedFileName(raw.name);
        m_issues.append(ItemName::number(shown), IssueCode::UndecodableName, IssueFileType::Song, {}, shown, raw.name);
    }
    // A card without folders is read flat; with any folder its root files are left out.
    if (!root.hasDirectories())
        return;
    for (const QString &file : root.files) {
        if (ItemName::isItemFileName(file))
            m_issues.append(ItemName::number(file), IssueCode::OutsideGroups, fileTypeOf(*ItemName::kindOf(file)), {},
                            file);
    }
    for (const DirectoryListing::RawName &raw : root.undecodable) {
        const QString shown = escapedFileName(raw.name);
        const std::optional<ItemKind> kind = ItemName::kindOf(shown);
        if (!raw.directory && ItemName::isItemFileName(shown))
            m_issues.append(ItemName::number(shown), IssueCode::OutsideGroups, fileTypeOf(*kind), {}, shown, raw.name);
    }
}

void SongLibrary::scanSongs(OrderedWorkers &workers, const QStringList &directories, ScanFlags flags, bool checkNumbers,
                            const Progress &progress, const ScanOptions &options)
{
    if (checkNumbers) {
        m_issues.removeFileType(IssueFileType::Song);
        m_songNumbers.clear();
    } else {
        m_issues.removeCodes({IssueCode::UndecodableName, IssueCode::CaseTwin}, IssueFileType::Song);
    }
    m_groups.clear();
    m_songCount = 0;
    const QString slideDir = QString::fromUtf16(LibraryNaming::kSlideDirName);
    const QString playlistDir = QString::fromUtf16(LibraryNaming::kPlaylistDirName);

    for (qsizetype d = 0; d < directories.size(); ++d) {
        const QString &directory = directories.at(d);
        // Exact comparison: "SCREEN_DIR" is a group.
        if (directory == slideDir || directory == playlistDir)
            continue;
        if (shouldStop(progress))
            break;
        const int groupIndex = int(m_groups.size());
        progress.directory(directory);
        const ItemListing listing = listItems(m_root + directory, ItemKind::Song);
        reportUnlisted(directory, listing, ItemKind::Song);
        m_groups.append(SongGroupFiles{directory, {}, listing.extensions});
        const QStringList &names = listing.names;
        const int count = int(names.size());
        m_songCount += count;
        QStringList &files = m_groups[groupIndex].files;
        files.reserve(count);
        // Filled by the workers when they read the files, here otherwise.
        QStringList titleKeys;
        if (flags.testFlag(ScanFlag::LoadContents)) {
            titleKeys.reserve(count);
            readFiles(workers, m_root + directory + u'/', m_groups.at(groupIndex), names, ItemKind::Song, progress,
                      [&](int i, ScannedFile &read) {
                          files.append(names.at(i));
                          titleKeys.append(std::move(read.titleKey));
                          takeRead(read, true, options, directory);
                      });
        } else {
            for (int i = 0; i < count && startFile(progress, names.at(i), i, count); ++i)
                files.append(names.at(i));
        }
        if (!checkNumbers)
            continue;
        // Each growth rehashes every title: sized for the directories left holding as many songs
        // as this one (one allocation on an even card), and at least doubled.
        if (const qsizetype needed = m_titles.size() + files.size(); needed > m_titles.capacity()) {
            const qsizetype expected = needed + files.size() * (directories.size() - 1 - d);
            m_titles.reserve(qMax(expected, 2 * m_titles.capacity()));
        }
        for (int i = 0; i < files.size(); ++i) {
            const QString &name = files.at(i);
            const int number = ItemName::number(name);
            checkNumber(ItemKind::Song, number, directory, name, i, groupIndex);
            // Titles are kept in a hash set: a list walk would make a 5000-song scan quadratic.
            const qsizetype known = m_titles.size();
            m_titles.insert(i < titleKeys.size() ? titleKeys.at(i) : titleKey(name));
            if (m_titles.size() == known)
                m_issues.append(number, IssueCode::DuplicateTitle, IssueFileType::Song, directory, name);
        }
    }
    if (checkNumbers)
        reportDuplicateOwners(ItemKind::Song);
}

QStringList SongLibrary::listSingleDirectory(ItemKind kind, bool checkNumbers, const Progress &progress)
{
    const bool slides = kind == ItemKind::Slide;
    const QString dirName = LibraryNaming::singleDirectoryName(kind);
    if (checkNumbers) {
        m_issues.removeFileType(fileTypeOf(kind));
        numbers(kind).clear();
    } else {
        m_issues.removeCodes({IssueCode::UndecodableName, IssueCode::CaseTwin}, fileTypeOf(kind));
    }
    QList<SongGroupFiles> &lists = slides ? m_slideLists : m_playlistLists;
    lists.clear();
    lists.append(SongGroupFiles{dirName, {}, {}});
    int &count = slides ? m_slideCount : m_playlistCount;
    count = 0;
    if (shouldStop(progress))
        return {};
    progress.directory(dirName);
    ItemListing listing = listItems(LibraryNaming::joinPath(m_root, dirName), kind);
    reportUnlisted(dirName, listing, kind);
    lists.first().extensions = std::move(listing.extensions);
    count = int(listing.names.size());
    return listing.names;
}

bool SongLibrary::startFile(const Progress &progress, const QString &name, int index, int count) const
{
    if (shouldStop(progress))
        return false;
    progress.file(name, index, count);
    return true;
}

void SongLibrary::scanSlides(OrderedWorkers &workers, ScanFlags flags, bool checkNumbers, const Progress &progress,
                             const ScanOptions &options)
{
    const QStringList names = listSingleDirectory(ItemKind::Slide, checkNumbers, progress);
    const bool recordIssues = flags.testFlag(ScanFlag::LoadContents);
    QStringList &files = m_slideLists.first().files;
    QList<int> slideNumbers;
    files.reserve(names.size());
    slideNumbers.reserve(names.size());
    readFiles(workers, LibraryNaming::slideDirectory(m_root) + u'/', m_slideLists.first(), names, ItemKind::Slide,
              progress, [&](int i, ScannedFile &read) {
                  files.append(names.at(i));
                  // A slide's number is the one its file yields; one that cannot be read keeps its name's.
                  slideNumbers.append(read.read ? read.song.number() : ItemName::number(names.at(i)));
                  takeRead(read, recordIssues, options, m_slideLists.first().name);
              });
    if (!checkNumbers)
        return;
    const QString dirName = m_slideLists.first().name;
    for (int i = 0; i < files.size(); ++i)
        checkNumber(ItemKind::Slide, slideNumbers.at(i), dirName, files.at(i), i, 0);
    reportDuplicateOwners(ItemKind::Slide);
}

void SongLibrary::scanPlaylists(OrderedWorkers &workers, bool checkNumbers, const Progress &progress,
                                const ScanOptions &options)
{
    const QStringList names = listSingleDirectory(ItemKind::Playlist, checkNumbers, progress);
    QStringList &files = m_playlistLists.first().files;
    const int count = int(names.size());
    for (int i = 0; i < count; ++i) {
        if (!startFile(progress, names.at(i), i, count))
            break;
        files.append(names.at(i));
    }
    if (!checkNumbers)
        return;
    const QString dirName = m_playlistLists.first().name;
    for (int i = 0; i < files.size(); ++i)
        checkNumber(ItemKind::Playlist, ItemName::number(files.at(i)), dirName, files.at(i), i, 0);
    reportDuplicateOwners(ItemKind::Playlist);

    // Every playlist with a valid number, owner or not, is read so that its missing entries show:
    // on the workers, which record a list's issues for this thread to take over in listing order.
    QList<int> checked;
    for (int i = 0; i < files.size(); ++i) {
        if (LibraryNaming::isValidNumber(ItemKind::Playlist, ItemName::number(files.at(i))))
            checked.append(i);
    }
    LibraryPlaylistResolver resolver(*this, SongLoadOptions{options.rewriteTabs},
                                     LibraryPlaylistResolver::Depth::CheckReadable);
    std::vector<IssueList> results(size_t(workers.slotsFor(int(checked.size()))));
    const auto slotOf = [&results](int k) -> IssueList & { return results[size_t(k) % results.size()]; };
    workers.run(
        int(checked.size()),
        [&](int k) {
            IssueList &issues = slotOf(k);
            issues.reset();
            Playlist playlist;
            playlist.load(playlistPath(files.at(checked.at(k))), options.charset, &resolver, &issues);
        },
        [&](int k) {
            const int i = checked.at(k);
            if (!startFile(progress, files.at(i), i, int(files.size())))
                return false;
            IssueList &issues = slotOf(k);
            issues.setLocation(m_playlistLists.first().name, files.at(i));
            for (const LoadIssue &issue : issues)
                m_issues.append(issue);
            return true;
        });
}
