// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// The shared fixed-pitch font for number and text columns: "Lucida Console" at 14 pixels,
// or the system's fixed font of that size where it is not installed.
const QFont &uiFont();
