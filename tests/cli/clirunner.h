// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs the programs as a script would: standard output and error are pipes, not a terminal.
#include "testsupport.h"

#include <QProcess>

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline CliRun runProgram(const QString &program, const QStringList &args,
                         const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    CliRun r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

inline CliRun runCli(const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    return runProgram(TestSupport::buildDir() + u"/bin/lumivox-cli", args, env);
}
