// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QScrollArea;
class QWidget;

// Windows that fit small screens: their content scrolls where the screen is shorter than it,
// so that the buttons below stay in reach on a 1024x600 netbook as on a 1366x768 laptop.

// content in a frameless scroll area that asks for the content's whole size: the window opens
// as large as its content where the screen allows it, and scrolls where it does not.
QScrollArea *scrollingArea(QWidget *content, QWidget *parent);
// Resizes window to its size hint, kept inside the available area of its screen (task bars and
// the window's title bar left out).
void fitToScreen(QWidget *window);
