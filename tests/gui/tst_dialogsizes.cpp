// SPDX-License-Identifier: GPL-3.0-or-later
// Every window of the program opens on a 1024x600 netbook with a task bar and a title bar (and so
// on a 1366x768 screen): none asks for more than 530 pixels of height or 1000 of width at its
// smallest, the main window with either page included.
#include "core/app/appcore.h"
#include "core/library/librarynaming.h"
#include "core/library/librarynumbertable.h"
#include "core/model/song.h"
#include "gui/app/helpwindow.h"
#include "gui/card/appendedfilesdialog.h"
#include "gui/card/cardwizard.h"
#include "gui/card/importsongsdialog.h"
#include "gui/editor/characterpalette.h"
#include "gui/editor/slidenumberdialog.h"
#include "gui/editor/songnumberdialog.h"
#include "gui/editor/textimportdialog.h"
#include "gui/font/fonteditor.h"
#include "gui/library/groupcoloursdialog.h"
#include "gui/library/groupeditdialog.h"
#include "gui/library/issuewindow.h"
#include "gui/library/lyricimportdialogs.h"
#include "gui/library/searchdialog.h"
#include "gui/library/waitdialog.h"
#include "gui/main/aboutdialog.h"
#include "gui/main/settingsdialog.h"
#include "gui/main/shortcutsdialog.h"
#include "gui/main/splashscreen.h"
#include "gui/music/musictimingdialog.h"
#include "gui/music/streamingmusicplayer.h"
#include "gui/playlist/insertsongdialog.h"
#include "gui/report/reportdialog.h"
#include "gui/widgets/newgroupdialog.h"
#include "gui/widgets/songstructuredialog.h"
#include "gui/widgets/targetgroupdialog.h"
#include "librarytestsupport.h"

#include <QLayout>
#include <QStackedWidget>
#include <QTest>

using namespace LibraryTest;

namespace {

constexpr int kMaxHeight = 530;
constexpr int kMaxWidth = 1000;

} // namespace

class TestDialogSizes : public PanelTest
{
    Q_OBJECT

    // "Name WxH" for a window whose smallest size does not fit.
    static QString tooLarge(const char *name, QWidget *window)
    {
        window->show();
        if (window->layout())
            window->layout()->activate();
        const QSize size = window->minimumSize().expandedTo(window->minimumSizeHint());
        window->hide();
        if (size.height() <= kMaxHeight && size.width() <= kMaxWidth)
            return {};
        return u"%1 %2x%3"_qs.arg(QLatin1StringView(name)).arg(size.width()).arg(size.height());
    }

private slots:
    void initTestCase() { setUpPanelTests(); }

    void everyWindowFits()
    {
        const QString card = m_cards.next();
        QVERIFY(TestSupport::writeFiles(card, {u"G/0001 A.txt"_qs, u"screen_dir/0001 E.ekr"_qs}));
        openPanel(card);
        AppCore &core = m_app->core();
        LibraryNumberTable songs(LibraryNaming::kSongTableSize);
        LibraryNumberTable slides(LibraryNaming::kSlideTableSize);
        SongGroupList groups;
        Song song;
        const std::unique_ptr<MusicPlayer> player = createMusicPlayer();

        QStringList found;
        const auto check = [&found](const char *name, QWidget &window) { found << tooLarge(name, &window); };
        check("MainWindow", *m_frame);
        m_frame->pages()->show();
        for (int page : {0, 1}) {
            m_frame->pages()->setCurrentIndex(page);
            check(page == 0 ? "MainWindow with the editor" : "MainWindow with the playlist", *m_frame);
        }
        {
            CardWizard wizard(card, m_cards.path(u"backups"_qs), m_drives, nullptr);
            check("CardWizard", wizard);
            // Each page of it too: the plan and the progress make the second the tallest.
            wizard.next();
            check("CardWizard step 1", wizard);
        }
        {
            AppendedFilesDialog appended({});
            check("AppendedFilesDialog", appended);
            ImportSongsDialog import(core, m_cards.next());
            check("ImportSongsDialog", import);
            CharacterPalette palette;
            check("CharacterPalette", palette);
            SongNumberDialog songNumber(1, songs);
            check("SongNumberDialog", songNumber);
            SlideNumberDialog slideNumber(1, u"S"_qs, slides);
            check("SlideNumberDialog", slideNumber);
            TextImportDialog text(u"Tekst"_qs);
            check("TextImportDialog", text);
            FontEditor fonts(core);
            check("FontEditor", fonts);
            GroupColoursDialog colours(groups, {u"G"_qs}, {});
            check("GroupColoursDialog", colours);
            GroupEditDialog group(SongGroup{}, {u"G"_qs});
            check("GroupEditDialog", group);
        }
        {
            LyricImportOptions options(LyricImport::BatchFacts{});
            check("LyricImportOptions", options);
            LyricImportReport report({});
            check("LyricImportReport", report);
            SearchDialog search({});
            check("SearchDialog", search);
            WaitDialog wait;
            check("WaitDialog", wait);
            AboutDialog about;
            check("AboutDialog", about);
            SettingsDialog settings(TestSupport::shippedLanguageDir(), core.settings());
            check("SettingsDialog", settings);
            ShortcutsDialog shortcuts(m_frame->commands());
            check("ShortcutsDialog", shortcuts);
            SplashScreen splash(u"Lumivox"_qs);
            check("SplashScreen", splash);
        }
        {
            MusicTimingDialog timing(song, *player, core.settings());
            check("MusicTimingDialog", timing);
            InsertSongDialog insert(card + u"G/0001 A.txt", false);
            check("InsertSongDialog", insert);
            ReportDialog reports(m_frame->workspace().library(), m_cards.path(u"reports"_qs));
            check("ReportDialog", reports);
            NewGroupDialog name(card);
            check("NewGroupDialog", name);
            SongStructureDialog structure(song, nullptr);
            check("SongStructureDialog", structure);
            TargetGroupDialog target({u"G"_qs}, u"G"_qs, card);
            check("TargetGroupDialog", target);
            IssueWindow issues;
            check("IssueWindow", issues);
            HelpWindow help;
            check("HelpWindow", help);
        }
        found.removeAll(QString());
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u", ")));
    }
};

LUMIVOX_TEST_MAIN_GUI(TestDialogSizes)
#include "tst_dialogsizes.moc"
