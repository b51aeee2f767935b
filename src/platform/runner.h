#pragma once
// Work that would keep the window from its messages runs on a thread of its
// own, and wakes the window's thread when it has something to hand over.
// Realised with threads and a posted window message in platform/win32, and
// on the calling thread in platform/fake.
#include <functional>
#include <utility>

namespace quillory {

// Whether the program may end while the work runs: a listing may be cut
// off, a write to the day's file may not, or the file would be left half-made.
enum class AtExit { CutOff, Finish };

class Runner {
public:
    virtual ~Runner() = default;
    // Starts the work and returns at once. Work is told to stop by its own
    // means; once the window has gone the program waits for work that must
    // finish, and for other work a moment at most.
    virtual void Run(std::function<void()> work, AtExit atExit) = 0;
    void Run(std::function<void()> work) { Run(std::move(work), AtExit::CutOff); }
    // From the work: the window's thread takes what the work has for it
    // soon. Wakes before it has done so make one.
    virtual void Wake() = 0;
};

}  // namespace quillory
