#pragma once

// A pipe between a test and its forked child: one side says it has reached a
// point, the other waits for that instead of for a time.
class ReadySignal {
public:
    ReadySignal();
    ReadySignal(const ReadySignal&) = delete;
    ReadySignal& operator=(const ReadySignal&) = delete;
    ~ReadySignal();

    void signal() const;
    // Waits for a signal; the timeout only ends a test that has failed.
    bool wait(int milliseconds = 20000) const;
    // Whether a signal has come, without waiting.
    bool hasSignalled() const { return wait(0); }

private:
    int m_ends[2];
};
