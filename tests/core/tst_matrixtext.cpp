// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/editor/matrixtext.h"
#include "testsupport.h"

#include <QPoint>
#include <QtTest>

namespace {

// Builds a screen from rows given without padding.
QString screen(std::initializer_list<const char *> rows)
{
    QString text;
    for (const char *r : rows)
        text += QString::fromUtf8(r).leftJustified(MatrixText::kColumns, u' ');
    return text.leftJustified(MatrixText::kCells, u' ');
}

QStringList rows(const MatrixText &m)
{
    QStringList out;
    for (int r = 0; r < MatrixText::kRows; ++r)
        out << trimmedRight(m.row(r));
    return out;
}

void typeText(MatrixText &m, const QString &text)
{
    for (QChar c : text)
        m.type(c);
}

} // namespace

class TestMatrixText : public QObject
{
    Q_OBJECT

private slots:
    void setTextPadsAndCuts()
    {
        MatrixText m;
        m.setText(QString(150, u'x'));
        QCOMPARE(m.text().size(), 200);
        QCOMPARE(m.row(7), QString(10, u'x') + QString(10, u' '));
        QCOMPARE(m.row(9), QString(20, u' '));
        m.setText(QString(200, u'a') + QString(60, u'b'));
        QVERIFY(!m.text().contains(u'b'));
        QCOMPARE(m.cursorCell(), 0);
    }

    void alignAllRowsAndCursorHome()
    {
        MatrixText m;
        m.setText(screen({"ab", "  abc", "   a b "}));
        m.setCursor(7, 4);
        m.alignAll(MatrixText::Alignment::Centre);
        QCOMPARE(m.row(0), QStringLiteral("         ab         "));
        QCOMPARE(m.row(1), QStringLiteral("        abc         "));
        QCOMPARE(m.cursorCell(), 0);
        m.alignAll(MatrixText::Alignment::Right);
        QCOMPARE(m.row(2), QStringLiteral("                 a b"));
    }

    void cursorMovesWrapWithinRowAndColumn()
    {
        MatrixText m;
        m.setCursor(19, 3);
        m.move(MatrixText::Move::Right);
        QCOMPARE(m.column(), 0);
        QCOMPARE(m.row(), 3);
        m.move(MatrixText::Move::Left);
        QCOMPARE(m.column(), 19);
        m.setCursor(5, 0);
        m.move(MatrixText::Move::Up);
        QCOMPARE(m.row(), 9);
        m.move(MatrixText::Move::Down);
        QCOMPARE(m.row(), 0);
        m.move(MatrixText::Move::End);
        QCOMPARE(m.column(), 19);
        m.move(MatrixText::Move::Home);
        QCOMPARE(m.column(), 0);
        QCOMPARE(m.anchor(), 0); // every move makes the cursor the anchor
    }

    void insertTyping()
    {
        MatrixText m;
        m.setText(screen({"Abc"}));
        m.setCursor(1, 0);
        typeText(m, QStringLiteral("x"));
        QCOMPARE(rows(m).first(), QStringLiteral("Axbc"));
        QCOMPARE(m.column(), 2);
        // After the text only spaces: plain replacement.
        m.setCursor(10, 0);
        typeText(m, QStringLiteral("y"));
        QCOMPARE(rows(m).first(), QStringLiteral("Axbc      y"));
    }

    void insertIntoAFullRowSplitsItAndLosesRowNine()
    {
        MatrixText m;
        QString text;
        for (int r = 0; r < 10; ++r)
            text += QString(20, QChar(u'a' + r));
        m.setText(text);
        m.setCursor(5, 0);
        typeText(m, QStringLiteral("X"));
        const QStringList r = rows(m);
        QCOMPARE(r[0], QStringLiteral("aaaaaX"));
        QCOMPARE(r[1], QString(15, u'a'));
        QCOMPARE(r[2], QString(20, u'b'));
        QCOMPARE(r[9], QString(20, u'i')); // row 9's "jjj..." is gone
        QCOMPARE(m.column(), 6);
        QCOMPARE(m.row(), 0);
    }

