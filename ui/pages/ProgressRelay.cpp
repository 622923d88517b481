#include "ui/pages/ProgressRelay.h"

#include <string>

#include "ui/pages/PageMessages.h"

SetUp::EventCallback MakeEventRelay(HWND page, bool showsStatus,
                                    std::atomic<bool>* completionPosted) {
    return [page, showsStatus, completionPosted](const SetUp::CEngineEvent& event) {
        switch (event.kind) {
            case SetUp::EngineEventKind::Progress:
                PostMessageA(page, kProgressMessage, static_cast<WPARAM>(event.percent), 0);
                // Lets each step show before the next one.
                Sleep(100);
                break;
            case SetUp::EngineEventKind::Status:
                if (showsStatus) {
                    auto* copy = new std::string(event.text);
                    if (!PostMessageA(page, kStatusMessage, 0, reinterpret_cast<LPARAM>(copy))) {
                        delete copy;
                    }
                }
                break;
            case SetUp::EngineEventKind::ProcedureFinished: {
                bool expected = false;
                if (completionPosted->compare_exchange_strong(expected, true)) {
                    PostMessageA(page, kCompletionMessage, static_cast<WPARAM>(event.result), 0);
                }
                break;
            }
            default:
                break;
        }
    };
}
