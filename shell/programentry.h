#pragma once

// The program's start, from the user data folder to the end of the main window's event loop:
// folders and Macro.ini, scaling, old diagnostics, the application object, then either the
// already-running notice (another instance holds the single-instance lock; the result is 0) or
// the main window and the event loop (its result). The application object is built from the
// command line unless one exists already, which lets tests run the whole start in process.
int ProgramMain(int &argc, char **argv);
