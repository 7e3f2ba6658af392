// SPDX-License-Identifier: GPL-3.0-or-later
// The project document: a card data file opened in each way, bad files, save, new and close.
#include "core/app/projectfile.h"
#include "gui/app/shell.h"
#include "gui/card/cardwizard.h"
#include "gui/editor/ledmatrix.h"
#include "gui/editor/songeditorpage.h"
#include "gui/library/waitdialog.h"
#include "gui/main/projectactions.h"
#include "librarytestsupport.h"

#include <QAction>
#include <QLabel>
#include <QMimeData>
#include <QStackedWidget>
#include <QUrl>

using namespace LibraryTest;
using TestSupport::treeOf;

class TestProject : public PanelTest
{
    Q_OBJECT

    QString m_card;
    ProjectActions *m_project = nullptr;
    QStringList m_chosen; // what the file dialogs were asked to start at

    AppCore &core() { return m_app->core(); }
    QString image() { return core().dirs().projectDir(); }
    QStringList imageTree() { return treeOf(image(), true); }

    // A card data file of a card holding files, and the tree it unpacks to.
    QString project(const QString &name, const QStringList &files)
    {
        const QString card = m_cards.next();
        TestSupport::writeFiles(card, files);
        const QString path = m_cards.path(name);
        return ProjectFile::save(path, card).ok ? path : QString();
    }
    QStringList unpacked(const QString &path)
    {
        const QString dir = m_cards.next();
        return CardDataFile::load(path, dir).ok() ? treeOf(dir, true) : QStringList{u"failed"_qs};
    }
    void start(const QString &answer = {})
    {
        m_seams.chooser = [this, answer](Shell::Choice, const QString &startPath) {
            m_chosen << startPath;
            return answer;
        };
        openPanel(m_card);
        m_project = new ProjectActions(m_frame.get());
        QCoreApplication::processEvents(); // its start after the first drive poll
    }
    void trigger(Command command) { m_frame->action(command)->trigger(); }
    static QString kinds(const QList<LibrarySource> &libraries)
    {
        static const char16_t *const names[] = {u"computer", u"card", u"project"};
        QStringList result;
        for (const LibrarySource &library : libraries)
            result << QString::fromUtf16(names[int(library.kind)]);
        return result.join(u' ');
    }
    QString buttons() const
    {
        QString flags;
        for (Command c : {Command::New, Command::Open, Command::Save, Command::CloseProject, Command::RestoreCardData})
            flags += m_frame->toolButton(c)->isVisible() ? (m_frame->action(c)->isEnabled() ? u'1' : u'd') : u'-';
        return flags;
    }

private slots:
    void init()
    {
        setUpPanelTests();
        m_card = m_cards.next();
        TestSupport::writeFiles(m_card, {u"Pieśni/0001 Alfa.txt"_qs, u"screen_dir/0001 Ekran.ekr"_qs});
        m_chosen.clear();
        // An old image, to tell "as it was" from "emptied".
        QVERIFY(TestSupport::writeFile(image() + u"Old/0009 Stary.txt", "old"));
    }
    void cleanup() { m_frame.reset(); }

