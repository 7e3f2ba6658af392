// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// The main of a benchmark program that works on a synthetic 5000-song card: generates the card
// once into a temporary folder, calls prepare with its path, then runs the benchmarks given on
// the command line. Returns the exit code; 1 when the card cannot be generated.
int runOnSyntheticCard(int argc, char **argv, const std::function<void(const QString &card)> &prepare);