    void overwriteAdvancesAndStopsAtTheLastCell()
    {
        MatrixText m;
        m.toggleOverwrite();
        m.setText(screen({"abc"}));
        typeText(m, QStringLiteral("XY"));
        QCOMPARE(rows(m).first(), QStringLiteral("XYc"));
        m.setCursor(19, 0);
        typeText(m, QStringLiteral("Z"));
        QCOMPARE(m.row(), 1);
        QCOMPARE(m.column(), 0);
        m.setCursor(19, 9);
        typeText(m, QStringLiteral("QR"));
        QCOMPARE(m.cursorCell(), 199);
        QCOMPARE(m.at(199), QChar(u'R'));
    }

    // One backspace: (column, row) before, the rows and (column, row) after.
    void backspace_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QPoint>("cursorAfter");
        QTest::newRow("at cell 0: nothing") << QStringList{u"Hello"_qs} << QPoint(0, 0) << QStringList{u"Hello"_qs} << QPoint(0, 0);
        QTest::newRow("inside a row") << QStringList{u"Hello"_qs} << QPoint(3, 0) << QStringList{u"Helo"_qs} << QPoint(2, 0);
        QTest::newRow("row start joins the row above") << QStringList{u"Hello"_qs, u"World"_qs, u"three"_qs} << QPoint(0, 1)
                                                       << QStringList{u"Hello World"_qs, u"three"_qs} << QPoint(6, 0);
        QTest::newRow("below a long row one character moves up")
            << QStringList{u"1234567890123456789"_qs, u"abc"_qs} << QPoint(0, 1)
            << QStringList{u"1234567890123456789a"_qs, u"bc"_qs} << QPoint(19, 0);
        QTest::newRow("below a blank row") << QStringList{QString(), u"word"_qs} << QPoint(0, 1) << QStringList{u"word"_qs}
                                           << QPoint(0, 0);
        QTest::newRow("on an empty row removes it") << QStringList{u"ab"_qs, QString(), u"cd"_qs} << QPoint(0, 1)
                                                    << QStringList{u"ab"_qs, u"cd"_qs} << QPoint(3, 0);
    }
    void backspace()
    {
        QFETCH(QStringList, before);
        QFETCH(QPoint, cursor);
        QFETCH(QStringList, after);
        QFETCH(QPoint, cursorAfter);
        MatrixText m;
        QString text;
        for (const QString &row : before)
            text += row.leftJustified(MatrixText::kColumns, u' ');
        m.setText(text);
        m.setCursor(cursor.x(), cursor.y());
        m.type(QChar(8));
        while (after.size() < MatrixText::kRows)
            after.append(QString());
        QCOMPARE(rows(m), after);
        QCOMPARE(QPoint(m.column(), m.row()), cursorAfter);
    }

    void enterSplitsTheRow()
    {
        MatrixText m;
        QString text = screen({"Hello World"});
        text.replace(180, 20, QString(20, u'z'));
        m.setText(text);
        m.setCursor(6, 0);
        m.type(QChar(13));
        QCOMPARE(rows(m)[0], QStringLiteral("Hello"));
        QCOMPARE(rows(m)[1], QStringLiteral("World"));
        QCOMPARE(rows(m)[9], QString()); // the old last row is lost
        QCOMPARE(m.row(), 1);
        QCOMPARE(m.column(), 0);
        m.setCursor(3, 9);
        const QString before = m.text();
        m.type(QChar(13)); // row 9: nothing
        QCOMPARE(m.text(), before);
        m.type(QChar(9));  // Tab: nothing
        QCOMPARE(m.text(), before);
    }

    void deleteRules()
    {
        MatrixText m;
        m.setText(screen({"abcdef", "next", "", "after"}));
        m.setCursor(2, 0);
        m.deleteAtCursor();
        QCOMPARE(rows(m)[0], QStringLiteral("abdef"));
        QCOMPARE(m.column(), 2);
        // Behind the text: the next row moves up into this one.
        m.setCursor(10, 0);
        m.deleteAtCursor();
        QCOMPARE(rows(m)[0], QStringLiteral("abdef     next"));
        QCOMPARE(rows(m)[1], QString());
        // Behind the text with a blank next row: that row is removed.
        m.setCursor(15, 0);
        m.deleteAtCursor();
        QCOMPARE(rows(m)[0], QStringLiteral("abdef     next"));
        QCOMPARE(rows(m)[1], QString());
        QCOMPARE(rows(m)[2], QStringLiteral("after"));
        // On a blank row: the row itself goes.
        m.setCursor(0, 1);
        m.deleteAtCursor();
        QCOMPARE(rows(m)[1], QStringLiteral("after"));
        // A single character followed by the cursor joins like a longer text.
        m.setText(screen({"a", "bc"}));
        m.setCursor(5, 0);
        m.deleteAtCursor();
        QCOMPARE(rows(m)[0], QStringLiteral("a    bc"));
    }

    void deleteJoinsOnlyWhatFits()
    {
        MatrixText m;
        m.setText(screen({"0123456789abcdef", "ABCDEFGHIJ"}));
        m.setCursor(17, 0);
        m.deleteAtCursor();
        QCOMPARE(rows(m)[0], QStringLiteral("0123456789abcdef ABC"));
        QCOMPARE(rows(m)[1], QStringLiteral("DEFGHIJ"));
    }

    void copySelection()
    {
        MatrixText m;
        m.setText(screen({"one", "two"}));
        m.selectAll();
        const QString all = m.selectedText();
        QCOMPARE(all.count(u"\r\n"), 10);
        QCOMPARE(all.split(QStringLiteral("\r\n")).first(), QStringLiteral("one                 "));
        m.setCursor(1, 1);
        m.setSelectionEnd(22);
        QCOMPARE(m.selectedText(), QStringLiteral("wo"));
        m.setSelectionEnd(20); // towards the top left: nothing
        QVERIFY(!m.hasSelection());
        QCOMPARE(m.selectedText(), QString());
    }

    void paste()
    {
        MatrixText m;
        m.setText(screen({"xyz"}));
        QVERIFY(m.paste(QStringLiteral("ab\r\ncd\r\n\r\nef"), {}));
        const QStringList r = rows(m);
        QCOMPARE(r[0], QStringLiteral("ab"));
        QCOMPARE(r[1], QStringLiteral("cd"));
        QCOMPARE(r[2], QString());
        QCOMPARE(r[3], QStringLiteral("efxyz"));
        QCOMPARE(m.row(), 3);
        QCOMPARE(m.column(), 2);

        // Overwrite: control characters become spaces; a full row followed by CR leaves no blank row.
        MatrixText o;
        o.toggleOverwrite();
        o.setText(screen({"....................", "...."}));
        QVERIFY(o.paste(QString(20, u'a') + u"\r\nb\tc", {}));
        QCOMPARE(rows(o)[0], QString(20, u'a'));
        QCOMPARE(rows(o)[1], QStringLiteral("b c."));
    }

    void pasteTooLongAsksFirst()
    {
        MatrixText m;
        m.setCursor(0, 9);
        int asked = 0;
        QVERIFY(!m.paste(QString(21, u'q'), [&] { ++asked; return false; }));
        QCOMPARE(asked, 1);
        QCOMPARE(m.text(), QString(200, u' '));
        QVERIFY(m.paste(QString(25, u'q'), [&] { ++asked; return true; }));
        QCOMPARE(rows(m)[9], QString(20, u'q'));
        QCOMPARE(m.row(), 9); // reached the end: the row stays
        QCOMPARE(m.column(), 0);
        QVERIFY(!m.paste(QString(), {}));
    }

    void dirtyCellsFollowTheChange()
    {
        MatrixText m;
        m.takeDirty();
        m.setCursor(3, 2);
        MatrixText::Cells dirty = m.takeDirty();
        QVERIFY(dirty.test(0) && dirty.test(43));
        QCOMPARE(dirty.count(), size_t(2));
        m.type(u'x');
        dirty = m.takeDirty();
        QVERIFY(dirty.test(43) && dirty.test(44));
        QVERIFY(dirty.count() <= 20);
    }
};

LUMIVOX_TEST_MAIN_CORE(TestMatrixText)
#include "tst_matrixtext.moc"
