// SPDX-License-Identifier: GPL-3.0-or-later
// Developer preview of the song editor's small dialogs in one language, as PNG files:
//   lumivox-dialog-preview LANGUAGE OUTDIR
// writes songmap.png (mouse over a taken number), songmap-edge.png (the same at the right edge),
// songmap-end.png (scrolled to the end),
// slidemap.png, targetgroup.png, titlemenu.png and lyricreport.png. Without a display, run it with
// QT_QPA_PLATFORM=offscreen or under xvfb-run.
#include "core/app/appdirs.h"
#include "core/app/language.h"
#include "core/library/librarynaming.h"
#include "core/library/librarynumbertable.h"
#include "gui/editor/slidenumberdialog.h"
#include "gui/editor/songnumberdialog.h"
#include "gui/editor/titleedit.h"
#include "gui/library/lyricimportdialogs.h"
#include "gui/widgets/targetgroupdialog.h"
#include "gui/widgets/numbermap.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVBoxLayout>

namespace {

void hover(NumberMap *map, int number)
{
    const QPointF pos = map->cellRect(number).center();
    QMouseEvent move(QEvent::MouseMove, pos, map->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(map, &move);
}

bool save(QWidget &widget, const QString &path)
{
    widget.show();
    QApplication::processEvents();
    return widget.grab().save(path);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: lumivox-dialog-preview LANGUAGE OUTDIR\n";
        return 2;
    }
    const AppDirs dirs = AppDirs::standard(QCoreApplication::applicationDirPath());
    if (Lang::load(dirs.languageDir(), args[1]) != Lang::LoadResult::Loaded) {
        QTextStream(stderr) << "cannot load language " << args[1] << '\n';
        return 2;
    }
    const QDir out(args[2]);
    QDir().mkpath(out.path());
    bool ok = true;

    LibraryNumberTable songs(LibraryNaming::kSongTableSize);
    const char *titles[] = {"Kyrie", "Gloria", "Sanctus", "Agnus Dei", "Ave Maria", "Magnificat"};
    for (int n = 1; n < 4999; n += 7)
        songs.claim(n, QStringLiteral("%1 %2").arg(n, 4, 10, QLatin1Char('0')).arg(QLatin1String(titles[n % 6])), 0, 0);
    songs.claim(15, QStringLiteral("0015 Druga"), 1, 0);
    songs.claim(4990, QStringLiteral("4990 Bogurodzica dziewica"), 0, 0);
    {
        SongNumberDialog dialog(12, songs);
        dialog.show();
        hover(dialog.map(), 372);
        ok &= save(dialog, out.filePath(QStringLiteral("songmap.png")));
        hover(dialog.map(), 78);
        ok &= save(dialog, out.filePath(QStringLiteral("songmap-edge.png")));
        dialog.scrollBar()->setValue(dialog.scrollBar()->maximum());
        hover(dialog.map(), 4990);
        ok &= save(dialog, out.filePath(QStringLiteral("songmap-end.png")));
    }

    LibraryNumberTable slides(LibraryNaming::kSlideTableSize);
    for (int n = 1; n < 499; n += 3)
        slides.claim(n, QStringLiteral("%1 Ogłoszenia %2").arg(n, 4, 10, QLatin1Char('0')).arg(n), 0, 0);
    slides.claim(4, QStringLiteral("0004 Drugi"), 1, 0);
    {
        SlideNumberDialog dialog(7, QStringLiteral("Ogłoszenia"), slides);
        dialog.show();
        hover(dialog.map(), 25);
        ok &= save(dialog, out.filePath(QStringLiteral("slidemap.png")));
    }

    {
        QTemporaryDir card;
        TargetGroupDialog dialog({QStringLiteral("Kolędy"), QStringLiteral("Maryjne"), QStringLiteral("Wielkanoc")},
                                 QStringLiteral("Maryjne"), card.path() + u'/');
        ok &= save(dialog, out.filePath(QStringLiteral("targetgroup.png")));
    }

    {
        QWidget window;
        auto *edit = new TitleEdit(&window);
        edit->setText(QStringLiteral("zdrowaś MARYJO"));
        edit->setSelection(0, 7);
        (new QVBoxLayout(&window))->addWidget(edit);
        window.resize(300, 40);
        window.show();
        QMenu *menu = edit->createMenu(&window);
        menu->popup(edit->mapToGlobal(QPoint(20, 20)));
        QApplication::processEvents();
        ok &= menu->grab().save(out.filePath(QStringLiteral("titlemenu.png")));
    }
    {
        using Code = LyricMessage::Code;
        const auto row = [](const char *file, int number, const char *title, LyricImport::Outcome outcome,
                            LyricMessage reason = {}) {
            LyricImport::FileResult r;
            r.file = QStringLiteral("/home/kantor/OpenLyrics/") + QLatin1String(file);
            r.number = number;
            r.title = QString::fromUtf8(title);
            r.outcome = outcome;
            r.reason = reason;
            return r;
        };
        QList<LyricImport::FileResult> results{
            row("Barka.xml", 153, "Barka", LyricImport::Outcome::Imported),
            row("Gloria.xml", 0, "Gloria", LyricImport::Outcome::Present),
            row("Psalm.xml", 0, "", LyricImport::Outcome::Refused,
                {Code::XmlError, {u"3"_qs}, u"Opening and ending tag mismatch."_qs}),
            row("Litania.xml", 0, "", LyricImport::Outcome::Refused, {Code::StanzaTooLong, {u"1"_qs, u"8"_qs}}),
            row("153 Barka.txt", 0, "", LyricImport::Outcome::Refused, {Code::NotUtfText}),
            row("Kyrie.xml", 0, "", LyricImport::Outcome::Refused, {Code::NoNumber})};
        results[0].notes.replacedCharacters = 2;
        results[0].notes.sameTitle = true;
        results[0].notes.stanzasFromOtherParts = QStringList{u"b1"_qs, u"c2"_qs};
        LyricImportReport dialog(results);
        ok &= save(dialog, out.filePath(QStringLiteral("lyricreport.png")));
    }
    return ok ? 0 : 1;
}
