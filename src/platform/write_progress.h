#pragma once
// How far a long write has come, for the sign the window shows while it
// lasts. The platform's writer reports the bytes it has written so far to
// whoever listens on the writing thread; nobody listens by default.
#include <cstdint>
#include <functional>

namespace quillory::write_progress {

// Hears every report made on the calling thread while it lives.
class Listening {
public:
    explicit Listening(std::function<void(std::uint64_t bytesWritten)> listener);
    ~Listening();
    Listening(const Listening&) = delete;
    Listening& operator=(const Listening&) = delete;

private:
    std::function<void(std::uint64_t)> previous_;
};

void Report(std::uint64_t bytesWritten);

}  // namespace quillory::write_progress
