// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Loads the language table for command-line texts: NAME, or Polski when empty.
// The table comes from the program's shared data (<exe dir>/../share/lumivox/Language).
bool loadCliLanguage(const QString &name);
