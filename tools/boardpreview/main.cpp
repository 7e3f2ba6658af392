// SPDX-License-Identifier: GPL-3.0-or-later
// Developer preview of the board: renders what the LED matrix shows to PNG files.
//   lumivox-board-preview chart FONT.fnt OUT.png        all 256 glyphs of a font, 16 by 16
//   lumivox-board-preview song SONG.txt OUTDIR [FONTDIR] one PNG per screen of every stanza, with
//                                                       Font_V1 or Font_V2 by the song's charset
// Runs without a display (QT_QPA_PLATFORM=offscreen is set when none is).
#include "common/toolarguments.h"
#include "core/font/boardfont.h"
#include "core/model/song.h"
#include "core/model/songfile.h"
#include "gui/editor/ledmatrix.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

namespace {

QImage renderScreen(LedMatrix &matrix, const QString &text)
{
    matrix.setText(text);
    QImage image(matrix.sizeHint(), QImage::Format_RGB32);
    QPainter p(&image);
    matrix.render(p, image.rect());
    return image;
}

int chart(const BoardFont &font, const QString &out)
{
    LedMatrix matrix;
    matrix.setBoardFont(&font, {});
    matrix.setReadOnly(false);
    matrix.setGridVisible(true);
    // 16 screens' worth of codes, laid out as a 16 x 16 table of glyphs with one cell between.
    constexpr int kCell = 36;
    constexpr int kRowHeight = 52;
    QImage sheet(16 * kCell + 40, 16 * kRowHeight + 40, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    QPainter sp(&sheet);
    sp.setPen(QColor(0x80, 0x80, 0x80));
    for (int i = 0; i < 16; ++i) {
        sp.drawText(QRect(40 + i * kCell, 0, kCell, 40), Qt::AlignCenter, QString::number(i, 16).toUpper());
        sp.drawText(QRect(0, 40 + i * kRowHeight, 40, kRowHeight), Qt::AlignCenter,
                    QString::number(i, 16).toUpper() + u'0');
    }
    for (int code = 0; code < 256; ++code) {
        const Glyph &g = font.glyphs[code];
        const int x0 = 40 + (code % 16) * kCell + 7;
        const int y0 = 40 + (code / 16) * kRowHeight + 6;
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 8; ++r)
                sp.fillRect(x0 + c * 5, y0 + r * 5, 4, 4,
                            g.dot(c, r) ? QColor(0xFB, 0xBE, 0x31) : QColor(0x22, 0x28, 0x28));
    }
    return sheet.scaled(sheet.size() * 2).save(out) ? 0 : 2;
}

int song(const QString &path, const QString &outDir, const QString &fontDir)
{
    Song song;
    SongLoadOptions options;
    options.rewriteTabs = false;
    if (!SongFile::load(path, song, nullptr, options))
        return 2;
    BoardFont font;
    const bool cyrillic = song.charset() == CharsetMode::Cyrillic;
    if (!FontFile::load(fontDir + (cyrillic ? u"/Font_V2.fnt" : u"/Font_V1.fnt"), font))
        return 2;
    QDir().mkpath(outDir);
    LedMatrix matrix;
    matrix.setBoardFont(&font, {});
    matrix.setReadOnly(false);
    int written = 0;
    for (int s = 0; s < song.stanzas().size(); ++s) {
        const Stanza &stanza = song.stanzas()[s];
        for (int k = 0; k < stanza.screens.size(); ++k) {
            const QString file = QStringLiteral("%1/stanza%2-screen%3.png").arg(outDir).arg(s + 1).arg(k + 1);
            if (!renderScreen(matrix, stanza.screens[k].text).save(file))
                return 2;
            ++written;
        }
    }
    QTextStream(stdout) << written << " screens written to " << outDir << '\n';
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int early = checkToolArguments(args.mid(1), {},
                                         "usage: lumivox-board-preview chart FONT.fnt OUT.png\n"
                                         "       lumivox-board-preview song SONG.txt OUTDIR [FONTDIR]\n");
    if (early >= 0)
        return early;
    QTextStream err(stderr);
    BoardFont font;
    if (args.size() == 4 && args[1] == u"chart" && FontFile::load(args[2], font))
        return chart(font, args[3]);
    if ((args.size() == 4 || args.size() == 5) && args[1] == u"song") {
        const QString fontDir = args.size() == 5 ? args[4]
                                                 : QCoreApplication::applicationDirPath() + u"/../share/lumivox/Font";
        return song(args[2], args[3], fontDir);
    }
    err << "usage: lumivox-board-preview chart FONT.fnt OUT.png\n"
           "       lumivox-board-preview song SONG.txt OUTDIR [FONTDIR]\n";
    return 2;
}
