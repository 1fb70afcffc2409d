#pragma once

class CWorkerThread;

// The body of a background thread. The thread calls Run once with the record
// that started it; the result is the thread's business only.
class Runnable {
public:
    virtual ~Runnable() = default;
    virtual int Run(CWorkerThread* thread, int param) = 0;
};
