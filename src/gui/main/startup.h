// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs the program: start-up in its fixed order, then the event loop. Returns the exit code.
int runLumivox(int argc, char **argv);
