#include "ui/pages/ProgressRelay.h"

#include "ui/pages/PageMessages.h"

SetUp::ProgressCallback MakeProgressRelay(HWND page, std::atomic<bool>* completionPosted) {
    return [page, completionPosted](int32_t percent) {
        PostMessageA(page, kProgressMessage, static_cast<WPARAM>(percent), 0);
        // Lets each step show before the next one.
        Sleep(100);
        bool expected = false;
        if (percent == 100 && completionPosted->compare_exchange_strong(expected, true)) {
            PostMessageA(page, kCompletionMessage, 0, 0);
        }
    };
}
