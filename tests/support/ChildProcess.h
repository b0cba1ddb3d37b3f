// Other programs of the build, started from a test or the benchmark.
#pragma once

#include <windows.h>

#include <string>

// The path of `file` in the folder of the running test program.
std::string besideThisProgram(const std::string &file);

// Runs the command line to its end and returns its exit code; the system's
// error code when it cannot start, STILL_ACTIVE when it outlives the wait.
DWORD runToEnd(const std::string &commandLine, DWORD milliseconds = 120000);
