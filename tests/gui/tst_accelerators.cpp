// SPDX-License-Identifier: GPL-3.0-or-later
// In every shipped language no two entries of one menu share an Alt key; message-box buttons have one each.
#include "core/app/language.h"
#include "gui/editor/songeditorpage.h"
#include "gui/editor/titleedit.h"
#include "gui/main/mainwindow.h"
#include "librarytestsupport.h"

#include <QMenu>
#include <QMenuBar>
#include <QKeySequence>
#include <QTest>

#include <memory>

using namespace LibraryTest;

namespace {

// "where: 'x' in A / B" for every Alt key two of texts share; "&&" is a plain ampersand.
QStringList clashes(const QString &where, const QStringList &texts)
{
    QHash<QChar, QString> seen;
    QStringList found;
    for (const QString &text : texts) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(text);
        const QChar key = mnemonic.isEmpty() ? QChar() : QChar(char16_t(mnemonic[0].key())).toLower();
        if (!key.isNull() && seen.contains(key))
            found << u"%1: '%2' in %3 / %4"_qs.arg(where, key, seen.value(key), text);
        if (!key.isNull())
            seen.insert(key, text);
    }
    return found;
}

QStringList menuClashes(const QString &where, const QList<QAction *> &actions)
{
    QStringList texts;
    QStringList found;
    for (QAction *action : actions) {
        if (!action->isSeparator() && action->isVisible())
            texts << action->text();
        if (QMenu *sub = action->menu())
            found << menuClashes(where + u" > " + action->text(), sub->actions());
    }
    return clashes(where, texts) + found;
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

        SongEditorPage *editor = m_frame->editorPage();
        QVERIFY(editor);
        editor->titleEdit()->setText(u"Ab"_qs);
        const std::unique_ptr<QMenu> title{editor->titleEdit()->createMenu(nullptr)};
        found << menuClashes(u"title menu"_qs, title->actions());
        // Yes, No and Cancel of the message boxes: an Alt key each.
        const QStringList box{Lang::text(Txt::ButtonYes), Lang::text(Txt::ButtonNo), Lang::text(Txt::ButtonCancel)};
        found << clashes(u"message box"_qs, box);
        for (const QString &button : box)
            found << (QKeySequence::mnemonic(button).isEmpty() ? u"no Alt key: "_qs + button : QString());
        found.removeAll(QString());
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }
};

LUMIVOX_TEST_MAIN_GUI(TestAccelerators)
#include "tst_accelerators.moc"
