// SPDX-License-Identifier: GPL-3.0-or-later
// OpenLyrics and text files through the real menus: import into a group with its report and
// the lyric index, export of one group.
#include "core/search/lyricindexer.h"
#include "core/model/songfile.h"
#include "gui/app/shell.h"
#include "gui/library/libraryactions.h"
#include "gui/library/lyricimportdialogs.h"
#include "gui/widgets/targetgroupdialog.h"
#include "gui/app/commandids.h"
#include "librarytestsupport.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QTreeWidget>

using namespace LibraryTest;

class TestLyricFiles : public PanelTest
{
    Q_OBJECT

    QString m_card;

    static QString fixture(const QString &name)
    {
        return TestSupport::sourceDir() + u"/tests/data/openlyrics/"_qs + name;
    }

private slots:
    void init()
    {
        setUpPanelTests();
        m_card = m_cards.next();
        Song song;
        song.appendStanza();
        song.addScreenAfterCurrent();
        song.setCurrentScreenText(u"Cicha noc"_qs);
        song.setDefaultSequence();
        QVERIFY(QDir().mkpath(m_card + u"Kolędy"_qs));
        QVERIFY(QDir().mkpath(m_card + u"Maryjne"_qs));
        QVERIFY(SongFile::save(m_card + u"Kolędy/0001 Cicha noc.txt"_qs, song));
        QVERIFY(SongFile::save(m_card + u"Maryjne/0002 Ave.txt"_qs, song));
        openPanel(m_card);
        QTRY_VERIFY(m_panel->isSettled() && !m_panel->lyricIndexer()->isBuilding());
        m_boxes.clear();
    }
    void cleanup() { m_frame.reset(); }

    void importReportsEveryFile()
    {
        const QStringList files{fixture(u"version-07.xml"_qs), fixture(u"chorus-c-vs-c1.xml"_qs),
                                fixture(u"cp1250.txt"_qs), fixture(u"stanza-90.xml"_qs), fixture(u"word-25.xml"_qs)};
        m_frame->seams().chooser = [&](Shell::Choice choice, const QString &) {
            return choice == Shell::Choice::OpenFiles ? files.join(u'\n') : QString();
        };
        whenShown<TargetGroupDialog>([](TargetGroupDialog *dialog) {
            dialog->groupList()->setCurrentText(u"Maryjne"_qs);
            dialog->accept();
        });
        whenShown<LyricImportOptions>([](LyricImportOptions *dialog) {
            QCOMPARE(dialog->songbookList()->count(), 2);         // "Hymnal" and none
            QVERIFY(dialog->encodingList()->isVisibleTo(dialog)); // a text file is among them
            QVERIFY(!dialog->languageList()->isVisibleTo(dialog));
            dialog->accept();
        });
        QStringList rows;
        whenShown<LyricImportReport>([&](LyricImportReport *report) {
            for (int i = 0; i < report->list()->topLevelItemCount(); ++i) {
                const QTreeWidgetItem *row = report->list()->topLevelItem(i);
                rows << row->text(1) + u'|' + row->text(2) + u'|' + row->text(5) + u'|' + row->text(3) + u'|'
                        + row->text(4);
            }
            report->accept();
        });
        const int reads = m_panel->lyricIndexer()->index().fileReads();
        QAction *command = m_frame->action(Command::ImportLyricFiles);
        QVERIFY(command->isEnabled());
        command->trigger();

        // notes and reasons in the program's language, not the core's words
        QCOMPARE(
            rows,
            (QStringList{
                u"153|Old format|zaimportowano|OpenLyrics|XML"_qs, u"3|Pieśń chwały|zaimportowano|OpenLyrics|XML"_qs,
                u"4|cp1250|zaimportowano|tekst|windows-1250"_qs,
                u"||odrzucono: nie mieści się na tablicy: zwrotka 1 wymaga ponad 8 ekranów|OpenLyrics|XML"_qs,
                u"5|Long word|zaimportowano: zmiany: kolejność zwrotek jak w pliku; zastąpione znaki: 3; podzielone słowa: 1|OpenLyrics|XML"_qs}));
        QVERIFY(QFileInfo::exists(m_card + u"Maryjne/0153 Old format.txt"_qs));
        QCOMPARE(tree()->currentItem()->text(0), u"0153 Old format"_qs);
        // The index took the new songs from memory, as it takes the editor's.
        QVERIFY(!m_panel->lyricIndexer()->isBuilding());
        QCOMPARE(m_panel->lyricIndexer()->index().fileReads(), reads);
        QCOMPARE(m_panel->lyricIndexer()->index().search(u"second verse"_qs).total, 1);
    }

    void groupExportWritesThatGroupOnly()
    {
        QTemporaryDir out;
        m_frame->seams().chooser = [&](Shell::Choice choice, const QString &) {
            return choice == Shell::Choice::Folder ? out.path() : QString();
        };
        QTreeWidgetItem *group = item(u"Kolędy"_qs);
        QVERIFY(group);
        std::unique_ptr<QMenu> menu(m_panel->actions()->createContextMenu(group));
        auto *exportAction = menu->findChild<QAction *>(QStringLiteral("menuText%1").arg(Txt::OpenLyricsExportMenu));
        QVERIFY(exportAction);
        exportAction->trigger();
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{u"0001 Cicha noc.xml"_qs});
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::OpenLyricsExported).arg(1).arg(0).arg(0)});
    }
};

LUMIVOX_TEST_MAIN_GUI(TestLyricFiles)
#include "tst_lyricfiles.moc"
