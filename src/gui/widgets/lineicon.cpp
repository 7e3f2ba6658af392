// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/lineicon.h"

#include "gui/widgets/themecolours.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QPixmap>
#include <QPointer>

#include <functional>

namespace LineIcon {

namespace {

// Strokes are greys darker than the middle; a tint this faint still counts as grey.
constexpr int kMaxStrokeLightness = 127;
constexpr int kMaxStrokeSaturation = 40;

// Keeps an icon drawn for the palette of the widget it shows in.
class Follower : public QObject
{
public:
    Follower(QWidget *shownIn, std::function<void(const QIcon &)> show)
        : QObject(shownIn), m_shownIn(shownIn), m_show(std::move(show))
    {
        shownIn->installEventFilter(this);
    }

    void setIcon(const QIcon &icon)
    {
        m_icon = icon;
        apply();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::PaletteChange)
            apply();
        return false;
    }

private:
    void apply() { m_show(forPalette(m_icon, m_shownIn->palette())); }

    QWidget *m_shownIn;
    std::function<void(const QIcon &)> m_show;
    QIcon m_icon;
};

constexpr char kFollowerProperty[] = "lineIconFollower";

} // namespace

QImage recoloured(const QImage &image, const QColor &colour)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb stroke = colour.rgb() & RGB_MASK;
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QColor pixel = QColor::fromRgba(line[x]);
            if (pixel.alpha() > 0 && pixel.lightness() <= kMaxStrokeLightness
                && pixel.hslSaturation() <= kMaxStrokeSaturation)
                line[x] = stroke | (line[x] & ~RGB_MASK);
        }
    }
    return out;
}

QIcon forPalette(const QIcon &icon, const QPalette &palette)
{
    if (icon.isNull() || !ThemeColours::isDark(palette))
        return icon;
    QList<QSize> sizes = icon.availableSizes();
    if (sizes.isEmpty())
        sizes = {QSize(16, 16), QSize(32, 32)};
    const QColor text = palette.color(QPalette::WindowText);
    QIcon out;
    for (const QSize &size : sizes)
        out.addPixmap(QPixmap::fromImage(recoloured(icon.pixmap(size, 1.0).toImage(), text)));
    return out;
}

namespace {

void follow(QObject *owner, QWidget *shownIn, const QIcon &icon, std::function<void(const QIcon &)> show)
{
    auto *follower = static_cast<Follower *>(owner->property(kFollowerProperty).value<QObject *>());
    if (!follower) {
        follower = new Follower(shownIn, std::move(show));
        owner->setProperty(kFollowerProperty, QVariant::fromValue<QObject *>(follower));
    }
    follower->setIcon(icon);
}

} // namespace

void setOn(QAbstractButton *button, const QIcon &icon)
{
    follow(button, button, icon, [button](const QIcon &shown) { button->setIcon(shown); });
}

void setOn(QAction *action, QWidget *shownIn, const QIcon &icon)
{
    QPointer<QAction> guarded = action;
    follow(action, shownIn, icon, [guarded](const QIcon &shown) {
        if (guarded)
            guarded->setIcon(shown);
    });
}

} // namespace LineIcon
