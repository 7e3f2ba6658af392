// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/uiseams.h"

#include <QWidget>

namespace {

const QString kHolderName = QStringLiteral("lumivoxUiSeams");

// Keeps a window's seams as a child object, so that they live and die with the window.
class SeamsHolder : public QObject
{
public:
    SeamsHolder(QObject *owner, UiSeams seams) : QObject(owner), m_seams(std::move(seams))
    {
        setObjectName(kHolderName);
    }
    UiSeams &seams() { return m_seams; }

private:
    UiSeams m_seams;
};

SeamsHolder *holderOf(const QWidget *widget)
{
    return static_cast<SeamsHolder *>(widget->findChild<QObject *>(kHolderName, Qt::FindDirectChildrenOnly));
}

} // namespace

UiSeams &installSeams(QWidget *window, UiSeams seams)
{
    Q_ASSERT(window);
    delete holderOf(window);
    return (new SeamsHolder(window, std::move(seams)))->seams();
}

const UiSeams &seamsOf(const QWidget *widget)
{
    static const UiSeams real;
    for (; widget; widget = widget->parentWidget()) {
        if (SeamsHolder *holder = holderOf(widget))
            return holder->seams();
    }
    return real;
}
