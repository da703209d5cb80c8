#pragma once

#include <QWidget>

// Runs the event loop until the window has painted for the first time, then
// prints the process's resident memory in KiB on one line and quits. The
// benchmark driver times the process from its start to that line.
int runUntilFirstShown(QWidget& window);
