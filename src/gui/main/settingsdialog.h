// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/appsettings.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QRadioButton;

// "Ustawienia programu": the language (effective at the next start), the MP3 folder, the sound
// font for MIDI files and the board's text matrix, 10 rows of 20 or 6 rows of 16.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    SettingsDialog(const QString &languageDir, const AppSettings &settings, QWidget *parent = nullptr);

    QString languageName() const;
    QString musicDirectory() const;
    QString soundFont() const;
    AppSettings::LineMode lineMode() const;
    // Writes the accepted choices: LastLang, LastMusicDir, SoundFont, MaxX and MaxY.
    void storeInto(AppSettings &settings) const;

    QComboBox *languageCombo() const { return m_languageCombo; }
    QRadioButton *tenRowsButton() const { return m_tenRows; }
    QRadioButton *sixRowsButton() const { return m_sixRows; }

public slots:
    void accept() override;
    void chooseMusicDirectory();
    void chooseSoundFont();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QComboBox *m_languageCombo;
    QLineEdit *m_musicDirectory;
    QLineEdit *m_soundFont;
    QRadioButton *m_tenRows;
    QRadioButton *m_sixRows;
    bool m_noLanguages = false;
    bool m_shown = false;
};
