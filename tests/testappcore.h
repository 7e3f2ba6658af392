// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The application object of a test: settings in an INI file and the data and work folders in a
// test's temporary directory, the resources straight from the source tree.
#include "core/app/appcore.h"
#include "testsupport.h"

#include <QSettings>

struct TestAppCore
{
    explicit TestAppCore(const QString &dir)
        : store(dir + u"/s.ini", QSettings::IniFormat), core(&store, dirsBelow(dir))
    {
        core.loadPersistentState();
    }

    static AppDirs dirsBelow(const QString &dir)
    {
        AppDirs dirs;
        dirs.resourceDir = TestSupport::sourceDir() + u"/data/";
        dirs.dataDir = dir + u"/data/";
        dirs.workDir = dir + u"/work/";
        return dirs;
    }

    QSettings store;
    AppCore core;
};
