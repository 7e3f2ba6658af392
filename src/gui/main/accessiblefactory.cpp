// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/accessiblefactory.h"

#include "gui/editor/ledmatrix.h"
#include "gui/editor/ledmatrixaccessible.h"
#include "gui/widgets/glyphcell.h"
#include "gui/widgets/glyphcellaccessible.h"
#include "gui/widgets/numbermap.h"
#include "gui/widgets/numbermapaccessible.h"
#include "gui/widgets/timingbar.h"
#include "gui/widgets/timingbaraccessible.h"

#include <QAccessibleWidget>
#include <QDialogButtonBox>

namespace {

// A dialog's button row hands its focus on to a button (Qt makes that button its focus proxy), so
// it reports itself focused whenever the button is and a screen reader finds an unnamed focused
// panel beside the button. The row is never the focus itself.
class ButtonRowAccessible : public QAccessibleWidget
{
public:
    explicit ButtonRowAccessible(QWidget *row) : QAccessibleWidget(row, QAccessible::Grouping) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.focused = false;
        return s;
    }
};

// Qt asks with the class name of the object and then of each base class in turn.
QAccessibleInterface *drawnWidgetInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String(LedMatrix::staticMetaObject.className()))
        return new LedMatrixAccessible(static_cast<LedMatrix *>(object));
    if (className == QLatin1String(NumberMap::staticMetaObject.className()))
        return new NumberMapAccessible(static_cast<NumberMap *>(object));
    if (className == QLatin1String(TimingBar::staticMetaObject.className()))
        return new TimingBarAccessible(static_cast<TimingBar *>(object));
    if (className == QLatin1String(GlyphCell::staticMetaObject.className()))
        return new GlyphCellAccessible(static_cast<GlyphCell *>(object));
    if (className == QLatin1String(QDialogButtonBox::staticMetaObject.className()))
        return new ButtonRowAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

void installAccessibleFactory()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(drawnWidgetInterface);
    installed = true;
}
