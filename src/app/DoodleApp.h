#pragma once

// The application object: sets up Qt's input handling, runs the main window
// until it closes, and tears everything down in order.
class CDoodleApp {
public:
    // Returns the program's exit status.
    int Run(int argc, char** argv);

    // Application-wide settings that must be in place before the
    // QApplication exists: every mouse and tablet move is delivered on its
    // own, none merged with the next, so every move becomes a stroke point.
    static void PrepareInput();
};
