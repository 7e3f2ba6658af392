// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;
class QDialogButtonBox;
class QString;
class QWidget;

// Sets a window's title, or a label's, button's or group box's text, to the language text textId.
// A null widget is ignored, so a dialog can call it for controls it may not have.
void setControlText(QWidget *widget, int textId);

// OK with its language text, wired to the dialog's accept().
QDialogButtonBox *okButtons(QDialog *dialog);

// OK and Cancel with their language texts, wired to the dialog's accept() and reject().
QDialogButtonBox *okCancelButtons(QDialog *dialog);

// A name refusal: the language text textId, a tab and the characters a name may not hold.
QString forbiddenCharacterMessage(int textId);
