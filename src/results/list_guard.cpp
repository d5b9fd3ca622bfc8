#include "results/list_guard.h"

namespace {

bool g_RunOn = false;
OwedClose g_OwedClose = OwedClose::None;

}  // namespace

ListRunScope::ListRunScope() {
    g_RunOn = true;
}

ListRunScope::~ListRunScope() {
    g_RunOn = false;
}

bool ListRunIsOn() {
    return g_RunOn;
}

void OweCloseAfterListRun(OwedClose close) {
    if (static_cast<int>(close) > static_cast<int>(g_OwedClose)) g_OwedClose = close;
}

OwedClose TakeOwedClose() {
    const OwedClose close = g_OwedClose;
    g_OwedClose = OwedClose::None;
    return close;
}
