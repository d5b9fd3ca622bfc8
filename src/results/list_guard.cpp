#include "results/list_guard.h"

namespace {

bool runOn = false;
OwedClose owed = OwedClose::None;

}  // namespace

ListRunScope::ListRunScope() {
    runOn = true;
}

ListRunScope::~ListRunScope() {
    runOn = false;
}

bool ListRunIsOn() {
    return runOn;
}

void OweCloseAfterListRun(OwedClose close) {
    if (static_cast<int>(close) > static_cast<int>(owed)) owed = close;
}

OwedClose TakeOwedClose() {
    const OwedClose close = owed;
    owed = OwedClose::None;
    return close;
}
