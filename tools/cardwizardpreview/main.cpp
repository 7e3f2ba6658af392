// SPDX-License-Identifier: GPL-3.0-or-later
// Developer preview of the card wizard's pages in one language, as PNG files:
//   lumivox-card-wizard-preview LANGUAGE OUTDIR
// writes choose.png (a folder card), fat16.png (the warning), write.png, append.png, restore.png,
// import.png (step 1 of each), plan.png (the plan of a write), written.png (step 2 after a real
// write onto a folder card), appended.png (the list of appended items), shortfall.png (a plan on a
// full card), mismatch.png (the message after a read-back found a changed file), foreign.png
// (the question before clearing a card that also holds notes), leftover.png (a plan that removes
// a killed write's temporary file) and busy.png (another writer holds the card). Without a
// display, run it with QT_QPA_PLATFORM=offscreen.
#include "core/app/appdirs.h"
#include "core/app/language.h"
#include "core/card/cardplan.h"
#include "core/util/folderlock.h"
#include "gui/app/messageboxes.h"
#include "gui/app/uiseams.h"
#include "gui/card/appendedfilesdialog.h"
#include "gui/card/cardwizard.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

bool save(QWidget &widget, const QString &path)
{
    widget.show();
    QApplication::processEvents();
    return widget.grab().save(path);
}

// The wizard copying image, opened as a project, to card.
void route(CardWizard &wizard, const QString &image, const QString &card)
{
    wizard.setSources({{LibrarySource::Kind::Project, QStringLiteral("niedziela.lvp"), image, false, false}}, 0);
    wizard.setTargetRoot(card);
}

void writeFile(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("#n 0\r\n");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: lumivox-card-wizard-preview LANGUAGE OUTDIR\n";
        return 2;
    }
    const AppDirs dirs = AppDirs::standard(QCoreApplication::applicationDirPath());
    if (Lang::load(dirs.languageDir(), args[1]) != Lang::LoadResult::Loaded) {
        QTextStream(stderr) << "cannot load language " << args[1] << '\n';
        return 2;
    }
    // Every window of the preview answers its boxes with OK unless it is told otherwise.
    const auto seamed = [](QWidget *window) -> UiSeams & {
        UiSeams seams;
        seams.responder = [](const MessageBoxes::Request &) { return QMessageBox::Ok; };
        return installSeams(window, std::move(seams));
    };
    const QDir out(args[2]);
    QDir().mkpath(out.path());
    QTemporaryDir temp;
    const QString image = temp.filePath(QStringLiteral("image/"));
    const QString card = temp.filePath(QStringLiteral("KARTA/"));
    for (const char *file : {"Maryjne/0001 Zdrowaś Maryjo.txt", "Kolędy/0002 Wśród nocnej ciszy.txt",
                             "playlist_dir/0001 Niedziela.lst", "screen_dir/0001 Ogłoszenia.ekr"})
        writeFile(image + QString::fromUtf8(file));
    QDir().mkpath(card);
    auto folder = std::make_shared<FakeDriveProvider>();
    folder->setDrives({{QStringLiteral("KARTA"), card, false, QStringLiteral("FOLDER"), card, true}});
    auto fat16 = std::make_shared<FakeDriveProvider>();
    fat16->setDrives({{QStringLiteral("SD"), QStringLiteral("/media/user/SD/"), false, QStringLiteral("FAT16"),
                       QStringLiteral("/dev/sdb1"), false}});
    bool ok = true;
    {
        CardWizard wizard(image, temp.filePath(QStringLiteral("Backups")), folder, nullptr);
        seamed(&wizard).volumeProbe = [](const QString &) { return CardVolume{32768, 65536}; };
        route(wizard, image, card);
        wizard.next();
        wizard.next();
        ok &= save(wizard, out.filePath(QStringLiteral("shortfall.png")));
    }
    {
        CardWizard wizard(image, temp.filePath(QStringLiteral("Backups")), folder, nullptr);
        seamed(&wizard);
        route(wizard, image, card);
        ok &= save(wizard, out.filePath(QStringLiteral("choose.png")));
        wizard.next();
        ok &= save(wizard, out.filePath(QStringLiteral("write.png")));
        wizard.next();
        ok &= save(wizard, out.filePath(QStringLiteral("plan.png")));
        wizard.next();
        ok &= save(wizard, out.filePath(QStringLiteral("written.png")));
    }
    {
        CardWizard wizard(image, temp.filePath(QStringLiteral("Backups")), fat16, nullptr);
        seamed(&wizard);
        route(wizard, image, QStringLiteral("/media/user/SD/"));
        ok &= save(wizard, out.filePath(QStringLiteral("fat16.png")));
    }
    for (const char *name : {"append", "restore", "import"}) {
        CardWizard wizard(image, temp.filePath(QStringLiteral("Backups")), folder, nullptr);
        seamed(&wizard);
        route(wizard, image, card);
        wizard.findChild<QRadioButton *>(QLatin1StringView(name) + u"Radio")->click();
        wizard.next();
        ok &= save(wizard, out.filePath(QLatin1StringView(name) + u".png"));
    }
    writeFile(card + QStringLiteral("Stare/0009 Stary hymn.txt"));
    {
        CardWizard wizard(image, temp.filePath(QStringLiteral("Backups")), folder, nullptr);
        route(wizard, image, card);
        wizard.setBeforeVerify([](const QString &root) {
            QFile file(root + QStringLiteral("/Kolędy/0002 Wśród nocnej ciszy.txt"));
            if (file.open(QIODevice::Append))
                file.write("x");
        });
        seamed(&wizard).responder = [&](const MessageBoxes::Request &request) {
            QMessageBox box(request.icon, request.caption, request.text, QMessageBox::Ok);
            ok &= save(box, out.filePath(QStringLiteral("mismatch.png")));
            return QMessageBox::Ok;
        };
        wizard.next();
        wizard.next();
        wizard.next();
    }
    writeFile(card + QStringLiteral("NOTES.md"));
    writeFile(card + QStringLiteral(".git/HEAD"));
    writeFile(card + QStringLiteral("Kolędy/.lumivox-999999999-0-0.tmp"));
    {
        CardWizard wizard(image, temp.filePath(QStringLiteral("Backups")), folder, nullptr);
        UiSeams &seams = seamed(&wizard);
        route(wizard, image, card);
        const auto saveBox = [&](const QString &name) {
            seams.responder = [&ok, &out, name](const MessageBoxes::Request &request) {
                QMessageBox box(request.icon, request.caption, request.text, request.buttons);
                ok &= save(box, out.filePath(name));
                return request.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
            };
        };
        saveBox(QStringLiteral("foreign.png"));
        wizard.next();
        wizard.next();
        ok &= save(wizard, out.filePath(QStringLiteral("leftover.png")));
        const FolderLock other(card);
        saveBox(QStringLiteral("busy.png"));
        wizard.next();
    }
    {
        AppendedFilesDialog dialog({{QStringLiteral("Zdrowaś Maryjo"), 0, 1, 1},
                                    {QStringLiteral("Niedziela"), 1, 12, 0},
                                    {QStringLiteral("Ogłoszenia"), 2, 3, 0}});
        seamed(&dialog);
        ok &= save(dialog, out.filePath(QStringLiteral("appended.png")));
    }
    return ok ? 0 : 1;
}
