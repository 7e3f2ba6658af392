// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/screenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

namespace {

// Room a window manager takes around a window: its title bar and borders.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;

// QScrollArea asks for at most 36 x 24 lines whatever its content needs; this one asks for all
// of the content, and the window decides how much of it fits.
class ContentScrollArea : public QScrollArea
{
public:
    using QScrollArea::QScrollArea;

    QSize sizeHint() const override
    {
        if (!widget())
            return QScrollArea::sizeHint();
        const int frame = 2 * frameWidth();
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        return widget()->sizeHint() + QSize(frame + bar, frame);
    }
};

} // namespace

QScrollArea *scrollingArea(QWidget *content, QWidget *parent)
{
    auto *area = new ContentScrollArea(parent);
    area->setObjectName(QStringLiteral("pageScrollArea"));
    area->setFrameShape(QFrame::NoFrame);
    // The page's own controls take the focus; the area is no stop of its own on the way.
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setWidget(content);
    return area;
}

void fitToScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    QSize size = window->sizeHint().expandedTo(window->minimumSizeHint());
    if (screen) {
        const QSize room = screen->availableGeometry().size() - QSize(kFrameWidth, kFrameHeight);
        size = size.boundedTo(room);
    }
    window->resize(size.expandedTo(window->minimumSize()));
}
