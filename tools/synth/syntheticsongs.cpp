// SPDX-License-Identifier: GPL-3.0-or-later
#include "synth/syntheticsongs.h"

#include "core/model/songfile.h"

#include <QDir>

namespace SyntheticSongs {
namespace {

const QStringList &words(CharsetMode charset)
{
    static const QStringList latin =
        QStringLiteral("Pan Bóg łaska chwała niebo ziemia serce pieśń święty Maryjo Jezu dobry pokój światło "
                       "wieczny Ojcze duch miłość zbawienie krzyż radość śpiewajmy wszyscy ludzie naród "
                       "źródło żywa woda chleb wiara nadzieja Alleluja amen wołamy błogosław dziś jutro")
            .split(u' ');
    static const QStringList cyrillic =
        QStringLiteral("Господь слава небо земля сердце песнь святой Мария Иисус добрый мир свет вечный Отче "
                       "дух любовь спасение крест радость поём все люди народ источник живая вода хлеб вера "
                       "надежда Аллилуйя аминь зовём благослови днесь Её ёлка")
            .split(u' ');
    return charset == CharsetMode::Cyrillic ? cyrillic : latin;
}

QString word(QRandomGenerator &random, CharsetMode charset)
{
    const QStringList &list = words(charset);
    return list.at(random.bounded(int(list.size())));
}

// Words up to the line width, centred as songs on the board usually are.
QString line(QRandomGenerator &random, CharsetMode charset)
{
    QString text = word(random, charset);
    for (;;) {
        const QString next = word(random, charset);
        if (text.size() + 1 + next.size() > kLineChars || random.bounded(4) == 0)
            break;
        text += u' ' + next;
    }
    const int before = (kLineChars - int(text.size())) / 2;
    return QString(before, u' ') + text;
}

QString screenText(QRandomGenerator &random, CharsetMode charset)
{
    QString text;
    const int used = 4 + random.bounded(kScreenLines - 3);
    for (int k = 0; k < kScreenLines; ++k)
        text += (k < used ? line(random, charset) : QString()).leftJustified(kLineChars, u' ');
    return text;
}

} // namespace

Song makeSong(int number, QRandomGenerator &random, CharsetMode charset, SongKind kind)
{
    Song song;
    song.setNumber(number);
    song.setKind(kind);
    song.setCharset(charset);
    QString title = word(random, charset);
    for (int n = random.bounded(3); n > 0; --n) {
        const QString next = word(random, charset);
        if (title.size() + 1 + next.size() > 30)
            break;
        title += u' ' + next;
    }
    song.setTitle(title);

    const int stanzas = 2 + random.bounded(5);
    for (int i = 0; i < stanzas; ++i) {
        song.appendStanza();
        for (int j = 1 + random.bounded(3); j > 0; --j) {
            song.addScreenAfterCurrent();
            song.setCurrentScreenText(screenText(random, charset));
        }
    }
    if (kind != SongKind::Slide && random.bounded(2) == 1) {
        song.setCursor(1, 0);
        song.makeCurrentStanzaRefrain();
    } else if (kind != SongKind::Slide) {
        song.setDefaultSequence();
    }
    song.setCursor(0, 0);
    return song;
}

QString fileName(const Song &song)
{
    const QString extension = song.kind() == SongKind::Slide ? QStringLiteral(".ekr") : QStringLiteral(".txt");
    return QStringLiteral("%1 ").arg(song.number(), 4, 10, QChar(u'0')) + song.title() + extension;
}

bool writeSongs(const QString &dir, const Options &options, QString *error)
{
    if (!QDir().mkpath(dir)) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(dir);
        return false;
    }
    QRandomGenerator random(options.seed);
    for (int i = 0; i < options.count; ++i) {
        Song song = makeSong(options.firstNumber + i, random, options.charset, options.kind);
        if (!SongFile::save(dir + u'/' + fileName(song), song, error))
            return false;
    }
    return true;
}

} // namespace SyntheticSongs
