// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QIODevice>
#include <QString>

// One language's numbered texts, read from a UTF-8 table file:
//   # comment
//   version=0x2000001
//   101=Błąd
// Escapes \n \r \t \\ are decoded; lines without "=" or with a non-numeric id are skipped.
// The program only reads these files, so there is no writer.
class LanguageTable
{
public:
    static constexpr quint32 kRequiredVersion = 0x2000001;
    static constexpr int kMaxTextLength = 254;
    // load() reads only regular files up to this size.
    static constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

    // Replaces the texts with those read; false when the device is not readable.
    bool read(QIODevice &device, QString *error = nullptr);
    // read() from the file; false, with the table empty, when it cannot be opened.
    bool load(const QString &path, QString *error = nullptr);
    void clear();

    bool isEmpty() const { return m_texts.isEmpty() && m_version == 0; }
    // The version line's value, 0 when the file had none.
    quint32 version() const { return m_version; }
    // The text with this id, at most kMaxTextLength characters; empty when missing.
    QString text(int id) const { return m_texts.value(id); }
    bool contains(int id) const { return m_texts.contains(id); }
    QList<int> ids() const { return m_texts.keys(); }

    static QString unescape(QStringView raw);

private:
    QHash<int, QString> m_texts;
    quint32 m_version = 0;
};
