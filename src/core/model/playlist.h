// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/charsetmode.h"
#include "core/model/loadissue.h"

#include <QByteArray>
#include <QList>
#include <QString>

class LineReader;
class QIODevice;

// One line of a playlist: a stanza of a song, or a slide, named by its title.
struct PlaylistEntry
{
    enum Type : quint8 { Song = 0, Slide = 3 };
    // Kept in memory only: the stanza is the resolved song's refrain.
    static constexpr quint8 kRefrainFlag = 0x80;
    // The title that names no file; such entries are kept but never looked up.
    static constexpr char16_t kPlaceholderTitle[] = u"---";

    bool found = false;     // the file exists and was read
    QString title;          // as written in the file
    QString path;           // the resolved file, or the last path tried
    quint8 stanza = 0;      // 1-based stanza position in the low 7 bits, kRefrainFlag on top
    quint8 option = 0;      // brightness, stored and written back unchanged
    quint16 songNumber = 0; // the resolved file's number; 0 when not found
    quint8 type = Song;

    int stanzaPosition() const { return stanza & 0x7F; }
    bool isRefrain() const { return (stanza & kRefrainFlag) != 0; }
    bool isSlide() const { return type == Slide; }
    bool isPlaceholder() const { return title == QStringView(kPlaceholderTitle); }

    // The title's bytes as read. Decoding is not reversible for every byte, so an entry whose
    // title is still the one read from them is written back with exactly these bytes.
    QByteArray fileTitleBytes;
    QString fileTitle;
};

// What a title names in the library: the first file whose title matches, read as a song.
struct PlaylistTarget
{
    bool found = false; // the file exists and could be read
    QString path;       // the matching file, or empty when no name matched
    int number = 0;
    int refrainIndex = 0;
};

// Looks entry titles up while a playlist is read (the library of the same card implements it).
class PlaylistResolver
{
public:
    virtual ~PlaylistResolver() = default;
    virtual PlaylistTarget resolve(PlaylistEntry::Type type, const QString &title) = 0;
};

// A numbered service list (".lst" in "playlist_dir"): a header line "#0/", then one line per
// entry "#TXT/<TAB>#title/<TAB>#stanza/<TAB>#option/" in the board's code, CR LF line ends.
class Playlist
{
public:
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    int number() const { return m_number; }
    void setNumber(int number) { m_number = number; }
    bool isDirty() const { return m_dirty; }
    void setDirty(bool dirty) { m_dirty = dirty; }
    bool isLoaded() const { return m_loaded; }

    // Empty, number -1, no name, neither dirty nor loaded.
    void clear();
    qsizetype count() const { return m_entries.size(); }
    const PlaylistEntry &entry(qsizetype i) const { return m_entries.at(i); }
    PlaylistEntry &entry(qsizetype i) { return m_entries[i]; }
    const QList<PlaylistEntry> &entries() const { return m_entries; }
    void remove(qsizetype i);
    void append(const PlaylistEntry &entry) { m_entries.append(entry); }
    // Both set dirty; indexes must be valid (insert: 0..count).
    void insert(qsizetype i, const PlaylistEntry &entry);
    void move(qsizetype from, qsizetype to);

    // Number and name from a file name such as "0003 Msza.lst".
    void parseFileName(const QString &path);

    // Reads the entries after clearing them; number and name stay. Each title is decoded in
    // charset (the board charset of the program's language) and resolved through resolver; one
    // that is not found there is tried decoded in the other charset. An entry that cannot be
    // resolved records issue 5 naming this playlist. A line that is not an entry ends the list.
    // False only when the device is not readable.
    bool read(QIODevice &device, CharsetMode charset, PlaylistResolver *resolver, IssueList *issues = nullptr,
              QString *error = nullptr);
    // clear(), parseFileName(), read(). False, with the playlist cleared, when the file cannot be opened.
    bool load(const QString &path, CharsetMode charset, PlaylistResolver *resolver, IssueList *issues = nullptr,
              QString *error = nullptr);

    // The file's bytes: the refrain flag is cleared, the fields tab-separated, CR LF line ends.
    QByteArray toBytes() const;
    bool write(QIODevice &device, QString *error = nullptr) const;
    // Writes atomically, so a failed save leaves the previous file; clears dirty.
    bool save(const QString &path, QString *error = nullptr);

private:
    static PlaylistEntry readEntry(QByteArrayView line, CharsetMode charset);
    // read() after the device check: the entries up to the first line that is not one.
    void readLines(LineReader &lines, CharsetMode charset, PlaylistResolver *resolver, IssueList *issues);
    void resolveEntry(PlaylistEntry &entry, CharsetMode charset, PlaylistResolver *resolver, IssueList *issues) const;

    QString m_name;
    int m_number = -1;
    QList<PlaylistEntry> m_entries;
    bool m_dirty = false;
    bool m_loaded = false;
};
