// SPDX-License-Identifier: GPL-3.0-or-later
// The user guide: which page a language and a window get, the pages and pictures agreeing with
// one another, and F1 in a dialog opening that dialog's page in a window the dialog leaves usable.
#include "core/app/appcore.h"
#include "core/app/guidepages.h"
#include "core/app/language.h"
#include "gui/app/guidehelp.h"
#include "gui/app/helpwindow.h"
#include "gui/app/messageboxes.h"
#include "gui/app/uiseams.h"
#include "gui/widgets/newgroupdialog.h"
#include "gui/library/searchdialog.h"
#include "testsupport.h"

#include <QApplication>
#include <QRegularExpression>
#include <QSettings>
#include <QTextBrowser>

namespace {

QString guideSource()
{
    return TestSupport::sourceDir() + u"/docs/guide/";
}

// Link targets of a Markdown page, pictures apart from pages.
void readLinks(const QString &page, QStringList *pages, QStringList *pictures)
{
    QFile file(page);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page));
    static const QRegularExpression link(QStringLiteral("(!?)\\[[^\\]]*\\]\\(([^)\\s]+)\\)"));
    const QString text = QString::fromUtf8(file.readAll());
    for (auto it = link.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const QString target = match.captured(2).section(u'#', 0, 0);
        if (target.contains(u"://") || target.isEmpty())
            continue;
        (match.captured(1).isEmpty() ? pages : pictures)->append(target);
    }
}

QStringList filesIn(const QString &dir, const QString &pattern)
{
    return QDir(dir).entryList({pattern}, QDir::Files, QDir::Name);
}

} // namespace

