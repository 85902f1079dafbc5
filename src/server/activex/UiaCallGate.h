#pragma once
// Brings UI Automation's calls from other threads to the control's thread.
// The system calls providers on threads of its own; the header may be read
// only on its own. A call from another thread waits in the gate's queue and
// a message sent to the gate's hidden window (carrying nothing: "run what is
// queued") runs it there. A sent message, not COM's apartment call: the
// control's thread takes sent messages also while it is itself inside a
// SendMessage to the system's UI Automation thread, which a COM call to it
// would wait for forever.

#include "win32/WinApi.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace corvane::server {

class TUiaCallGate {
public:
    // On the control's thread, which runs the calls from then on.
    TUiaCallGate();
    ~TUiaCallGate();
    TUiaCallGate(const TUiaCallGate&) = delete;
    TUiaCallGate& operator=(const TUiaCallGate&) = delete;

    // From another thread: runs call on the control's thread and returns
    // its result, or UIA_E_ELEMENTNOTAVAILABLE once the gate is closed, or
    // UIA_E_TIMEOUT when the control's thread takes no messages for long.
    HRESULT Run(const std::function<HRESULT()>& call) noexcept;
    // On the control's thread: the control goes; calls waiting fail, later
    // ones fail at once.
    void Close() noexcept;

    static constexpr DWORD TimeoutMilliseconds = 20000;

private:
    struct Task;
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void RunQueued() noexcept;

    HWND window_ = nullptr; // under lock_ for other threads
    std::mutex lock_;
    std::condition_variable done_;
    std::deque<std::shared_ptr<Task>> queue_;
};

} // namespace corvane::server
