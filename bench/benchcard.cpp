// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchcard.h"

#include "synth/syntheticcard.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

int runOnSyntheticCard(int argc, char **argv, const std::function<void(const QString &card)> &prepare)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir card;
    QString error;
    if (!card.isValid() || !generateSyntheticCard(card.path(), SyntheticCardSpec{}, nullptr, &error)) {
        fprintf(stderr, "%s: cannot generate the card: %s\n", qPrintable(QCoreApplication::applicationName()),
                qPrintable(error));
        return 1;
    }
    prepare(card.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
