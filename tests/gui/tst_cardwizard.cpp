// SPDX-License-Identifier: GPL-3.0-or-later
// The card wizard offscreen on a fake drive list and folder cards: which actions each drive
// allows, "Anuluj" during a write, a card that went away, the plan page and the read-back,
// appends, imports, the Tools entry; and every card job run through the wizard and through
// the command line on the same input, which must end alike.
#include "cli/cardcommand.h"
#include "core/app/cardroute.h"
#include "core/app/librarysources.h"
#include "core/card/cardplan.h"
#include "gui/app/shell.h"
#include "gui/card/appendedfilesdialog.h"
#include "gui/card/cardwizard.h"
#include "gui/card/importsongsdialog.h"
#include "gui/app/commandids.h"
#include "filesizelimit.h"
#include "librarytestsupport.h"
#include "tablerows.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace LibraryTest;
using TestSupport::treeOf;
using TestSupport::writeFiles;

namespace {

// Another process that holds a folder's writer lock until this object goes, as a second
// lumivox-cli or program would.
class OtherWriter
{
public:
    explicit OtherWriter(const QString &folder)
    {
        const QByteArray path = QFile::encodeName(folder);
        int ready[2];
        if (pipe(ready) != 0 || pipe(m_release) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            // Only calls that are safe after a fork: the child holds the lock until the pipe closes.
            ::close(m_release[1]);
            const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY);
            char c = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
            if (::write(ready[1], &c, 1) == 1)
                (void)!::read(m_release[0], &c, 1);
            _exit(0);
        }
        ::close(ready[1]);
        ::close(m_release[0]);
        char c = 'n';
        m_locked = m_pid > 0 && ::read(ready[0], &c, 1) == 1 && c == 'y';
        ::close(ready[0]);
    }
    ~OtherWriter()
    {
        ::close(m_release[1]);
        if (m_pid > 0)
            waitpid(m_pid, nullptr, 0);
    }
    bool locked() const { return m_locked; }
    pid_t pid() const { return m_pid; }

private:
    int m_release[2] = {-1, -1};
    pid_t m_pid = -1;
    bool m_locked = false;
};

// A Windows-1250 name, as old cards carry, below the card of a row.
const char kBadName[] = "card/Old/0020 W\xb6"
                        "r\xf3"
                        "d.txt";

} // namespace

