// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Gives the widgets that draw themselves (the LED matrix, the number maps, the timing bar and the
// font editor's dot grid) the interfaces screen readers read, and dialog button rows one that
// does not claim its button's focus. Once per process, before any window shows; a second call
// does nothing.
void installAccessibleFactory();
