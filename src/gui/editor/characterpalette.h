// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>

class LedMatrix;
class QAbstractButton;

// A small window of accented letters above the main window. It never takes the keyboard focus:
// a click types its letter into the editor's matrix, which keeps the focus, as a key would.
class CharacterPalette : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kColumns = 9;

    explicit CharacterPalette(QWidget *parent = nullptr);

    // The matrix the letters go to and whether typing there makes sense (an editable song in the
    // Latin charset). Without a target, or when not enabled, the letter buttons are disabled.
    void setTarget(LedMatrix *matrix, bool enabled);
    LedMatrix *target() const;
    // Shows the palette without activating it and raises it.
    void showPalette();

    QList<QAbstractButton *> letterButtons() const { return m_letters; }

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void updateButtons();
    // Puts the palette beside the target matrix, never over it.
    void placeBesideTarget();

    QPointer<LedMatrix> m_target;
    bool m_enabled = false;
    QList<QAbstractButton *> m_letters;
};