    void opensInEachWay_data()
    {
        QTest::addColumn<QString>("way");
        for (const char *way : {"dialog", "recent", "drop", "commandLine"})
            QTest::newRow(way) << QString::fromLatin1(way);
    }
    // Projekt is a link to a folder holding an older project: the image ends up holding only the
    // new one, the link is gone and the folder it pointed to stays as it was.
    void opensInEachWay()
    {
        QFETCH(QString, way);
        const QString first = project(u"first.lvp"_qs, {u"A/0001 A.txt"_qs, u"screen_dir/0001 E.ekr"_qs});
        const QString outside = m_cards.next();
        QVERIFY(CardDataFile::load(first, outside).ok());
        QVERIFY(QDir(image()).removeRecursively() && QFile::link(outside, image().chopped(1)));
        const QString path = project(u"a.lvp"_qs,
                                     {u"G/0001 A.txt"_qs, u"G/0002 B.txt"_qs, u"playlist_dir/0001 L.lst"_qs});
        core().settings().setLastDir(u"/start"_qs);
        if (way == u"recent")
            core().recentFiles().add(path);
        if (way == u"commandLine")
            core().setCommandLineFile(path);
        int wizards = 0;
        whenShown<CardWizard>([&wizards](CardWizard *wizard) {
            ++wizards;
            static_cast<QDialog *>(wizard)->reject();
        });
        start(path);
        if (way == u"dialog") {
            trigger(Command::Open);
            QCOMPARE(m_chosen, QStringList{u"/start"_qs});
        } else if (way == u"recent") {
            QCOMPARE(m_project->recentActions().first()->text(), u"&1 a.lvp"_qs);
            m_project->recentActions().first()->trigger();
        } else if (way == u"drop") {
            // Three files, a remote file and another kind of file are refused at the drag's entry.
            QMimeData data;
            const auto enters = [&](const QList<QUrl> &urls) {
                data.setUrls(urls);
                QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(m_frame.get(), &enter);
                return enter.isAccepted();
            };
            const QUrl url = QUrl::fromLocalFile(path);
            QVERIFY(!enters({url, url, url}));
            QVERIFY(!enters({QUrl(u"https://example.org/a.lvp"_qs)}));
            QVERIFY(!enters({QUrl::fromLocalFile(path + u".txt")}));
            QVERIFY(enters({url})); // the drop goes to the widget that accepted the entry
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(m_frame.get(), &drop);
            QVERIFY(drop.isAccepted());
        }
        QTRY_COMPARE(m_project->documentFile(), path);
        QTRY_COMPARE(wizards, 1);
        QVERIFY(m_boxes.isEmpty());
        // The project is the list's last entry and, the wizard cancelled, stays shown for browsing.
        QCOMPARE(kinds(m_panel->driveList()->libraries()), u"computer card project"_qs);
        QCOMPARE(m_panel->driveList()->currentText(), Lang::text(Txt::ProjectFileEntry).arg(u"a.lvp"_qs));
        QCOMPARE(tree()->topLevelItem(0)->text(0), m_panel->driveList()->currentText());
        QCOMPARE(m_panel->root(), image());
        QVERIFY(item(u"0002 B"_qs) && item(u"0001 L"_qs));
        QCOMPARE(imageTree(), unpacked(path));
        QCOMPARE(treeOf(outside, true), unpacked(first));
        core().store().sync();
        QCOMPARE(core().store().value(u"Recent File List/File1"_qs).toString(), path);
        // Only the dialog remembers its folder.
        QCOMPARE(core().settings().lastDir(), way == u"dialog" ? QFileInfo(path).absolutePath() : u"/start"_qs);
    }

