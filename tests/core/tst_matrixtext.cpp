// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/editor/matrixtext.h"
#include "tablerows.h"

#include <QPoint>

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
        QList<QPoint> at;
        for (MatrixText::Move move : {MatrixText::Move::Right, MatrixText::Move::Left, MatrixText::Move::Up,
                                      MatrixText::Move::Down, MatrixText::Move::Home, MatrixText::Move::End}) {
            m.move(move);
            at << QPoint(m.column(), m.row());
        }
        QCOMPARE(at, QList<QPoint>({{0, 3}, {19, 3}, {19, 2}, {19, 3}, {0, 3}, {19, 3}}));
        m.setCursor(5, 0);
        m.move(MatrixText::Move::Up);
        QCOMPARE(QPoint(m.column(), m.row()), QPoint(5, 9));
        m.move(MatrixText::Move::Down);
        QCOMPARE(m.row(), 0);
        QCOMPARE(m.anchor(), 5); // every move makes the cursor the anchor
    }

    // One edit: the screen's rows and the cursor before, the keys typed (U+007F standing for
    // Delete), the rows and the cursor after (tests/data/matrixtext/edits.tsv).
    void edit_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QPoint>("cursorAfter");
        const auto point = [](const QString &xy) {
            return QPoint(xy.section(u',', 0, 0).toInt(), xy.section(u',', 1).toInt());
        };
        for (const QStringList &row : TestSupport::tableRows(u"matrixtext/edits.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1].split(u'|') << point(row[2]) << TestSupport::unescaped(row[3])
                                              << (row[4] == u"1") << row[5].split(u'|') << point(row[6]);
    }
    void edit()
    {
        QFETCH(QStringList, before);
        QFETCH(QPoint, cursor);
        QFETCH(QString, keys);
        QFETCH(bool, overwrite);
        QFETCH(QStringList, after);
        QFETCH(QPoint, cursorAfter);
        MatrixText m;
        QString text;
        for (const QString &row : before)
            text += row.leftJustified(MatrixText::kColumns, u' ');
        m.setText(text);
        if (overwrite)
            m.toggleOverwrite();
        m.setCursor(cursor.x(), cursor.y());
        for (QChar c : keys) {
            if (c == QChar(0x7F))
                m.deleteAtCursor();
            else
                m.type(c);
        }
        while (after.size() < MatrixText::kRows)
            after.append(QString());
        QCOMPARE(rows(m), after);
        QCOMPARE(QPoint(m.column(), m.row()), cursorAfter);
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
        QCOMPARE(rows(m).mid(0, 4), QStringList({u"ab"_qs, u"cd"_qs, QString(), u"efxyz"_qs}));
        QCOMPARE(QPoint(m.column(), m.row()), QPoint(2, 3));

        // Overwrite: control characters become spaces; a full row followed by CR leaves no blank row.
        MatrixText o;
        o.toggleOverwrite();
        o.setText(screen({"....................", "...."}));
        QVERIFY(o.paste(QString(20, u'a') + u"\r\nb\tc", {}));
        QCOMPARE(rows(o).mid(0, 2), QStringList({QString(20, u'a'), u"b c."_qs}));
    }

    void pasteTooLongAsksFirst()
    {
        MatrixText m;
        m.setCursor(0, 9);
        int asked = 0;
        QVERIFY(!m.paste(QString(21, u'q'), [&] {
            ++asked;
            return false;
        }));
        QCOMPARE(asked, 1);
        QCOMPARE(m.text(), QString(200, u' '));
        QVERIFY(m.paste(QString(25, u'q'), [&] {
            ++asked;
            return true;
        }));
        QCOMPARE(rows(m)[9], QString(20, u'q'));
        QCOMPARE(QPoint(m.column(), m.row()), QPoint(0, 9)); // reached the end: the row stays
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
