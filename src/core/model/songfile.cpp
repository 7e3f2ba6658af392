// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/songfile.h"

#include "core/model/boardcharset.h"
#include "core/model/itemname.h"
#include "core/model/linereader.h"
#include "core/util/atomicsave.h"
#include "core/util/deviceio.h"
#include "core/util/leadingint.h"
#include "core/util/posixfile.h"

#include <QFile>
#include <QFileInfo>

namespace SongFile {
namespace {

constexpr int kMaxNameLength = 39;
constexpr qint64 kWholeReadBytes = 1 << 20;

// Only a line wholly made of 0xFF is empty in a Cyrillic file: there 0xFF is a letter.
bool isEmptyLineMark(QByteArrayView line, CharsetMode charset)
{
    if (line.isEmpty() || uchar(line[0]) != 0xFF)
        return false;
    if (charset == CharsetMode::Latin)
        return true;
    for (char c : line) {
        if (uchar(c) != 0xFF)
            return false;
    }
    return true;
}

class SongReader
{
public:
    template <typename Input>
    SongReader(Input &&input, Song &song, IssueList *issues) : m_lines(input), m_song(song), m_issues(issues)
    {}

    SongReadInfo run();

private:
    void report(IssueCode code)
    {
        if (!m_issues)
            return;
        // Named only when needed: most files have nothing to report.
        if (m_issueName.isNull())
            m_issueName = QFileInfo(m_song.path()).completeBaseName();
        m_issues->append(m_song.number(), code, IssueFileType::Song, {}, m_issueName);
    }
    void readSequence(QByteArrayView line);
    void readScreen(QByteArrayView directive);
    void readScreenLine(QChar *row, bool keep);

