#include "platform/window_thread.h"

#include <atomic>
#include <thread>

namespace quillory::window_thread {

namespace {

std::atomic<std::thread::id> windowThread{};
std::atomic<Report> report{nullptr};
thread_local int workDepth = 0;

}  // namespace

void Mark() { windowThread = std::this_thread::get_id(); }

void Unmark() { windowThread = std::thread::id(); }

bool OnIt() { return workDepth == 0 && std::this_thread::get_id() == windowThread.load(); }

void ReportCallsThrough(Report to) { report = to; }

void CheckFileSystemCall(std::string_view call) {
    const Report to = report.load();
    if (to && OnIt()) to(call);
}

WorkScope::WorkScope() { ++workDepth; }

WorkScope::~WorkScope() { --workDepth; }

}  // namespace quillory::window_thread
