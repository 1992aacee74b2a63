#pragma once

// Ctrl-C (SIGINT), SIGTERM and a closed terminal (SIGHUP) asked of a
// command that runs app processes on a temporary device. Instead of dying on
// the spot, which would leave the device copy and the apps behind, the
// command notices the signal wherever it waits (a socket to an app, its
// input), ends its apps, removes what it made and exits with 128 + the
// signal's number, as a shell expects.
class Interruption {
public:
    Interruption() = delete;

    // Catches the signals from now on, in this process only: the app
    // processes it starts get the signals' usual actions back.
    static void catchSignals();
    // The signal that came, 0 while none has.
    static int signal();
    // Readable once a signal has come, for poll() beside what a wait is for;
    // -1 while signals are not caught.
    static int descriptor();
    // "interrupted by SIGINT", for messages.
    static const char* description();
    // 128 + the signal's number.
    static int exitStatus() { return 128 + signal(); }
};
