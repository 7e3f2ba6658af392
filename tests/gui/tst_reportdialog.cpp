// SPDX-License-Identifier: GPL-3.0-or-later
// The report dialog offscreen: the command on the panel's card, stopping a run, the question
// about an existing report, a language's file name that is no plain name, an unusable folder,
// a file chosen with "..." and remembered, a chosen path that is no file.
#include "core/library/songlibrary.h"
#include "gui/app/shell.h"
#include "gui/library/libraryactions.h"
#include "gui/report/reportdialog.h"
#include "librarytestsupport.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <sys/stat.h>

using namespace LibraryTest;

namespace {

QString reportData(const QString &name)
{
    return TestSupport::testData(QStringLiteral("report/") + name);
}

QByteArray expectedReport(const QString &kind)
{
    return TestSupport::readFile(TestSupport::testData(QStringLiteral("cli/report-%1/output/%1.rtf").arg(kind)));
}

} // namespace

class TestReportDialog : public PanelTest
{
    Q_OBJECT

    QStringList m_opened;
    QTemporaryDir m_dir;
    SongLibrary m_library;
    int m_folders = 0;

    QString newFolder() { return m_dir.filePath(QStringLiteral("docs%1").arg(++m_folders)); }

private slots:
    void initTestCase()
    {
        setUpPanelTests();
        m_seams.opener = [this](const QString &path) {
            m_opened << path;
            return true;
        };
        m_library.setRoot(reportData(QStringLiteral("card")));
        m_library.scanLibrary(ScanFlag::Songs | ScanFlag::CheckNumbers, {}, ScanOptions::readOnly());
    }

    void cleanup() { m_frame.reset(); }
    void init()
    {
        m_boxes = {};
        m_opened.clear();
    }

