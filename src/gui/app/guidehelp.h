// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class HelpWindow;
class QWidget;

// Opening the guide: the page about a window, in the language of the interface (English where
// the guide has no such language), in a help window that stays usable beside a modal dialog.
namespace GuideHelp {

// The guide page about this window (its class, or the nearest base class the guide knows);
// the contents for a window the guide has no page about.
QString pageFor(const QWidget *window);

// Every page some window opens, for the check that the guide has them all.
QStringList windowPages();

// Shows the page in a help window, or a message naming the folder looked in when the guide is
// not there. guideFolder empty: the installed guide beside the program. Returns the window, or
// nullptr after a message.
HelpWindow *open(QWidget *from, const QString &page, const QString &guideFolder = QString());

// F1 in any window but the main one (whose Help menu carries F1) opens that window's page.
class F1Filter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace GuideHelp
