#pragma once
#include <span>

#include "app/actions.h"
#include "ui/ids.h"

namespace quillory {

struct EventBinding {
    int source;  // SourceId(...)
    Event event;
    void (Actions::*action)();
};

std::span<const EventBinding> EventTable();

// Runs the action bound to the event; false when the table has none.
bool Dispatch(Actions& actions, int source, Event event);

}  // namespace quillory
