// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/charsetmode.h"

namespace {
CharsetMode g_mode = CharsetMode::Latin;
}

CharsetMode currentCharsetMode()
{
    return g_mode;
}
void setCurrentCharsetMode(CharsetMode mode)
{
    g_mode = mode;
}
