#pragma once
// Work that would keep the window from its messages runs on a thread of its
// own, and wakes the window's thread when it has something to hand over.
// Realised with threads and a posted window message in platform/win32, and
// on the calling thread in platform/fake.
#include <functional>

namespace quillory {

class Runner {
public:
    virtual ~Runner() = default;
    // Starts the work and returns at once. Work is told to stop by its own
    // means; the runner waits for it only when it goes itself.
    virtual void Run(std::function<void()> work) = 0;
    // The same for work that would leave something half-made if cut short (a
    // write to the day's file, the settings): the process ends only once it
    // is over, whenever the window goes.
    virtual void RunToEnd(std::function<void()> work) = 0;
    // From the work: the window's thread takes what the work has for it
    // soon. Wakes before it has done so make one.
    virtual void Wake() = 0;
};

}  // namespace quillory