class TestGuide : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        TestSupport::initApplicationIdentity();
        QVERIFY(m_tree.isValid());
        for (const char *file : {"pl/search.md", "pl/index.md", "en/search.md", "en/import.md", "en/index.md"})
            QVERIFY(TestSupport::writeFile(m_tree.filePath(QString::fromLatin1(file)), "# x\n"));
    }

    void findPage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("expected");
        QTest::newRow("page in the language") << "pl"
                                              << "search"
                                              << "pl/search.md";
        QTest::newRow("English where the language lacks it") << "pl"
                                                             << "import"
                                                             << "en/import.md";
        QTest::newRow("a language without a guide") << "ru"
                                                    << "search"
                                                    << "en/search.md";
        QTest::newRow("unknown page: the contents") << "pl"
                                                    << "nothing"
                                                    << "pl/index.md";
        QTest::newRow("a path is no page name") << "pl"
                                                << "../pl/search"
                                                << "pl/index.md";
        QTest::newRow("a path is no language folder") << "../en"
                                                      << "search"
                                                      << "en/search.md";
        QTest::newRow("no language folder named") << ""
                                                  << "search"
                                                  << "en/search.md";
    }

    void findPage()
    {
        QFETCH(QString, language);
        QFETCH(QString, page);
        QFETCH(QString, expected);
        const GuidePage found = Guide::find(m_tree.path(), language, page);
        QCOMPARE(found.path, m_tree.filePath(expected));
    }

    void missingGuideNamesTheFolder()
    {
        const QString missing = m_tree.filePath(QStringLiteral("no-guide"));
        QCOMPARE(Guide::find(missing, QStringLiteral("pl"), QStringLiteral("search")).lookedAt, missing);

        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("English")), Lang::LoadResult::Loaded);
        QStringList shown;
        QWidget owner;
        installSeams(&owner).responder = [&shown](const MessageBoxes::Request &r) {
            shown << r.text;
            return QMessageBox::Ok;
        };
        QVERIFY(!GuideHelp::open(&owner, QStringLiteral("search"), missing));
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().contains(missing), qPrintable(shown.first()));
        QVERIFY(!owner.findChild<HelpWindow *>());
    }

    // Both languages have the same pages; every page is reachable from the contents; every link
    // and picture a page names is there, and every picture is named by a page.
    void pagesAndPicturesAgree_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Polski") << "pl";
        QTest::newRow("English") << "en";
    }

    void pagesAndPicturesAgree()
    {
        QFETCH(QString, language);
        const QString folder = guideSource() + language + u'/';
        const QStringList pages = filesIn(folder, QStringLiteral("*.md"));
        QCOMPARE(pages, filesIn(guideSource() + u"pl/", QStringLiteral("*.md")));
        QVERIFY(pages.contains(QStringLiteral("index.md")));

        QStringList linkedPages, pictures;
        for (const QString &page : pages) {
            QStringList links, images;
            readLinks(folder + page, &links, &images);
            for (const QString &link : std::as_const(links))
                QVERIFY2(QFileInfo::exists(folder + link), qPrintable(page + u" links " + link));
            for (const QString &image : std::as_const(images))
                QVERIFY2(QFileInfo(folder + image).isFile(),
                         qPrintable(page + u" shows " + image + u", which is not there"));
            linkedPages += links;
            pictures += images;
        }
        for (const QString &page : pages) {
            if (page != u"index.md")
                QVERIFY2(linkedPages.contains(page), qPrintable(page + u" is linked from no page"));
        }
        for (const QString &picture : filesIn(folder + u"images/", QStringLiteral("*.png")))
            QVERIFY2(pictures.contains(u"images/" + picture), qPrintable(picture + u" is shown on no page"));
    }

    // Every page the program opens for a window is a page of the guide.
    void windowPagesExist()
    {
        for (const QString &page : GuideHelp::windowPages()) {
            for (const char *language : {"pl", "en"}) {
                const QString path = guideSource() + QString::fromLatin1(language) + u'/' + page + u".md";
                QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
            }
        }
    }

    void f1InADialogOpensItsPage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("expected");
        QTest::newRow("search, English") << "English"
                                         << "search"
                                         << "en/search.md";
        QTest::newRow("search, Polski") << "Polski"
                                        << "search"
                                        << "pl/search.md";
        QTest::newRow("new group, Русский: English pages") << "Русский"
                                                           << "group"
                                                           << "en/cards-library.md";
    }

    void f1InADialogOpensItsPage()
    {
        QFETCH(QString, language);
        QFETCH(QString, dialog);
        QFETCH(QString, expected);
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), language), Lang::LoadResult::Loaded);
        // The program's layout: the guide beside the language files, under share/lumivox.
        QTemporaryDir dir;
        QSettings store(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        AppDirs dirs;
        dirs.resourceDir = TestSupport::buildDir() + u"/share/lumivox/";
        dirs.dataDir = dir.filePath(QStringLiteral("data/"));
        dirs.workDir = dir.filePath(QStringLiteral("work/"));
        AppCore core(&store, dirs);
        GuideHelp::F1Filter filter;
        qApp->installEventFilter(&filter);

        std::unique_ptr<QDialog> window;
        if (dialog == u"search")
            window = std::make_unique<SearchDialog>(QString());
        else
            window = std::make_unique<NewGroupDialog>(dir.path());
        installSeams(window.get());
        window->setWindowModality(Qt::ApplicationModal);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QWidget *focus = window->focusWidget() ? window->focusWidget() : window.get();
        QTest::keyClick(focus, Qt::Key_F1);
        qApp->removeEventFilter(&filter);

        auto *help = window->findChild<HelpWindow *>();
        QVERIFY2(help, "F1 opened no help window beside the dialog");
        QVERIFY(help->isVisible());
        QCOMPARE(help->currentPage(), QFileInfo(dirs.resourceDir + u"guide/" + expected).absoluteFilePath());
        // Rendered, not shown as source: the first heading is a heading, not "# ...".
        QVERIFY(!help->browser()->toPlainText().startsWith(u'#'));
        QVERIFY(!help->browser()->toPlainText().trimmed().isEmpty());
    }

private:
    QTemporaryDir m_tree;
};

QTEST_MAIN(TestGuide)
#include "tst_guide.moc"