    LineReader m_lines;
    Song &m_song;
    IssueList *m_issues;
    QString m_issueName;
    SongReadInfo m_info;
    bool m_droppingStanza = false;
};

SongReadInfo SongReader::run()
{
    m_song.setCharset(CharsetMode::Latin);
    m_song.clear();
    bool inStanza = false;
    QByteArrayView line;
    while (m_lines.next(line)) {
        if (line.size() < 2 || line[0] != '#')
            continue;
        const char directive = line[1];
        if (directive == 'z' || directive == 'r') {
            m_droppingStanza = m_song.stanzaCount() >= kMaxStanzas;
            if (m_droppingStanza) {
                m_info.limitExceeded = true;
            } else {
                m_song.appendStanza();
                if (directive == 'r')
                    m_song.setRefrainIndex(m_song.stanzaCount());
            }
            inStanza = true;
        } else if (!inStanza) {
            if (directive == 'n')
                m_song.setCharset(line.size() >= 4 && line[3] == '1' ? CharsetMode::Cyrillic : CharsetMode::Latin);
            else if (directive == 'k' && m_song.kind() != SongKind::Slide)
                readSequence(line);
        } else if (directive == 'e') {
            readScreen(line);
        }
    }

    if (m_song.sequenceHasRefrain() && m_song.refrainIndex() == 0)
        report(IssueCode::RefrainMissing);
    if (m_info.limitExceeded)
        report(IssueCode::LimitExceeded);
    m_song.markSaved();

    // A song always has a first screen to edit; the blank one goes into the first stanza.
    if (m_song.stanzaCount() == 0) {
        m_song.insertStanzaAfterCurrent();
    } else if (m_song.screenCount(0) == 0) {
        m_song.setCursor(0, 0);
        m_song.addScreenAfterCurrent();
        m_song.setCursor(0, 0);
    }
    return m_info;
}

void SongReader::readSequence(QByteArrayView line)
{
    if (line.size() <= 3) {
        report(IssueCode::EmptySequence);
        return;
    }
    QList<int> sequence;
    qsizetype pos = 3;
    for (;;) {
        const qsizetype comma = line.indexOf(',', pos);
        if (comma < 0)
            break;
        const QByteArrayView entry = line.sliced(pos, comma - pos);
        sequence.append(!entry.isEmpty() && entry[0] == 'r' ? RefrainMarker : leadingInt(entry));
        pos = comma + 1;
    }
    m_song.setSequence(sequence);
}

void SongReader::readScreen(QByteArrayView directive)
{
    const bool timed = directive.size() > 2;
    const int time = timed ? leadingInt(directive.sliced(qMin<qsizetype>(3, directive.size()))) : 0;
    if (timed)
        m_song.setHasTimings(true);

    const bool keep = !m_droppingStanza && m_song.currentScreenCount() < kMaxScreensPerStanza;
    if (!keep)
        m_info.limitExceeded = true;
    QString text(kScreenChars, Qt::Uninitialized);
    for (int k = 0; k < kScreenLines; ++k)
        readScreenLine(text.data() + k * kLineChars, keep);
    if (!keep)
        return;
    m_song.appendScreen(std::move(text), time);
}

void SongReader::readScreenLine(QChar *row, bool keep)
{
    QByteArrayView line;
    qsizetype decoded = 0;
    if (m_lines.next(line)) {
        const QByteArrayView kept = line.first(qMin<qsizetype>(line.size(), kLineChars));
        if (keep && kept.contains('\t'))
            m_info.tabsReplaced = true; // the decoder gives a space for the tab byte
        if (!isEmptyLineMark(kept, m_song.charset())) {
            BoardCharset::decodeInto(kept, m_song.charset(), row);
            decoded = kept.size();
        }
    }
    std::fill(row + decoded, row + kLineChars, QChar(u' '));
    if (keep && decoded < kLineChars)
        report(IssueCode::ShortLine);
}

} // namespace

void parseFileName(Song &song, const QString &path, IssueList *issues)
{
    const QStringView name = QStringView(path).sliced(path.lastIndexOf(u'/') + 1);
    song.setNumber(ItemName::number(name));
    song.setTitle(ItemName::titleOfFileName(name));
    const std::optional<ItemKind> kind = ItemName::kindOf(name);
    if (kind == ItemKind::Song)
        song.setKind(SongKind::Song);
    else if (kind == ItemKind::Slide)
        song.setKind(SongKind::Slide);
    if (issues && name.size() > kMaxNameLength) {
        issues->append(song.number(), IssueCode::NameTooLong,
                       song.kind() == SongKind::Slide ? IssueFileType::Slide : IssueFileType::Song, {},
                       QFileInfo(path).completeBaseName());
    }
}

bool read(QIODevice &device, Song &song, IssueList *issues, SongReadInfo *info, QString *error)
{
    if (!checkReadable(device, error))
        return false;
    SongReader reader(device, song, issues);
    const SongReadInfo result = reader.run();
    if (info)
        *info = result;
    return true;
}

void fromBytes(const QByteArray &bytes, Song &song, IssueList *issues, SongReadInfo *info)
{
    SongReader reader(QByteArrayView(bytes), song, issues);
    const SongReadInfo result = reader.run();
    if (info)
        *info = result;
}

QByteArray toBytes(const Song &song)
{
    QByteArray out;
    const qsizetype lineBytes = kLineChars + 2;
    qsizetype screens = 0;
    for (const Stanza &stanza : song.stanzas())
        screens += stanza.screens.size();
    out.reserve(32 + song.sequenceLength() * 4 + song.stanzaCount() * 4 + screens * (16 + kScreenLines * lineBytes));

    out += "#n ";
    out += QByteArray::number(int(song.charset()));
    out += "\r\n#k ";
    for (int entry : song.sequence()) {
        if (entry == RefrainMarker)
            out += 'r';
        else
            out += QByteArray::number(entry);
        out += ',';
    }
    out += "\r\n";

    const bool latin = song.charset() == CharsetMode::Latin;
    for (int i = 0; i < song.stanzaCount(); ++i) {
        out += i + 1 == song.refrainIndex() ? "#r\r\n" : "#z\r\n";
        for (const Screen &screen : song.stanzas().at(i).screens) {
            if (song.hasTimings()) {
                out += "#e ";
                out += QByteArray::number(screen.time);
                out += "\r\n";
            } else {
                out += "#e\r\n";
            }
            const QString text = Song::normalizedScreenText(screen.text);
            for (int k = 0; k < kScreenLines; ++k) {
                const qsizetype at = out.size();
                out.resize(at + lineBytes);
                char *line = out.data() + at;
                BoardCharset::encodeInto(QStringView(text).mid(k * kLineChars, kLineChars), line);
                // A Latin line that starts with 0xFF reads back as an empty line.
                if (latin && uchar(line[0]) == 0xFF)
                    line[0] = ' ';
                line[kLineChars] = '\r';
                line[kLineChars + 1] = '\n';
            }
        }
    }
    return out;
}

bool write(QIODevice &device, const Song &song, QString *error)
{
    return writeAll(device, toBytes(song), error);
}

bool loadWithoutRewrite(const QString &path, Song &song, IssueList *issues, SongReadInfo *info, QString *error)
{
    return loadWithoutRewrite(PosixFile(path), path, song, issues, info, error);
}

bool loadWithoutRewrite(const PosixFile &file, const QString &path, Song &song, IssueList *issues, SongReadInfo *info,
                        QString *error)
{
    const qint64 size = file.regularFileSize();
    if (size < 0) {
        if (error)
            *error = file.errorString();
        return false;
    }
    song.setPath(path);
    parseFileName(song, path, issues);
    // A song file is a few KB: one read of its known size. A larger one is streamed.
    if (size <= kWholeReadBytes) {
        fromBytes(file.readUpTo(size), song, issues, info);
    } else {
        QFile stream;
        file.openDevice(stream);
        read(stream, song, issues, info);
    }
    return true;
}

bool rewriteReplacedTabs(const QString &path, Song &song, const SongReadInfo &info, const SongLoadOptions &options,
                         QString *error)
{
    if (!info.tabsReplaced || info.limitExceeded || !options.rewriteTabs)
        return true;
    QString rewriteError;
    if (save(path, song, &rewriteError))
        return true;
    if (error)
        *error = QStringLiteral("The file was read with its tabs as spaces but not rewritten: ") + rewriteError;
    return false;
}

bool load(const QString &path, Song &song, IssueList *issues, const SongLoadOptions &options, QString *error)
{
    SongReadInfo info;
    if (!loadWithoutRewrite(path, song, issues, &info, error))
        return false;
    rewriteReplacedTabs(path, song, info, options, error);
    return true;
}

bool save(const QString &path, Song &song, QString *error)
{
    if (!saveFileAtomically(path, toBytes(song), error))
        return false;
    song.setPath(path);
    parseFileName(song, path);
    song.markSaved();
    return true;
}

} // namespace SongFile
