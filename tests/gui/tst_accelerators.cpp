// SPDX-License-Identifier: GPL-3.0-or-later
// In every shipped language, no two entries of one menu and no two controls of one dialog share
// an Alt key, and the message boxes' buttons have one each.
#include "core/app/language.h"
#include "gui/editor/songeditorpage.h"
#include "gui/editor/titleedit.h"
#include "gui/library/insertsongdialog.h"
#include "gui/library/librarypanel.h"
#include "gui/main/mainwindow.h"
#include "gui/main/settingsdialog.h"
#include "gui/report/reportdialog.h"
#include "librarytestsupport.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <memory>

using namespace LibraryTest;

namespace {

// The letter after a single '&' ("&&" is a literal ampersand), lower case; null without one.
QChar accelerator(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != u'&')
            continue;
        if (text.at(i + 1) == u'&') {
            ++i;
            continue;
        }
        return text.at(i + 1).toLower();
    }
    return {};
}

// "where: 'x' in A / B" for every letter two of texts share.
QStringList clashes(const QString &where, const QStringList &texts)
{
    QHash<QChar, QString> seen;
    QStringList found;
    for (const QString &text : texts) {
        const QChar key = accelerator(text);
        if (key.isNull())
            continue;
        if (seen.contains(key))
            found << u"%1: '%2' in %3 / %4"_qs.arg(where, key, seen.value(key), text);
        seen.insert(key, text);
    }
    return found;
}

QStringList menuClashes(const QString &where, const QList<QAction *> &actions)
{
    QStringList texts;
    QStringList found;
    for (QAction *action : actions) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        texts << action->text();
        if (QMenu *sub = action->menu())
            found << menuClashes(where + u" > " + action->text(), sub->actions());
    }
    return clashes(where, texts) + found;
}

// The labelled controls of a window: buttons, labels with a buddy, group boxes.
QStringList windowClashes(const QString &where, QWidget *window)
{
    QStringList texts;
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        texts << button->text();
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->buddy())
            texts << label->text();
    }
    for (QGroupBox *box : window->findChildren<QGroupBox *>()) {
        if (box->isCheckable())
            texts << box->title();
    }
    return clashes(where, texts);
}

} // namespace

class TestAccelerators : public PanelTest
{
    Q_OBJECT

private slots:
    void init() { setUpPanelTests(); }
    void cleanup() { m_frame.reset(); }

    void noClashes_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &language : Lang::availableLanguages(TestSupport::shippedLanguageDir()))
            QTest::newRow(qPrintable(language)) << language;
    }
    void noClashes()
    {
        QFETCH(QString, language);
        QVERIFY(Lang::load(TestSupport::shippedLanguageDir(), language) == Lang::LoadResult::Loaded);
        openPanel(m_cards.next());
        QStringList found = menuClashes(u"menu bar"_qs, m_frame->menuBar()->actions());

        SongEditorPage *editor = m_panel->editorPage();
        QVERIFY(editor);
        editor->titleEdit()->setText(u"Ab"_qs);
        const std::unique_ptr<QMenu> title{editor->titleEdit()->createMenu(nullptr)};
        found << menuClashes(u"title menu"_qs, title->actions());
        found << windowClashes(u"song editor"_qs, editor);

        SettingsDialog settings(TestSupport::shippedLanguageDir(), m_app->core().settings());
        found << windowClashes(u"settings"_qs, &settings);
        InsertSongDialog insert(QString(), false);
        found << windowClashes(u"insert song"_qs, &insert);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    // Yes, No and Cancel of the message boxes each have an Alt key, different from the others'.
    void messageBoxButtons_data() { noClashes_data(); }
    void messageBoxButtons()
    {
        QFETCH(QString, language);
        QVERIFY(Lang::load(TestSupport::shippedLanguageDir(), language) == Lang::LoadResult::Loaded);
        const QStringList buttons{Lang::text(Txt::ButtonYes), Lang::text(Txt::ButtonNo), Lang::text(Txt::ButtonCancel)};
        for (const QString &button : buttons)
            QVERIFY2(!accelerator(button).isNull(), qPrintable(button));
        QVERIFY(clashes(u"box"_qs, buttons).isEmpty());
    }
};

LUMIVOX_TEST_MAIN_GUI(TestAccelerators)
#include "tst_accelerators.moc"
