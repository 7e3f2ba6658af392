// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the guide's pictures from the program itself, in one language:
//   lumivox-guide-pictures LANGUAGE OUTDIR CARDDIR
// The main window is composed as at start-up, on a copy of the demo card in CARDDIR (replaced;
// the pictures show its path, so a fixed one keeps them the same from run to run; one planted
// duplicate number, so that the issue window has something to show), at a fixed size, style and
// font; every window is saved with QWidget::grab. Settings, data and work folders live in a
// temporary folder. Run it offscreen (scripts/screenshots does).
#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/card/driveprovider.h"
#include "core/model/charsetmode.h"
#include "gui/app/messageboxes.h"
#include "gui/editor/songeditorpage.h"
#include "gui/library/librarypanel.h"
#include "gui/library/librarytree.h"
#include "gui/main/mainwindow.h"
#include "gui/main/projectactions.h"
#include "gui/playlist/playlistpage.h"
#include "tonefile/tonefile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QStackedWidget>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

const QSize kMainWindowSize(1100, 680);

void settle(int ms = 150)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool copyTree(const QString &from, const QString &to)
{
    bool ok = true;
    for (QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString file = it.next();
        const QString target = to + u'/' + QDir(from).relativeFilePath(file);
        ok &= QDir().mkpath(QFileInfo(target).path()) && QFile::copy(file, target);
    }
    return ok;
}

class Pictures
{
public:
    explicit Pictures(const QString &out) : m_out(out) {}

    void save(QWidget *widget, const QString &name)
    {
        if (!widget) {
            fail(name, QStringLiteral("no window to take"));
            return;
        }
        settle();
        const QString path = m_out.filePath(name + u".png");
        if (!widget->grab().save(path))
            fail(name, u"cannot write " + path);
        else
            QTextStream(stdout) << path << '\n';
    }

    // Starts something that opens a modal dialog, saves the dialog once it is up, and closes it.
    void saveModal(const QString &name, const std::function<void()> &open,
                   const std::function<void(QWidget *)> &prepare = {})
    {
        bool taken = false;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || taken)
                return;
            taken = true;
            if (prepare)
                prepare(dialog);
            save(dialog, name);
            dialog->close();
        });
        poll.start();
        open();
        if (!taken)
            fail(name, QStringLiteral("no dialog opened"));
    }

    void fail(const QString &name, const QString &why)
    {
        QTextStream(stderr) << name << ": " << why << '\n';
        m_ok = false;
    }
    bool ok() const { return m_ok; }

