// The hourglass cursor, counted so that nested scopes restore the first cursor once.
#include "framework/WaitCursor.h"

#include <windows.h>

#include <utility>

namespace fw {
namespace {

struct WaitCursorState {
    int depth = 0;
    HCURSOR restore = nullptr;
};
WaitCursorState waitCursor;

}  // namespace

void BeginWaitCursor() {
    HCURSOR wait = ::LoadCursorA(nullptr, IDC_WAIT);
    HCURSOR previous = ::SetCursor(wait);
    if (waitCursor.depth++ == 0) waitCursor.restore = previous;
}

void EndWaitCursor() {
    if (waitCursor.depth == 0) return;
    if (--waitCursor.depth == 0) ::SetCursor(std::exchange(waitCursor.restore, nullptr));
}

}  // namespace fw
