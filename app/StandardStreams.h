#pragma once

namespace lapidor {

// First thing at start-up, before anything opens a file: a standard stream
// that is closed (as after `2>&-`) is opened on /dev/null, so that no file
// the program or Qt opens later takes its number and receives what is
// meant for that stream. And SIGPIPE is ignored, so that a line written to
// a stderr whose reader has gone is dropped instead of ending the program.
// Returns whether standard output was closed, which --help and --version
// must report. Nothing happens on Windows.
bool keepStandardStreamsOpen();

} // namespace lapidor