private:
    QDir m_out;
    bool m_ok = true;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication::setOrganizationName(QStringLiteral("Vorex"));
    QApplication::setApplicationName(QStringLiteral("Lumivox"));
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        QTextStream(stderr) << "usage: lumivox-guide-pictures LANGUAGE OUTDIR CARDDIR\n";
        return 2;
    }
    // The same look on every machine: Qt's own style and palette, one font.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));

    QTemporaryDir temp;
    AppDirs dirs = AppDirs::standard(QCoreApplication::applicationDirPath());
    dirs.dataDir = temp.filePath(QStringLiteral("data/"));
    dirs.workDir = temp.filePath(QStringLiteral("work/"));
    QSettings store(temp.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    AppCore core(&store, dirs);
    core.loadPersistentState();
    core.settings().setLastLanguage(args[1]);
    if (Lang::load(dirs.languageDir(), args[1]) != Lang::LoadResult::Loaded) {
        QTextStream(stderr) << "cannot load the language " << args[1] << " from " << dirs.languageDir() << '\n';
        return 2;
    }
    setCurrentCharsetMode(CharsetMode(core.settings().charset()));
    core.loadBoardFonts();

    const QString card = QDir(args[3]).absolutePath();
    if (!QDir(card).removeRecursively() || !copyTree(dirs.demoCardDir(), card)) {
        QTextStream(stderr) << "cannot copy the demo card from " << dirs.demoCardDir() << '\n';
        return 2;
    }
    // A second song under number 10: the issue window's picture shows a duplicate.
    const QString carol = card + QStringLiteral("/Kolędy/0010 Bóg się rodzi.txt");
    QFile::copy(carol, card + QStringLiteral("/Kolędy/0010 Bóg się rodzi (kopia).txt"));
    core.setCardFolders({card});
    // A music folder with a recording of the song the timing window is shown with.
    // It lies beside the card, as the card does in a fixed place: the settings picture shows it.
    const QString music = QFileInfo(card).dir().filePath(QStringLiteral("music"));
    QDir(music).removeRecursively();
    QDir().mkpath(music);
    QString error;
    if (!ToneFile::write(music + QStringLiteral("/Wśród nocnej ciszy.wav"), ToneFile::ToneShape{}, &error))
        QTextStream(stderr) << "no music file: " << error << '\n';
    core.settings().setLastMusicDir(music);

    Pictures pictures(args[2]);
    QDir().mkpath(args[2]);
    // Boxes are answered with OK, never shown.
    UiSeams seams;
    seams.responder = [](const MessageBoxes::Request &) { return QMessageBox::Ok; };
    MainWindow frame(std::move(seams));
    frame.compose(std::make_shared<FakeDriveProvider>());
    new ProjectActions(&frame);
    LibraryPanel *panel = frame.libraryPanel();
    frame.resize(kMainWindowSize);
    frame.show();
    for (QElapsedTimer clock;
         !panel->isSettled() && (clock.isValid() || (clock.start(), true)) && clock.elapsed() < 10000;)
        settle(20);
    if (auto *tree = panel->findChild<LibraryTree *>()) {
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if ((*it)->text(0) == u"Kolędy")
                (*it)->setExpanded(true);
        }
    }
    pictures.save(&frame, QStringLiteral("main-window"));
    pictures.save(panel, QStringLiteral("library-tree"));

    pictures.saveModal(QStringLiteral("settings"), [&] { frame.action(Command::ProgramSettings)->trigger(); });
    pictures.saveModal(QStringLiteral("search"), [&] { frame.action(Command::FindSong)->trigger(); });
    pictures.saveModal(QStringLiteral("card-wizard"), [&] { frame.action(Command::CardWizard)->trigger(); });
    pictures.saveModal(
        QStringLiteral("import-songs"), [&] { frame.action(Command::CardWizard)->trigger(); },
        [](QWidget *wizard) {
            if (auto *radio = wizard->findChild<QRadioButton *>(QStringLiteral("importRadio")))
                radio->click();
        });
    pictures.saveModal(QStringLiteral("report"), [&] { frame.action(Command::GenerateReport)->trigger(); });
    pictures.saveModal(
        QStringLiteral("font-editor"), [&] { frame.action(Command::FontEditor)->trigger(); },
        [](QWidget *editor) {
            // The letter "A", typed into the code field as a user would.
            if (auto *code = editor->findChild<QLineEdit *>(QStringLiteral("decimalEdit"))) {
                code->selectAll();
                for (const QChar digit : QStringLiteral("65")) {
                    QKeyEvent key(QEvent::KeyPress, Qt::Key_0 + digit.digitValue(), Qt::NoModifier, QString(digit));
                    QApplication::sendEvent(code, &key);
                }
            }
        });

    frame.action(Command::IssueWindow)->trigger();
    settle();
    QWidget *issues = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->inherits("IssueWindow"))
            issues = window;
    }
    pictures.save(issues, QStringLiteral("issue-window"));
    if (issues)
        issues->close();

    if (SongEditorPage *editor = frame.editorPage();
        editor && editor->openSong(card + QStringLiteral("/Kolędy/0011 Wśród nocnej ciszy.txt"))) {
        frame.pages()->setCurrentWidget(editor);
        pictures.save(&frame, QStringLiteral("song-editor"));
        const auto click = [&frame](const char *name) {
            if (auto *button = frame.findChild<QAbstractButton *>(QLatin1StringView(name)))
                button->click();
        };
        pictures.saveModal(QStringLiteral("song-structure"), [&] { click("structure"); });
        pictures.saveModal(
            QStringLiteral("music-timing"), [&] { click("musicTiming"); },
            [](QWidget *dialog) {
                // The recording chosen, as a user would before pressing Play.
                if (auto *files = dialog->findChild<QComboBox *>())
                    files->setCurrentIndex(files->count() - 1);
            });
    } else {
        pictures.fail(QStringLiteral("song-editor"), QStringLiteral("the demo song did not open"));
    }

    if (PlaylistPage *playlists = frame.playlistPage()) {
        const QStringList lists = QDir(card + QStringLiteral("/playlist_dir")).entryList({QStringLiteral("*.lst")});
        if (!lists.isEmpty())
            playlists->openPlaylist(card + QStringLiteral("/playlist_dir/") + lists.first());
        frame.pages()->setCurrentWidget(playlists);
        pictures.save(&frame, QStringLiteral("playlist"));
    }
    return pictures.ok() ? 0 : 1;
}
