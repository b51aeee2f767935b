#include "platform/write_progress.h"

#include <utility>

namespace quillory::write_progress {

namespace {

thread_local std::function<void(std::uint64_t)> listening;

}  // namespace

Listening::Listening(std::function<void(std::uint64_t)> listener) : previous_(std::exchange(listening, std::move(listener))) {}

Listening::~Listening() { listening = std::move(previous_); }

void Report(std::uint64_t bytesWritten) {
    if (listening) listening(bytesWritten);
}

}  // namespace quillory::write_progress
