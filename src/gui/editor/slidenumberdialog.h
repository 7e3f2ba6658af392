// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/editor/numbermapdialog.h"

class QLineEdit;

// The slide number map (numbers 1..499 on 25 x 20 cells) with the slide's title. OK returns the
// chosen number and the title once both pass their checks.
class SlideNumberDialog : public NumberMapDialog
{
    Q_OBJECT
public:
    // The title edit takes at most this many characters: with more, "NNNN Title.ekr" would pass the
    // longest name a card file may have.
    static constexpr int kMaxTitleLength = 30;

    SlideNumberDialog(int number, const QString &title, const LibraryNumberTable &table, QWidget *parent = nullptr);

    QString title() const;
    QLineEdit *titleEdit() const { return m_title; }

public slots:
    void accept() override;

private:
    QLineEdit *m_title;
};
