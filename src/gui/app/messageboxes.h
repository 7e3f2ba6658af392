// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/util/textids.h"

#include <QMessageBox>
#include <QString>

#include <functional>
#include <utility>

class QWidget;

// The program's three message boxes. Captions come from the language table
// (information 105, error 101, question 104) and so do the buttons (Yes 513, OK 408,
// No 514, Cancel 102, "Otwórz folder"). Each returns the button pressed.
QMessageBox::StandardButton infoBox(QWidget *owner, const QString &text);
QMessageBox::StandardButton errorBox(QWidget *owner, const QString &text);
// An input the user can correct (a name breaking a rule): the error caption with the warning icon.
QMessageBox::StandardButton warningBox(QWidget *owner, const QString &text);
// Yes and No, plus any of extraButtons (for example QMessageBox::Cancel); defaultButton is the
// one Enter presses (the platform's choice when NoButton); captionId is the caption's text id.
QMessageBox::StandardButton questionBox(QWidget *owner, const QString &text,
                                        QMessageBox::StandardButtons extraButtons = {},
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                        int captionId = Txt::QuestionCaption);
// Files were written: an information box (an error box when some were left out, as text says)
// with OK and "Otwórz folder" (QMessageBox::Open).
QMessageBox::StandardButton writtenBox(QWidget *owner, const QString &text, bool leftOut = false);
// A question whose buttons say what they do. Each choice is a standard button (what the call
// returns) with the text id of its label; defaultButton is the one Enter presses.
struct MessageChoice
{
    QMessageBox::StandardButton button;
    int textId;
};
QMessageBox::StandardButton choiceBox(QWidget *owner, const QString &text, const QList<MessageChoice> &choices,
                                      QMessageBox::StandardButton defaultButton);
// A box for the few texts that cannot come from a language table (no table is loaded).
void builtInMessage(QMessageBox::Icon icon, const QString &text);

namespace MessageBoxes {

struct Request
{
    QMessageBox::Icon icon;
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    // Labels that replace the language table's button texts, by button.
    QList<std::pair<QMessageBox::StandardButton, QString>> labels = {};
};

// Answers boxes without showing them (the owner's UiSeams, for tests and unattended runs).
// With no responder and the environment variable LUMIVOX_NONINTERACTIVE=1, each box is
// written to standard error and answered with its first button (OK or Yes).
using Responder = std::function<QMessageBox::StandardButton(const Request &)>;

} // namespace MessageBoxes
