// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/posixfile.h"
#include "gui/main/startup.h"

int main(int argc, char **argv)
{
    failWritesOverFileSizeLimit();
    return runLumivox(argc, argv);
}
