// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/lineicon.h"

#include "gui/widgets/themecolours.h"

#include <QAbstractButton>
#include <QEvent>
#include <QPixmap>

namespace LineIcon {

namespace {

// Strokes are greys darker than the middle; a tint this faint still counts as grey.
constexpr int kMaxStrokeLightness = 127;
constexpr int kMaxStrokeSaturation = 40;

// Keeps a button's icon drawn for the button's palette.
class Follower : public QObject
{
public:
    explicit Follower(QAbstractButton *button) : QObject(button), m_button(button) { button->installEventFilter(this); }

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
    void apply() { m_button->setIcon(forPalette(m_icon, m_button->palette())); }

    QAbstractButton *m_button;
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

void setOn(QAbstractButton *button, const QIcon &icon)
{
    auto *follower = static_cast<Follower *>(button->property(kFollowerProperty).value<QObject *>());
    if (!follower) {
        follower = new Follower(button);
        button->setProperty(kFollowerProperty, QVariant::fromValue<QObject *>(follower));
    }
    follower->setIcon(icon);
}

} // namespace LineIcon
