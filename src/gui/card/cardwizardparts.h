// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLabel;
class QWidget;

// Small pieces the card wizard's pages share.
namespace CardWizardParts {

// A hidden widget keeps its place in the layout: a page does not jump when a part comes or goes.
void retainPlace(QWidget *widget);
// A bold, wrapping label named objectName.
QLabel *boldLabel(QWidget *parent, const QString &objectName);
// A layout of widget without margins: the page around it has them.
template <typename Layout>
Layout *bareLayout(QWidget *widget)
{
    auto *layout = new Layout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

} // namespace CardWizardParts
