// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/playlist.h"

#include "core/model/boardcharset.h"
#include "core/model/itemname.h"
#include "core/model/linereader.h"
#include "core/util/atomicsave.h"
#include "core/util/deviceio.h"
#include "core/util/leadingint.h"
#include "core/util/posixfile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace {

// No entry line the writer produces comes near this; a longer line is cut, never held whole.
constexpr qsizetype kMaxLineBytes = 64 * 1024;
// A list is a few KB: read in one go up to this size, streamed beyond it.
constexpr qint64 kWholeReadBytes = 1 << 20;

// Fields are "#value/": the value runs from after the next "#" to the following "/". A field
// without "#" is empty; one without its "/" runs to the end of the line.
class FieldCursor
{
public:
    explicit FieldCursor(QByteArrayView line) : m_line(line) {}

    QByteArrayView next()
    {
        const qsizetype hash = m_line.indexOf('#', m_pos);
        if (hash < 0) {
            m_pos = m_line.size();
            return {};
        }
        const qsizetype start = hash + 1;
        qsizetype slash = m_line.indexOf('/', start);
        if (slash < 0)
            slash = m_line.size();
        m_pos = std::min(slash + 1, m_line.size());
        return m_line.sliced(start, slash - start);
    }

private:
    QByteArrayView m_line;
    qsizetype m_pos = 0;
};

CharsetMode otherMode(CharsetMode mode)
{
    return mode == CharsetMode::Latin ? CharsetMode::Cyrillic : CharsetMode::Latin;
}

} // namespace

void Playlist::clear()
{
    m_entries.clear();
    m_number = -1;
    m_name.clear();
    m_dirty = false;
    m_loaded = false;
}

void Playlist::insert(qsizetype i, const PlaylistEntry &entry)
{
    m_entries.insert(i, entry);
    m_dirty = true;
}

void Playlist::move(qsizetype from, qsizetype to)
{
    m_entries.move(from, to);
    m_dirty = true;
}

void Playlist::remove(qsizetype i)
{
    if (i < 0 || i >= m_entries.size())
        return;
    m_entries.removeAt(i);
    m_dirty = true;
}

void Playlist::parseFileName(const QString &path)
{
    const QString fileName = QFileInfo(path).fileName();
    m_number = ItemName::number(fileName);
    m_name = ItemName::titleOfFileName(fileName);
}

PlaylistEntry Playlist::readEntry(QByteArrayView line, CharsetMode charset)
{
    FieldCursor fields(line);
    PlaylistEntry entry;
    entry.type = fields.next() == QByteArrayView("EKR") ? PlaylistEntry::Slide : PlaylistEntry::Song;
    entry.fileTitleBytes = fields.next().toByteArray();
    entry.title = BoardCharset::decode(entry.fileTitleBytes, charset);
    entry.fileTitle = entry.title;
    entry.stanza = quint8(leadingInt(fields.next()) & 0x7F);
    entry.option = quint8(leadingInt(fields.next()));
    return entry;
}

void Playlist::resolveEntry(PlaylistEntry &entry, CharsetMode charset, PlaylistResolver *resolver,
                            IssueList *issues) const
{
    const auto type = PlaylistEntry::Type(entry.type);
    PlaylistTarget target;
    if (resolver) {
        target = resolver->resolve(type, entry.title);
        if (!target.found) {
            // A list written by a program running with the other character set.
            const QString other = BoardCharset::decode(entry.fileTitleBytes, otherMode(charset));
            const PlaylistTarget second = other == entry.title ? PlaylistTarget{} : resolver->resolve(type, other);
            if (second.found) {
                entry.title = other;
                entry.fileTitle = other;
            }
            if (second.found || !second.path.isEmpty())
                target = second;
        }
    }
    entry.path = target.path;
    entry.found = target.found;
    entry.songNumber = target.found ? quint16(target.number) : 0;
    if (entry.isSlide()) {
        entry.stanza = 1;
    } else if (target.found && target.refrainIndex != 0 && entry.stanza == target.refrainIndex) {
        entry.stanza |= PlaylistEntry::kRefrainFlag;
    }
    if (!target.found && issues)
        issues->append(m_number, IssueCode::MissingEntry, IssueFileType::Playlist, {}, m_name);
}

bool Playlist::read(QIODevice &device, CharsetMode charset, PlaylistResolver *resolver, IssueList *issues,
                    QString *error)
{
    m_entries.clear();
    m_loaded = false;
    if (!checkReadable(device, error))
        return false;
    LineReader lines(device, kMaxLineBytes);
    readLines(lines, charset, resolver, issues);
    return true;
}

void Playlist::readLines(LineReader &lines, CharsetMode charset, PlaylistResolver *resolver, IssueList *issues)
{
    m_entries.clear();
    QByteArrayView line;
    bool header = true;
    while (lines.next(line)) {
        if (!line.startsWith('#'))
            break;
        if (header) {
            header = false;
            continue;
        }
        PlaylistEntry entry = readEntry(line, charset);
        if (entry.isPlaceholder()) {
            // Names no file: fixed values rather than whatever the entry before it resolved to.
            entry.found = false;
            entry.songNumber = 0;
            entry.path.clear();
            if (entry.isSlide())
                entry.stanza = 1;
        } else {
            resolveEntry(entry, charset, resolver, issues);
        }
        m_entries.append(entry);
    }
    m_loaded = true;
}

bool Playlist::load(const QString &path, CharsetMode charset, PlaylistResolver *resolver, IssueList *issues,
                    QString *error)
{
    clear();
    parseFileName(path);
    // Only a regular file: a pipe planted under a playlist's name must not hang the scan.
    const PosixFile posix(path);
    const qint64 size = posix.regularFileSize();
    if (size < 0) {
        if (error)
            *error = posix.errorString();
        clear();
        return false;
    }
    // One read of a small list's known size; no QFile, so that a scan's reading threads make no QObject.
    if (size <= kWholeReadBytes) {
        const QByteArray bytes = posix.readUpTo(size);
        LineReader lines{QByteArrayView(bytes), kMaxLineBytes};
        readLines(lines, charset, resolver, issues);
        return true;
    }
    QFile file;
    posix.openDevice(file);
    return read(file, charset, resolver, issues, error);
}

QByteArray Playlist::toBytes() const
{
    QByteArray bytes = QByteArrayLiteral("#0/\r\n");
    for (const PlaylistEntry &entry : m_entries) {
        bytes += entry.isSlide() ? QByteArrayView("#EKR/\t#") : QByteArrayView("#TXT/\t#");
        if (!entry.fileTitleBytes.isNull() && entry.title == entry.fileTitle)
            bytes += entry.fileTitleBytes;
        else
            bytes += BoardCharset::encode(entry.title);
        bytes += "/\t#" + QByteArray::number(entry.stanzaPosition()) + "/\t#" + QByteArray::number(entry.option)
            + "/\r\n";
    }
    return bytes;
}

bool Playlist::write(QIODevice &device, QString *error) const
{
    return writeAll(device, toBytes(), error);
}

bool Playlist::save(const QString &path, QString *error)
{
    if (!saveFileAtomically(path, toBytes(), error))
        return false;
    m_dirty = false;
    return true;
}