    void badFilesGiveAMessageAndNoHalfImage_data()
    {
        QTest::addColumn<QString>("fixture"); // a card data file of tests/data/carddatafile
        QTest::addColumn<bool>("emptied");
        QTest::newRow("dot-dot") << u"escaping-names"_qs << true;
        QTest::newRow("slash") << u"slash-in-name"_qs << true;
        QTest::newRow("size past the end") << u"size-beyond-end"_qs << true;
        QTest::newRow("stopped") << u"three-groups"_qs << true;
        QTest::newRow("wrong magic") << u"wrong-magic"_qs << false;
        for (const char *tag : {"empty file", "folder", "recent entry gone"})
            QTest::newRow(tag) << QString() << false;
    }
    void badFilesGiveAMessageAndNoHalfImage()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, emptied);
        const QByteArray bytes = fixture.isEmpty()
            ? QByteArray()
            : TestSupport::readFile(TestSupport::testData(u"carddatafile/"_qs + fixture + u".lvp"));
        const QString path = m_cards.path(QString::fromLatin1(QTest::currentDataTag()) + u".lvp");
        const QByteArrayView tag(QTest::currentDataTag());
        if (tag == "folder")
            QVERIFY(QDir().mkpath(path));
        else if (tag == "recent entry gone")
            core().recentFiles().add(path);
        else
            QVERIFY(TestSupport::writeFile(path, bytes));
        start();
        const QStringList before = imageTree();
        if (tag == "stopped") {
            // The close box, pressed while the first directory is being made.
            auto *closer = new QTimer(this);
            connect(closer, &QTimer::timeout, closer, [closer] {
                auto *wait = qobject_cast<WaitDialog *>(QApplication::activeModalWidget());
                if (wait && !wait->findChild<QLabel *>(u"groupLabel"_qs)->text().isEmpty()) {
                    wait->close();
                    closer->deleteLater();
                }
            });
            closer->start(0);
        }
        if (tag == "recent entry gone")
            m_project->recentActions().first()->trigger();
        else
            QVERIFY(!m_project->openProject(path));
        QCOMPARE(imageTree(), emptied ? QStringList() : before);
        QCOMPARE(m_boxes.requests.size(), 1);
        QVERIFY2(m_boxes.first().text.contains(path), qPrintable(m_boxes.first().text));
        QVERIFY(m_project->documentFile().isEmpty());
        QVERIFY(core().recentFiles().files().isEmpty()); // a gone entry leaves the list
    }

    void saveWritesWhatThePackCommandWrites()
    {
        const QString target = m_cards.path(u"out/zapis.lvp"_qs);
        QVERIFY(TestSupport::writeFile(target, "old"));
        start(target);
        m_boxes.answer = QMessageBox::No;
        trigger(Command::SaveCardData);
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::ProjectReplaceQuestion).arg(target)});
        QCOMPARE(TestSupport::readFile(target), QByteArray("old"));

        m_boxes.answer = QMessageBox::Yes;
        trigger(Command::SaveCardData);
        const QString reference = m_cards.path(u"reference.lvp"_qs);
        QCOMPARE(TestSupport::runProcess(TestSupport::buildDir() + u"/bin/lumivox-cli", {u"pack"_qs, m_card, reference})
                     .exitCode,
                 0);
        QCOMPARE(TestSupport::readFile(target), TestSupport::readFile(reference));
        QCOMPARE(m_project->documentFile(), target);
        QCOMPARE(core().settings().lastDir(), m_cards.path(u"out"_qs));
        QCOMPARE(core().recentFiles().files().value(0), target);
        // Save proposes the document's file, Save card data the last folder.
        trigger(Command::Save);
        QCOMPARE(m_chosen.mid(2), QStringList({target}));
    }

    // Closing a shown project takes its entry away and turns the tree back to the card.
    void closingTheProjectRemovesItsEntry()
    {
        const QString path = project(u"b.lvp"_qs, {u"G/0007 Siedem.txt"_qs});
        whenShown<CardWizard>([](CardWizard *wizard) { static_cast<QDialog *>(wizard)->reject(); });
        start();
        QVERIFY(m_project->openProject(path));
        QCOMPARE(m_panel->root(), image());
        QVERIFY(item(u"0007 Siedem"_qs));
        m_boxes.answer = QMessageBox::No;
        trigger(Command::CloseProject);
        QCOMPARE(kinds(m_panel->driveList()->libraries()), u"computer card"_qs);
        QCOMPARE(m_panel->root(), m_card);
        QVERIFY(item(u"0001 Alfa"_qs) && !item(u"0007 Siedem"_qs));
        QVERIFY(m_boxes.isEmpty());
    }

    // A change made in an open project exists only in its folder: another file opened, the
    // project closed and the window closed each ask first; a save to a file settles it.
    void unsavedProjectChangesAreAskedAbout()
    {
        const QString first = project(u"a.lvp"_qs, {u"G/0007 Siedem.txt"_qs});
        const QString second = project(u"b.lvp"_qs, {u"G/0008 Osiem.txt"_qs});
        const auto rejectWizard = [] {
            whenShown<CardWizard>([](CardWizard *w) { static_cast<QDialog *>(w)->reject(); });
        };
        start(m_cards.path(u"saved.lvp"_qs));
        rejectWizard();
        QVERIFY(m_project->openProject(first));
        QVERIFY(TestSupport::writeFile(image() + u"G/0009 Nowa.txt", "nowa"));
        m_boxes.answer = QMessageBox::No;
        QVERIFY(!m_project->openProject(second));
        trigger(Command::CloseProject);
        QVERIFY(!m_frame->close());
        const QString question = Lang::text(Txt::ProjectChangesUnsaved)
                                     .arg(Lang::text(Txt::ProjectFileEntry).arg(u"a.lvp"_qs),
                                          Lang::text(Txt::MenuSaveCardData).remove(u'&'));
        QCOMPARE(m_boxes.texts(), QStringList(3, question));
        QVERIFY(QFile::exists(image() + u"G/0009 Nowa.txt"));
        QCOMPARE(kinds(m_panel->driveList()->libraries()), u"computer card project"_qs);

        m_boxes.clear();
        trigger(Command::SaveCardData);
        rejectWizard();
        QVERIFY(m_project->openProject(second));
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(item(u"0008 Osiem"_qs) && !item(u"0009 Nowa"_qs));
    }

    void closeAsksAndToolBarFollows()
    {
        start();
        QCOMPARE(buttons(), u"--111"_qs);
        SongEditorPage *editor = m_frame->editorPage();
        QTest::keyClicks(editor->matrix(), u"A"_qs);
        m_boxes.answer = QMessageBox::Cancel;
        trigger(Command::CloseProject);
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::CloseQuestion)});
        QVERIFY(!m_frame->pages()->isHidden());

        m_boxes.answer = QMessageBox::No;
        trigger(Command::CloseProject);
        QVERIFY(m_frame->pages()->isHidden());
        QCOMPARE(buttons(), u"11---"_qs);
        QCOMPARE(m_panel->root(), m_card);
        QVERIFY(!m_frame->action(Command::Save)->isEnabled());

        m_boxes.clear();
        trigger(Command::New);
        QVERIFY(m_boxes.isEmpty()); // the edit went with the closed project
        QVERIFY(!m_frame->pages()->isHidden());
        QCOMPARE(buttons(), u"--111"_qs);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestProject)
#include "tst_project.moc"
