#include "server/activex/UiaCallGate.h"

#include "server/activex/UiaApi.h"
#include "win32/ErrorBox.h"
#include "win32/StrativWindow.h"

#include <algorithm>

namespace corvane::server {
namespace {

constexpr const char* GateClassName = "CorvaneUiaGate";
constexpr UINT RunQueuedMessage = WM_APP + 2;
constexpr HRESULT UiaTimeout = static_cast<HRESULT>(0x80131505);

} // namespace

struct TUiaCallGate::Task {
    const std::function<HRESULT()>* Call = nullptr; // the caller's, which waits for it
    enum { Pending, Running, Done } State = Pending;
    HRESULT Result = S_OK;
};

TUiaCallGate::TUiaCallGate() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TUiaCallGate::WindowProc;
        wc.hInstance = win32::StrativWindowModule();
        wc.lpszClassName = GateClassName;
        if (::RegisterClassExA(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            win32::RaiseLastWin32Error("RegisterClassEx");
    });
    window_ = ::CreateWindowExA(0, GateClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                win32::StrativWindowModule(), nullptr);
    if (window_ == nullptr)
        win32::RaiseLastWin32Error("CreateWindowEx(UI Automation)");
    // Set by us after creation: the window never learns its object from a message.
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TUiaCallGate::~TUiaCallGate() {
    Close();
}

LRESULT CALLBACK TUiaCallGate::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == RunQueuedMessage) {
        if (auto* gate = reinterpret_cast<TUiaCallGate*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
            gate->RunQueued();
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

void TUiaCallGate::RunQueued() noexcept {
    for (;;) {
        std::shared_ptr<Task> task;
        {
            const std::lock_guard<std::mutex> hold(lock_);
            if (queue_.empty())
                return;
            task = queue_.front();
            queue_.pop_front();
            task->State = Task::Running;
        }
        const HRESULT result = (*task->Call)(); // catches its own errors
        {
            const std::lock_guard<std::mutex> hold(lock_);
            task->Result = result;
            task->State = Task::Done;
        }
        done_.notify_all();
    }
}

HRESULT TUiaCallGate::Run(const std::function<HRESULT()>& call) noexcept {
    try {
        const auto task = std::make_shared<Task>();
        task->Call = &call;
        HWND window = nullptr;
        {
            const std::lock_guard<std::mutex> hold(lock_);
            if (window_ == nullptr)
                return UiaElementNotAvailable;
            window = window_;
            queue_.push_back(task);
        }
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(window, RunQueuedMessage, 0, 0, SMTO_NORMAL, TimeoutMilliseconds,
                              &ignored);
        std::unique_lock<std::mutex> hold(lock_);
        if (task->State == Task::Pending) {
            // Never taken (the thread is busy, or gone): it must not run later.
            queue_.erase(std::remove(queue_.begin(), queue_.end(), task), queue_.end());
            return window_ == nullptr ? UiaElementNotAvailable : UiaTimeout;
        }
        done_.wait(hold, [&] { return task->State == Task::Done; });
        return task->Result;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

void TUiaCallGate::Close() noexcept {
    HWND window = nullptr;
    {
        const std::lock_guard<std::mutex> hold(lock_);
        window = std::exchange(window_, nullptr);
        for (const std::shared_ptr<Task>& task : queue_) {
            task->Result = UiaElementNotAvailable;
            task->State = Task::Done;
        }
        queue_.clear();
    }
    done_.notify_all();
    if (window != nullptr) {
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        ::DestroyWindow(window);
    }
}

} // namespace corvane::server
