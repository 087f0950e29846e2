// The hourglass cursor over a lengthy call.
#ifndef PEMZ_FRAMEWORK_WAITCURSOR_H
#define PEMZ_FRAMEWORK_WAITCURSOR_H

namespace fw {

// Nested: the cursor in place at the first Begin comes back at the last End.
void BeginWaitCursor();
void EndWaitCursor();
class WaitCursor {
public:
    WaitCursor() { BeginWaitCursor(); }
    ~WaitCursor() { EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace fw

#endif
