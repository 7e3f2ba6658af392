// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/startup.h"

int main(int argc, char **argv)
{
    return runLumivox(argc, argv);
}
