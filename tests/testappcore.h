// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An application object for widget tests: settings in a temporary INI file, the shipped
// resources of the source tree, data and work folders in a temporary directory.
#include "core/app/appcore.h"
#include "testsupport.h"

#include <QSettings>
#include <QTemporaryDir>

#include <memory>

class TestAppCore
{
public:
    TestAppCore() : m_store(std::make_unique<QSettings>(m_dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat))
    {
        AppDirs dirs;
        dirs.resourceDir = TestSupport::sourceDir() + u"/data/";
        dirs.dataDir = m_dir.filePath(QStringLiteral("data/"));
        dirs.workDir = m_dir.filePath(QStringLiteral("work/"));
        m_core = std::make_unique<AppCore>(m_store.get(), dirs);
        m_core->loadPersistentState();
    }

    AppCore &core() { return *m_core; }
    QSettings &store() { return *m_store; }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_store;
    std::unique_ptr<AppCore> m_core;
};
