// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// The colours of the board model and the small dot displays.
namespace BoardColours {
inline const QColor kLit{0xFB, 0xBE, 0x31};        // a lit dot
inline const QColor kUnlit{0x22, 0x28, 0x28};      // the dot grid
inline const QColor kLitOutside{0x38, 0x45, 0x45}; // lit, outside the board's active area
inline const QColor kSelected{0x00, 0xFF, 0xFF};   // lit and selected
inline const QColor kOverwriteBlock{0x00, 0x00, 0xF0};
inline const QColor kCaret{0x00, 0xFF, 0x00};
inline const QColor kGlyphCellUnlit{0x00, 0x48, 0x48};
} // namespace BoardColours
