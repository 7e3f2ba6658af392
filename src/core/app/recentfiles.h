// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QSettings;

// The most recently used project files, section "Recent File List", keys File1..File4.
class RecentFiles
{
public:
    static constexpr int kMaxFiles = 4;

    void load(QSettings &store);
    void save(QSettings &store) const;
    // Moves path to the front, dropping the oldest beyond kMaxFiles.
    void add(const QString &path);
    void remove(const QString &path);
    const QStringList &files() const { return m_files; }

private:
    QStringList m_files;
};
