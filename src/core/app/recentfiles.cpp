// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/recentfiles.h"

#include <QSettings>

namespace {
const QString kSection = QStringLiteral("Recent File List");
QString fileKey(int n)
{
    return QStringLiteral("File%1").arg(n);
}
} // namespace

void RecentFiles::load(QSettings &store)
{
    m_files.clear();
    store.beginGroup(kSection);
    for (int n = 1; n <= kMaxFiles; ++n) {
        const QString path = store.value(fileKey(n)).toString();
        if (!path.isEmpty() && !m_files.contains(path))
            m_files << path;
    }
    store.endGroup();
}

void RecentFiles::save(QSettings &store) const
{
    store.beginGroup(kSection);
    for (int n = 1; n <= kMaxFiles; ++n) {
        if (n <= m_files.size())
            store.setValue(fileKey(n), m_files.at(n - 1));
        else
            store.remove(fileKey(n));
    }
    store.endGroup();
    store.sync();
}

void RecentFiles::add(const QString &path)
{
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > kMaxFiles)
        m_files.removeLast();
}

void RecentFiles::remove(const QString &path)
{
    m_files.removeAll(path);
}
