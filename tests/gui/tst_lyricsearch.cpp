// SPDX-License-Identifier: GPL-3.0-or-later
// The lyric search field over the library tree, typed into with real keys.
#include "core/app/language.h"
#include "core/search/lyricindexer.h"
#include "core/model/songfile.h"
#include "core/util/textids.h"
#include "gui/editor/songeditorpage.h"
#include "gui/library/libraryactions.h"
#include "gui/library/librarypanel.h"
#include "gui/library/librarytree.h"
#include "gui/library/lyrichitmodel.h"
#include "gui/library/lyricsearchfield.h"
#include "gui/library/waitdialog.h"
#include "gui/main/mainwindow.h"
#include "librarytestsupport.h"
#include "testappcore.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QListView>
#include <QStackedWidget>

using namespace LibraryTest;

namespace {

// A song of one screen per stanza, the lines of each given as "line|line|...".
bool saveSong(const QString &path, const QStringList &stanzas)
{
    Song song;
    for (const QString &stanza : stanzas) {
        song.appendStanza();
        song.addScreenAfterCurrent();
        QString text;
        for (const QString &line : stanza.split(u'|'))
            text += line.leftJustified(kLineChars, u' ', true);
        song.setCurrentScreenText(text);
    }
    song.setDefaultSequence();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return SongFile::save(path, song);
}

} // namespace

class TestLyricSearch : public PanelTest
{
    Q_OBJECT

    LyricSearchField *field() const { return m_panel->searchField(); }
    QStringList rows() const
    {
        QStringList names;
        for (int row = 0; row < field()->hitModel()->rowCount(); ++row)
            names << field()->hitModel()->hit(row)->name;
        return names;
    }

private slots:
    void initTestCase() { setUpPanelTests(); }

    void init()
    {
        const QString card = m_cards.next();
        QVERIFY(
            saveSong(card + u"Kolędy/0011 Wśród nocnej ciszy.txt"_qs, {u"Wśród nocnej ciszy"_qs, u"x||Pan Jezus"_qs}));
        QVERIFY(saveSong(card + u"Kolędy/0010 Bóg się rodzi.txt"_qs, {u"Bóg się rodzi,|Pan niebiosów|obnażony"_qs}));
        QVERIFY(saveSong(card + u"Maryjne/0003 Ave.txt"_qs, {u"Ave Maria"_qs}));
        openPanel(card);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        QTRY_VERIFY(!m_panel->lyricIndexer()->isBuilding());
        QCOMPARE(m_panel->lyricIndexer()->index().songCount(), 3);
        m_boxes.clear();
    }
    void cleanup() { m_frame.reset(); }

    // Typing lists the hits in place of the tree; Down and Enter open the chosen one; Escape
    // gives back the tree, on the song the editor opened.
    void typeChooseAndLeave()
    {
        QAbstractItemModelTester tester(field()->hitModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QTreeWidgetItem *ave = m_panel->tree()->findItems(u"0003 Ave"_qs, Qt::MatchRecursive).value(0);
        QVERIFY(ave);
        ave->parent()->setExpanded(true);
        m_panel->tree()->setCurrentItem(ave);
        const SongEditorPage *editor = m_frame->editorPage();

        QTest::keyClick(m_frame.get(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(field()->hasFocus());
        QTest::keyClicks(field(), u"pan je"_qs);
        QCOMPARE(qobject_cast<QStackedWidget *>(field()->hitList()->parentWidget()->parentWidget())->currentWidget(),
                 field()->hitList()->parentWidget());
        QCOMPARE(rows(), QStringList{u"0011 Wśród nocnej ciszy"_qs});
        QCOMPARE(field()->statusLabel()->text(), Lang::text(Txt::SearchHitCount).arg(1).arg(1));

        for (int i = 0; i < 3; ++i)
            QTest::keyClick(field(), Qt::Key_Backspace);
        QCOMPARE(rows(), (QStringList{u"0010 Bóg się rodzi"_qs, u"0011 Wśród nocnej ciszy"_qs}));
        QVERIFY(field()
                    ->hitModel()
                    ->data(field()->hitModel()->index(1))
                    .toString()
                    .contains(Lang::text(Txt::SearchHitPlace).arg(2).arg(1).arg(3) + u": Pan Jezus"_qs));
        QTest::keyClick(field(), Qt::Key_Down);
        QTest::keyClick(field(), Qt::Key_Down); // stays on the last row
        QTest::keyClick(field(), Qt::Key_Return);
        QCOMPARE(editor->song().path(), m_panel->root() + u"Kolędy/0011 Wśród nocnej ciszy.txt"_qs);
        QCOMPARE(editor->song().currentStanza(), 1);
        QCOMPARE(editor->song().currentScreen(), 0);
        QVERIFY(editor->isVisible());

        QTest::keyClick(field(), Qt::Key_Escape);
        QVERIFY(field()->text().isEmpty());
        QVERIFY(m_panel->tree()->isVisible());
        QVERIFY(ave->parent()->isExpanded());
        // The tree follows the song the editor opened.
        QCOMPARE(m_panel->tree()->currentItem()->text(0), u"0011 Wśród nocnej ciszy"_qs);

        // The editor's save puts the song into the index as it is in memory.
        SongEditorPage *page = m_frame->editorPage();
        page->editedSong().setScreenText(0, 0, u"Cicha noc"_qs);
        const int reads = m_panel->lyricIndexer()->index().fileReads();
        QVERIFY(page->save());
        QCOMPARE(m_panel->lyricIndexer()->index().fileReads(), reads);
        QCOMPARE(m_panel->lyricIndexer()->index().search(u"cicha noc"_qs).total, 1);

        QTest::keyClicks(field(), u"qqqq"_qs);
        QCOMPARE(field()->statusLabel()->text(), Lang::text(Txt::SearchNothingFound));
    }

    // A hit whose file went behind the tree's back is reported and leaves the index.
    void goneFiles()
    {
        const QString bog = m_panel->root() + u"Kolędy/0010 Bóg się rodzi.txt"_qs;
        QVERIFY(QFile::remove(bog));
        QTest::keyClicks(field(), u"niebiosow"_qs);
        QCOMPARE(rows(), QStringList{u"0010 Bóg się rodzi"_qs});
        QTest::keyClick(field(), Qt::Key_Enter);
        QCOMPARE(m_frame->editorPage()->song().path(), QString());
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::SongLoadFailed) + u'\n' + bog});
        QCOMPARE(rows(), QStringList());
    }
};

QTEST_MAIN(TestLyricSearch)
#include "tst_lyricsearch.moc"
