// SPDX-License-Identifier: GPL-3.0-or-later
// Painting cost of the LED matrix: a full repaint with every dot of all 200 cells lit, and the
// area a typed character repaints.
#include "core/font/boardfont.h"
#include "gui/editor/ledmatrix.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

BoardFont allLitFont()
{
    BoardFont font;
    for (Glyph &g : font.glyphs)
        g.columns = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    return font;
}

void BM_MatrixFullRepaintAllLit(benchmark::State &state)
{
    const BoardFont font = allLitFont();
    LedMatrix matrix;
    matrix.setBoardFont(&font, {});
    matrix.setReadOnly(false);
    matrix.setText(QString(200, u'#'));
    QImage target(matrix.sizeHint(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&target);
        matrix.render(p, target.rect());
        p.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_MatrixFullRepaintAllLit)->Unit(benchmark::kMicrosecond);

// Records the region of every paint event the matrix receives.
class PaintSpy : public QObject
{
public:
    QRegion painted;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

void BM_MatrixTypedCharacter(benchmark::State &state)
{
    const BoardFont font = allLitFont();
    LedMatrix matrix;
    matrix.setBoardFont(&font, {});
    matrix.setReadOnly(false);
    matrix.show();
    QApplication::processEvents();
    PaintSpy spy;
    matrix.installEventFilter(&spy);
    qint64 area = 0;
    qint64 count = 0;
    for (auto _ : state) {
        matrix.setText(QString());
        QApplication::processEvents();
        spy.painted = QRegion();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&matrix, &key);
        QApplication::processEvents();
        for (const QRect &r : spy.painted)
            area += qint64(r.width()) * r.height();
        ++count;
    }
    // One cell is 32 x 63 pixels; the cursor moves into the next cell, so two cells repaint.
    state.counters["repainted_px"] = double(area) / double(qMax<qint64>(1, count));
    state.counters["whole_control_px"] = double(matrix.width()) * matrix.height();
}
BENCHMARK(BM_MatrixTypedCharacter)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
