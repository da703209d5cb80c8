#pragma once

#include <QWidget>

// Runs the event loop until the window has painted for the first time, then
// prints on one line the process's resident memory in KiB and how many
// steps of item-view layout (timer events of list views) came before that
// paint, and quits. The benchmark driver times the process from its start
// to that line.
int runUntilFirstShown(QWidget& window);