class TestCardWizard : public PanelTest
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    QString m_image;
    QString m_card;

    DriveEntry folderCard() const { return {u"CARD"_qs, m_card, false, u"FOLDER"_qs, m_card, true}; }
    // The wizard writing image, opened as a project, to card.
    static void route(CardWizard &w, const QString &image, const QString &card)
    {
        w.setSources({{LibrarySource::Kind::Project, u"a.lvp"_qs, image, false, false}}, 0);
        w.setTargetRoot(card);
    }
    std::unique_ptr<CardWizard> wizard()
    {
        auto w = std::make_unique<CardWizard>(m_image, m_dir->filePath(u"Backups"_qs), m_drives, nullptr);
        seamed(w.get());
        route(*w, m_image, m_card);
        w->show();
        return w;
    }
    template <typename T>
    static T *child(QWidget *w, const char *name)
    {
        return w->findChild<T *>(QLatin1StringView(name));
    }
    static QString info(CardWizard &w) { return child<QLabel>(&w, w.step() == 2 ? "resultLine" : "infoLine")->text(); }

    // What the card of a row holds before the job, below root ("a/" or "b/").
    void prepare(const QString &root, const QString &card, const QString &condition, qint64 ended)
    {
        QVERIFY(writeFiles(root + u"image/",
                           {u"G/0001 A.txt"_qs, u"G/0002 B.txt"_qs, u"H/0003 C.txt"_qs, u"playlist_dir/0004 L.lst"_qs,
                            u"screen_dir/0005 S.ekr"_qs}));
        if (condition == u"fsize")
            QVERIFY(TestSupport::writeFile(root + u"image/H/0006 Duza.txt", QByteArray(4000, 'x')));
        QVERIFY(QDir().mkpath(root + u"card"));
        if (card != u"empty" && card != u"stale")
            QVERIFY(writeFiles(root + u"card/", {u"Old/0009 X.txt"_qs, u"screen_dir/0008 Y.ekr"_qs}, "old"));
        if (card == u"notes")
            QVERIFY(writeFiles(root + u"card/", {u"NOTES.md"_qs, u".git/HEAD"_qs}, "mine"));
        if (card == u"badname") {
            const QByteArray name = QFile::encodeName(root) + QByteArray(kBadName);
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            QVERIFY(fd >= 0 && ::close(fd) == 0);
        }
        if (card == u"stale") {
            QVERIFY(TestSupport::copyTree(root + u"image", root + u"card"));
            QVERIFY(writeFiles(root + u"card/", {u"G/0002 B.txt"_qs}, "changed"));
            QVERIFY(writeFiles(root + u"card/",
                               {u"G/0007 Extra.txt"_qs, u".lumivox-"_qs + QString::number(ended) + u"-0-0.tmp"},
                               "cut"));
        }
    }

    // The job through the wizard on a folder card; its end as the command line's exit code.
    int runWizard(const QString &job, const QString &image, const QString &card, bool yes,
                  const CardVolumeProbe &volumeProbe, QStringList *said)
    {
        m_boxes.clear();
        m_boxes.answer = yes ? QMessageBox::Yes : QMessageBox::No;
        m_drives->setDrives({{u"CARD"_qs, card, false, u"FOLDER"_qs, card, true}});
        CardWizard w(image, m_dir->filePath(u"Backups"_qs), m_drives, nullptr);
        seamed(&w).volumeProbe = volumeProbe;
        route(w, image, card);
        w.show();
        QTimer closeAppended;
        connect(&closeAppended, &QTimer::timeout, &w, [] {
            if (auto *dialog = qobject_cast<AppendedFilesDialog *>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        closeAppended.start(10);
        child<QRadioButton>(&w, qPrintable(job + u"Radio"))->click();
        w.next();
        child<QCheckBox>(&w, "backupBox")->setChecked(false);
        w.next(); // the plan, or the restore
        if (w.isPlanShown())
            w.next();
        *said = m_boxes.texts() << child<QLabel>(&w, "planSummary")->text();
        if (w.step() == 2)
            return 0;
        const QString failures = Lang::text(Txt::CopyFailures).section(u"%1"_qs, 0, 0);
        return std::any_of(said->begin(), said->end(), [&](const QString &text) { return text.startsWith(failures); })
            ? 1
            : 2;
    }

private slots:
    void initTestCase() { setUpPanelTests(); }
    void cleanup()
    {
        m_frame.reset();
        // The temporary folder cannot name a file whose name is not UTF-8 to remove it.
        for (const char *root : {"a/", "b/"})
            ::unlink(QByteArray(QFile::encodeName(m_dir->filePath(QString::fromLatin1(root))) + kBadName).constData());
    }
    void init()
    {
        m_boxes = {};
        m_dir.emplace();
        m_image = m_dir->filePath(u"image/"_qs);
        m_card = m_dir->filePath(u"card/"_qs);
        QVERIFY(writeFiles(m_image,
                           {u"G/0001 A.txt"_qs, u"G/0002 B.txt"_qs, u"H/0003 C.txt"_qs, u"playlist_dir/0004 L.lst"_qs,
                            u"screen_dir/0005 S.ekr"_qs}));
        QVERIFY(QDir().mkpath(m_card));
        m_drives = std::make_shared<FakeDriveProvider>();
        m_drives->setDrives({folderCard()});
    }

    void jobsEndAlikeInBothEntries_data()
    {
        QTest::addColumn<QString>("job");
        QTest::addColumn<QString>("card");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("says");
        for (const QStringList &row : TestSupport::tableRows(u"cardwizard/jobs.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << row[1] << row[2] << row[3] << (row[4] == u"1") << row[5].toInt() << row[6] << row[7];
    }
    void jobsEndAlikeInBothEntries()
    {
        QFETCH(QString, job);
        QFETCH(QString, card);
        QFETCH(QString, condition);
        QFETCH(bool, yes);
        QFETCH(int, exitCode);
        QFETCH(QString, after);
        QFETCH(QString, says);
        const bool restore = job == u"restore";
        const qint64 ended = TestSupport::endedProcessId();
        QStringList trees[2];
        for (int entry = 0; entry < 2; ++entry) {
            const QString root = m_dir->filePath(entry == 0 ? u"a/"_qs : u"b/"_qs);
            prepare(root, card, condition, ended);
            const QString image = root + u"image";
            const QString cardPath = root + u"card";
            const QString target = restore ? image : cardPath;
            const QStringList before = treeOf(target, true);
            std::optional<OtherWriter> other;
            if (condition == u"locked") {
                other.emplace(target);
                QVERIFY(other->locked());
            }
            CardVolumeProbe volumeProbe;
            if (condition == u"small" || condition == u"unknown")
                volumeProbe = [condition](const QString &) {
                    return condition == u"small" ? CardVolume{32768, 0} : CardVolume{0, -1};
                };
            int code;
            QStringList said;
            {
                std::optional<FileSizeLimit> limit;
                if (condition == u"fsize")
                    limit.emplace(1024);
                if (entry == 0) {
                    QString out, err;
                    QTextStream outStream(&out), errStream(&err);
                    CliIo io{outStream, errStream, volumeProbe};
                    QStringList args = restore ? QStringList{u"restore"_qs, cardPath, image, u"--image"_qs}
                                               : QStringList{u"write"_qs, image, cardPath};
                    if (job == u"append")
                        args << u"--append"_qs;
                    if (yes)
                        args << u"--force"_qs;
                    code = runCardCommand(args, io);
                    errStream.flush();
                    said = {err};
                } else {
                    code = runWizard(job, image, cardPath, yes, volumeProbe, &said);
                }
            }
            const QString expectedText = other ? QString(says).replace(u"PID"_qs, QString::number(other->pid())) : says;
            other.reset();
            QVERIFY2(code == exitCode, qPrintable(QString::number(entry) + u": " + said.join(u'\n')));
            QVERIFY2(said.join(u'\n').contains(expectedText), qPrintable(said.join(u'\n')));
            trees[entry] = treeOf(target, true);
            if (after == u"kept")
                QCOMPARE(trees[entry], before);
            else if (after == u"copy")
                QCOMPARE(trees[entry], treeOf(restore ? cardPath : image, true));
            else // a killed writer's file goes with the next append
                QVERIFY(!trees[entry].join(u'\n').contains(u".lumivox-"));
        }
        QCOMPARE(trees[1], trees[0]);
    }

    void drivesDecideTheActions_data()
    {
        QTest::addColumn<QString>("fileSystem");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("allowed"); // write, append, restore: 1 when enabled
        QTest::addColumn<bool>("warning");
        for (const QStringList &row : TestSupport::tableRows(u"cardwizard/drives.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << row[1] << (row[2] == u"1") << (row[3] == u"1") << row[4] << (row[5] == u"1");
    }
    void drivesDecideTheActions()
    {
        QFETCH(QString, fileSystem);
        QFETCH(bool, readOnly);
        QFETCH(bool, folder);
        QFETCH(QString, allowed);
        QFETCH(bool, warning);
        m_drives->setDrives({{u"CARD"_qs, m_card, readOnly, fileSystem, u"/dev/sdz1"_qs, folder}});
        auto w = wizard();
        const char *const radios[] = {"writeRadio", "appendRadio", "restoreRadio"};
        QCOMPARE(child<QPushButton>(w.get(), "nextButton")->isEnabled(), allowed.at(0) == u'1');
        // The step-0 reset after a radio click, "Dalej" and "Wstecz" keeps the drive check's verdict.
        for (int round = 0; round < 2; ++round) {
            for (int i = 0; i < 3; ++i)
                QCOMPARE(child<QRadioButton>(w.get(), radios[i])->isEnabled(), allowed.at(i) == u'1');
            QCOMPARE(child<QLabel>(w.get(), "warningText")->isVisible(), warning);
            QCOMPARE(child<QPushButton>(w.get(), "formatButton")->isVisible(), warning);
            QCOMPARE(w->isBlinking(), warning);
            child<QRadioButton>(w.get(), "restoreRadio")->click();
            w->next();
            w->back();
        }
        if (warning) {
            // "Formatuj" answered No closes the wizard.
            m_boxes.answer = QMessageBox::No;
            QTest::mouseClick(child<QPushButton>(w.get(), "formatButton"), Qt::LeftButton);
            QCOMPARE(w->result(), int(QDialog::Rejected));
            QVERIFY(!w->isVisible());
        }
    }

    void cancelDuringCopyStopsAndReturns()
    {
        QVERIFY(writeFiles(m_card, {u"Old/0009 X.txt"_qs, u"screen_dir/0008 Y.ekr"_qs}));
        auto w = wizard();
        w->next();
        QVERIFY(child<QCheckBox>(w.get(), "backupBox")->isChecked());
        // "Anuluj" as soon as the first file is being copied.
        QTimer poll;
        poll.setInterval(0);
        connect(&poll, &QTimer::timeout, this, [&] {
            if (info(*w) == Lang::text(Txt::WizardCopying) && !child<QLabel>(w.get(), "fileText")->text().isEmpty()) {
                QTest::mouseClick(child<QPushButton>(w.get(), "cancelButton"), Qt::LeftButton);
                poll.stop();
            }
        });
        w->next();
        QVERIFY(w->isPlanShown());
        poll.start();
        w->next();
        QCOMPARE(w->step(), 0);
        QVERIFY(!w->isBusy());
        QCOMPARE(m_boxes.requests.size(), 1);
        QVERIFY(m_boxes.first().text.startsWith(Lang::text(Txt::WizardWriteStopped)));
        QVERIFY(treeOf(m_card).size() < treeOf(m_image).size());
        // The backup was made before the card was cleared, and it holds the old card.
        const QStringList backups = QDir(m_dir->filePath(u"Backups"_qs)).entryList(QDir::Files);
        QCOMPARE(backups.size(), 1);
        QVERIFY(backups.first().startsWith(u"CARD-"));
        QVERIFY(m_boxes.first().text.contains(backups.first()));
        QTest::mouseClick(child<QPushButton>(w.get(), "cancelButton"), Qt::LeftButton);
        QCOMPARE(w->result(), int(QDialog::Rejected));
    }

    void cardGoneBeforeNext()
    {
        auto w = wizard();
        w->next();
        QVERIFY(QDir(m_card).removeRecursively());
        w->next();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::WizardCardGone).arg(m_card)});
        QCOMPARE(w->step(), 0);
        QVERIFY(info(*w) != Lang::text(Txt::WizardWritten));
    }

    // A card that does not hold the image after the copy is never reported as written; the
    // message names the file and the backup of the old card.
    void mismatchAfterCopyIsNamed()
    {
        QVERIFY(writeFiles(m_card, {u"G/0009 Stary.txt"_qs, u"screen_dir/0005 S.ekr"_qs}, "old"));
        auto w = wizard();
        w->next();
        w->next();
        w->setBeforeVerify([](const QString &card) {
            QFile file(card + u"/G/0002 B.txt");
            QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(7) && file.write("Y") == 1);
        });
        w->next();
        const QStringList backups = QDir(m_dir->filePath(u"Backups"_qs)).entryList(QDir::Files);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(m_boxes.requests.size(), 1);
        const QString text = m_boxes.first().text;
        QVERIFY2(text.startsWith(Lang::text(Txt::VerifyMismatch).arg(1).arg(u"G/0002 B.txt"_qs)), qPrintable(text));
        QVERIFY(text.contains(backups.first()));
        QCOMPARE(w->step(), 0);
        QVERIFY(info(*w) != Lang::text(Txt::WizardWritten));
    }

    void appendListsWhatChanged()
    {
        QVERIFY(TestSupport::copyTree(m_image, m_card));
        auto w = wizard();
        child<QRadioButton>(w.get(), "appendRadio")->click();
        w->next();
        w->next();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::CardNothingAppended)});
        QCOMPARE(w->step(), 2);
        QCOMPARE(info(*w), Lang::text(Txt::WizardAppended));
        w->close();

        // One byte changed, one file new, and the playlists not taken.
        m_boxes.clear();
        QByteArray changed = TestSupport::readFile(m_image + u"G/0002 B.txt");
        changed[changed.size() - 3] = 'y';
        QVERIFY(TestSupport::writeFile(m_image + u"G/0002 B.txt", changed));
        QVERIFY(writeFiles(m_image, {u"H/0007 Nowa.txt"_qs, u"playlist_dir/0006 M.lst"_qs}));
        auto again = wizard();
        child<QRadioButton>(again.get(), "appendRadio")->click();
        again->next();
        child<QCheckBox>(again.get(), "playlistsBox")->setChecked(false);
        again->next();
        QStringList rows;
        whenShown<AppendedFilesDialog>([&rows](AppendedFilesDialog *dialog) {
            for (int i = 0; i < dialog->list()->topLevelItemCount(); ++i) {
                const QTreeWidgetItem *item = dialog->list()->topLevelItem(i);
                rows << QStringList{item->text(0), item->text(1), item->text(2), item->text(3)}.join(u'|');
            }
            dialog->accept();
        });
        again->next();
        QCOMPARE(rows, QStringList({u"Utwór|0002|B|zastąpiony"_qs, u"Utwór|0007|Nowa|nowy"_qs}));
        QVERIFY(!QFileInfo::exists(m_card + u"playlist_dir/0006 M.lst"));
        QVERIFY(m_boxes.isEmpty());
    }

    // Two folder cards, A and B, the panel showing B: what the window shows goes to the card it
    // shows (B, not the first card), a project opened to be written goes there too, and card A is
    // copied onto card B by choosing A as the source.
    void routeFollowsTheWindow()
    {
        const QString a = m_cards.next();
        const QString b = m_cards.next();
        QVERIFY(writeFiles(a, {u"G/0001 A.txt"_qs, u"screen_dir/0002 S.ekr"_qs, u"playlist_dir/0003 L.lst"_qs}));
        QVERIFY(writeFiles(b, {u"Old/0009 X.txt"_qs, u"screen_dir/0008 Y.ekr"_qs}, "old"));
        openPanel(QList<DriveEntry>{cardEntry(a, u"A"_qs), cardEntry(b, u"B"_qs)});
        QVERIFY(m_panel->driveList()->chooseRoot(b));
        QTRY_COMPARE(m_panel->root(), b);
        m_boxes.clear(); // the panel's question about reading the card
        m_panel->setOpenProject({m_image, u"a.lvp"_qs, false}, false);
        QStringList seen;
        const auto look = [&](CardWizard *w) {
            seen << w->sources().value(w->sourceIndex()).rootPath << w->driveList()->drivePath();
            w->cancel();
        };
        whenShown<CardWizard>(look);
        m_frame->action(Command::CardWizard)->trigger();
        whenShown<CardWizard>(look);
        m_frame->openCardWizard(m_image);
        QCOMPARE(seen, QStringList({b, b, m_image, b}));

        const QStringList before = treeOf(a, true);
        whenShown<CardWizard>([&](CardWizard *w) {
            auto *sources = child<QComboBox>(w, "sourceList");
            sources->setCurrentIndex(sources->findData(a));
            child<QRadioButton>(w, "writeRadio")->click();
            w->next();
            seen = QStringList{child<QLabel>(w, "routeLine")->text()};
            w->next(); // the plan
            w->next(); // written, backed up and read back
            seen << info(*w);
            w->accept();
        });
        m_frame->action(Command::CardWizard)->trigger();
        const QString route = CardRoute::text(u"A "_qs + a, u"B "_qs + b);
        QCOMPARE(seen, QStringList({route, Lang::text(Txt::WizardWritten)}));
        QCOMPARE(treeOf(b, true), before);
        QCOMPARE(treeOf(a, true), before);
        QVERIFY(m_boxes.isEmpty());
    }

    // "Dalej" on the first page refuses a source with nothing to copy, naming its entry and one
    // to choose instead, a card written onto itself, and no card chosen; nothing is written.
    void refusesWhatCannotBeCopied_data()
    {
        // computer (empty), card (the target itself), emptied project, no card (none shown: the only
        // card listed is not taken for it)
        QTest::addColumn<QString>("source");
        for (const char *source : {"computer", "card", "emptied project", "no card"})
            QTest::newRow(source) << QString::fromLatin1(source);
    }
    void refusesWhatCannotBeCopied()
    {
        QFETCH(QString, source);
        const QString computer = m_dir->filePath(u"lyrics/"_qs);
        QVERIFY(QDir().mkpath(computer));
        if (source == u"emptied project")
            QVERIFY(QDir(m_image).removeRecursively());
        QVERIFY(writeFiles(m_card, {u"G/0009 X.txt"_qs}, "old"));
        const QStringList before = treeOf(m_card, true);
        CardWizard w(m_image, m_dir->filePath(u"Backups"_qs), m_drives, nullptr);
        seamed(&w);
        const OpenProject project{m_image, u"a.lvp"_qs, false};
        const QList<LibrarySource> sources = LibrarySources::list(computer, m_drives->drives(), project);
        const int chosen = source == u"card" ? 1 : source == u"computer" ? 0 : 2;
        w.setSources(sources, chosen);
        w.setTargetRoot(source == u"no card" ? QString() : m_card);
        w.show();
        QCOMPARE(w.driveList()->drivePath().isEmpty(), source == u"no card");
        w.next();
        const QString card = u"CARD "_qs + m_card;
        const QString projectName = Lang::text(Txt::ProjectFileEntry).arg(u"a.lvp"_qs);
        const QString says = source == u"no card" ? Lang::text(Txt::RouteChooseCard)
            : source == u"card"                   ? Lang::text(Txt::RouteNested).arg(card, card)
            : source == u"computer"
            ? Lang::text(Txt::RouteSourceEmpty).arg(Lang::text(Txt::ComputerLibrary)) + u'\n'
                + Lang::text(Txt::RouteChooseInstead).arg(projectName)
            : Lang::text(Txt::RouteSourceEmpty).arg(projectName) + u'\n' + Lang::text(Txt::RouteFillSource);
        QCOMPARE(m_boxes.texts(), QStringList{says});
        QCOMPARE(w.step(), 0);
        QCOMPARE(treeOf(m_card, true), before);
    }

    // The song directory is "lyrics"; "Dalej" needs an existing folder outside of it.
    void importFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("outcome"); // 0 "Dalej" off, 1 imported, 2 refused (twice: "..." and "Dalej")
        for (const QStringList &row : TestSupport::tableRows(u"cardwizard/importfolders.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2].toInt();
    }
    void importFolder()
    {
        QFETCH(QString, folder);
        QFETCH(int, outcome);
        const QString lyrics = m_dir->filePath(u"lyrics/"_qs);
        const QString path = folder.isEmpty() ? folder : m_dir->filePath(folder);
        m_app->core().settings().setLyricsDir(lyrics);
        m_app->core().settings().setLastImportDir(m_image);
        QVERIFY(writeFiles(lyrics, {u"G/0009 Stara.txt"_qs}) && QFile::link(lyrics, m_dir->filePath(u"link"_qs)));
        // Other bytes than the library's song: a copy of it would be present already.
        QVERIFY(writeFiles(m_dir->filePath(u"lyrics2/"_qs), {u"A/0001 A.txt"_qs}, TestSupport::songBytes('y')));
        // The panel shows the song directory, on a read-only entry: import needs no writable card.
        openPanel(QList<DriveEntry>{{u"CARD"_qs, lyrics, true, u"FOLDER"_qs, lyrics, true}});
        QVERIFY(m_panel->driveList()->isPolling());
        // Polling paused, no idle progress bar, the edit after "...", "Dalej" enabled, the information
        // line, the panel's songs.
        QStringList seen;
        whenShown<CardWizard>([&](CardWizard *w) {
            seen << QString::number(!m_panel->driveList()->isPolling() && w->driveList()->count() == 1);
            child<QRadioButton>(w, "importRadio")->click();
            w->next();
            seen << QString::number(child<QProgressBar>(w, "fileProgress")->isVisibleTo(w));
            m_frame->seams().chooser = [&](Shell::Choice, const QString &start) {
                return start == m_image ? path : QString();
            };
            child<QPushButton>(w, "browseButton")->click();
            seen << child<QLineEdit>(w, "folderEdit")->text();
            child<QLineEdit>(w, "folderEdit")->setText(path); // typed in: checked again on "Dalej"
            seen << QString::number(child<QPushButton>(w, "nextButton")->isEnabled());
            // Answers the import dialog if "Dalej" opens one (a row that must not open it fails, not hangs).
            QTimer::singleShot(0, w, [outcome] {
                auto *d = qobject_cast<ImportSongsDialog *>(QApplication::activeModalWidget());
                if (d && outcome == 1 && QTest::qWaitFor([d] { return d->list()->rowCount() == 1; })) {
                    d->list()->selectAll();
                    d->startButton()->click();
                }
                if (d)
                    d->accept();
            });
            w->next();
            seen << info(*w) << QString::number(m_panel->workspace().library().songCount());
            w->cancel();
        });
        m_frame->action(Command::CardWizard)->trigger();
        QVERIFY(m_panel->driveList()->isPolling());
        const bool imported = outcome == 1;
        const QString edit = imported ? path : path.isEmpty() ? m_image : QString();
        const QString done = imported ? Lang::text(Txt::WizardImported) : QString();
        const QString songs = QString::number(1 + imported);
        QCOMPARE(seen, QStringList({u"1"_qs, u"0"_qs, edit, QString::number(outcome > 0), done, songs}));
        QCOMPARE(m_boxes.texts().count(Lang::text(Txt::WizardFolderInLibrary)), outcome == 2 ? 2 : 0);
        const QString stored = m_app->store().value(AppSettings::kSection + u"/LastImportDir").toString();
        QCOMPARE(stored, imported ? path : QString());
    }
};

LUMIVOX_TEST_MAIN_GUI(TestCardWizard)
#include "tst_cardwizard.moc"