    void commandWritesOpensAndAnnouncesTheReportOfTheCard()
    {
        const QString card = m_dir.filePath(QStringLiteral("card"));
        QVERIFY(TestSupport::copyTree(reportData(QStringLiteral("card")), card));
        openPanel(card + u'/');
        QAction *command = m_frame->action(Command::GenerateReport);
        QVERIFY(command->isEnabled());

        const QString folder = newFolder() + QStringLiteral("/not yet there");
        m_frame->setReportFolder(folder);
        whenShown<ReportDialog>([](ReportDialog *dialog) {
            dialog->setKind(ReportKind::NumberIndex);
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("generateButton")), Qt::LeftButton);
            dialog->accept();
        });
        command->trigger();
        const QString path = folder + QStringLiteral("/Spis pieśni.rtf");
        QCOMPARE(TestSupport::readFile(path), expectedReport(QStringLiteral("index")));
        QCOMPARE(m_opened, QStringList{path});
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::ReportReady) + u'\n' + path});
    }

    void stopEndsTheRunWithAClosedFileThatIsAnnounced()
    {
        ReportDialog dialog(m_library, newFolder());
        seamed(&dialog);
        dialog.show();
        auto *generate = dialog.findChild<QPushButton *>(QStringLiteral("generateButton"));
        auto *stop = dialog.findChild<QPushButton *>(QStringLiteral("stopButton"));
        bool swapped = false;
        // Runs at the first moment the report lets events through, after its first song.
        QMetaObject::invokeMethod(
            &dialog,
            [&] {
                swapped = dialog.isRunning() && stop->isVisible() && !generate->isVisible();
                QTest::mouseClick(stop, Qt::LeftButton);
            },
            Qt::QueuedConnection);
        dialog.generate();
        QVERIFY(swapped);
        QVERIFY(generate->isVisible() && !stop->isVisible());
        const QByteArray bytes = TestSupport::readFile(dialog.lastReport());
        QVERIFY(bytes.contains("{\\b  Ala}"));
        QVERIFY(!bytes.contains("{\\b  Ala ma}"));
        QVERIFY(bytes.endsWith("\\pard}}\r\n"));
        QCOMPARE(m_opened, QStringList{dialog.lastReport()});
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::ReportReady) + u'\n' + dialog.lastReport()});
    }

    void existingReportIsReplacedKeptOrLeft_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("oldFileAfter");
        QTest::newRow("yes replaces") << int(QMessageBox::Yes) << QStringLiteral("Alfabetyczny wykaz pieśni.rtf")
                                      << expectedReport(QStringLiteral("alphabetical"));
        QTest::newRow("no takes the next free name")
            << int(QMessageBox::No) << QStringLiteral("Alfabetyczny wykaz pieśni (3).rtf") << QByteArray("old");
        QTest::newRow("cancel writes nothing") << int(QMessageBox::Cancel) << QString() << QByteArray("old");
    }
    void existingReportIsReplacedKeptOrLeft()
    {
        QFETCH(int, answer);
        QFETCH(QString, written);
        QFETCH(QByteArray, oldFileAfter);
        const QString folder = newFolder();
        QVERIFY(TestSupport::writeFile(folder + QStringLiteral("/Alfabetyczny wykaz pieśni.rtf"), "old"));
        QVERIFY(TestSupport::writeFile(folder + QStringLiteral("/Alfabetyczny wykaz pieśni (2).rtf"), "old 2"));
        m_boxes.answer = QMessageBox::StandardButton(answer);
        ReportDialog dialog(m_library, folder);
        seamed(&dialog);
        dialog.setKind(ReportKind::Alphabetical);
        dialog.generate();

        QCOMPARE(m_boxes.first().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(TestSupport::readFile(folder + QStringLiteral("/Alfabetyczny wykaz pieśni.rtf")), oldFileAfter);
        QCOMPARE(TestSupport::readFile(folder + QStringLiteral("/Alfabetyczny wykaz pieśni (2).rtf")),
                 QByteArray("old 2"));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(),
                 written.isEmpty() ? 2 : 3 - int(answer == QMessageBox::Yes));
        if (written.isEmpty()) {
            QVERIFY(m_opened.isEmpty());
            return;
        }
        QCOMPARE(TestSupport::readFile(folder + u'/' + written), expectedReport(QStringLiteral("alphabetical")));
        QCOMPARE(m_opened, QStringList{folder + u'/' + written});
    }

    void languageFileNameOutsideTheFolderFallsBack()
    {
        const QString languages = m_dir.filePath(QStringLiteral("lang"));
        QByteArray table = TestSupport::readFile(TestSupport::shippedLanguageDir() + QStringLiteral("Polski.lang"));
        table.replace("532=Teksty pie\xc5\x9bni.rtf", "532=../x");
        QVERIFY(table.contains("532=../x"));
        QVERIFY(TestSupport::writeFile(languages + QStringLiteral("/Polski.lang"), table));
        QCOMPARE(Lang::load(languages, QStringLiteral("Polski")), Lang::LoadResult::Loaded);
        const QString folder = newFolder();
        ReportDialog dialog(m_library, folder);
        seamed(&dialog);
        dialog.generate();
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);

        QCOMPARE(dialog.lastReport(), folder + QStringLiteral("/Teksty pieśni.rtf"));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("x"))));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("x.rtf"))));
        // The songbook of the fixture card leaves out 0000, 5000 and the second 0007.
        QVERIFY(m_boxes.first().text.endsWith(Lang::text(Txt::ReportSongsLeftOut).arg(3)));
    }

    void unusableFolderIsNamedInAnError()
    {
        const QString blocker = m_dir.filePath(QStringLiteral("a file"));
        QVERIFY(TestSupport::writeFile(blocker, "x"));
        ReportDialog dialog(m_library, blocker + QStringLiteral("/docs"));
        seamed(&dialog);
        dialog.generate();
        QCOMPARE(m_boxes.first().icon, QMessageBox::Critical);
        QVERIFY(m_boxes.first().text.contains(blocker + QStringLiteral("/docs")));
        QVERIFY(m_opened.isEmpty());
        QVERIFY(dialog.lastReport().isEmpty());
    }

    // The command's dialog writes where the user chose and remembers it for the next time.
    void chosenFileIsWrittenAndRemembered()
    {
        const QString card = m_dir.filePath(QStringLiteral("card-chosen"));
        QVERIFY(TestSupport::copyTree(reportData(QStringLiteral("card")), card));
        openPanel(card + u'/');
        m_frame->setReportFolder(newFolder());
        const QString chosen = newFolder() + QStringLiteral("/druk/spis.pdf");
        m_frame->seams().chooser = [&](Shell::Choice, const QString &) { return chosen; };
        QStringList shown;
        for (int run = 0; run < 2; ++run) {
            whenShown<ReportDialog>([&](ReportDialog *dialog) {
                dialog->choosePdfSongbook();
                if (run == 0)
                    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("chooseTargetButton")),
                                      Qt::LeftButton);
                shown << dialog->findChild<QLineEdit *>(QStringLiteral("targetEdit"))->text();
                if (run == 0)
                    dialog->generate();
                dialog->close();
            });
            m_frame->action(Command::GenerateReport)->trigger();
        }
        QCOMPARE(shown, QStringList({chosen, chosen}));
        QVERIFY(TestSupport::readFile(chosen).startsWith("%PDF"));
        QCOMPARE(m_opened, QStringList{chosen});
    }

    // A folder or a named pipe chosen as the file: no question, the save's refusal, nothing written.
    void chosenPathThatIsNoFileIsRefused_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("folder") << false;
        QTest::newRow("named pipe") << true;
    }
    void chosenPathThatIsNoFileIsRefused()
    {
        QFETCH(bool, pipe);
        const QString folder = newFolder();
        const QString path = folder + QStringLiteral("/report.rtf");
        QVERIFY(pipe ? QDir().mkpath(folder) && ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0
                     : QDir().mkpath(path));
        ReportDialog dialog(m_library, newFolder());
        seamed(&dialog);
        dialog.setTarget(0, path);
        dialog.generate();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::ReportSaveFailed).arg(path) + u"\nNot a regular file"});
        QVERIFY(m_opened.isEmpty());
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{u"report.rtf"_qs});
        QCOMPARE(QFileInfo(path).isDir(), !pipe);
    }

    void escapeDoesNotCloseTheDialog()
    {
        ReportDialog dialog(m_library, newFolder());
        seamed(&dialog);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
    }
};

LUMIVOX_TEST_MAIN_GUI(TestReportDialog)
#include "tst_reportdialog.moc"
