#include "server/control/HeaderRegistry.h"

#include "win32/WinApi.h"

#include <mutex>
#include <unordered_map>

namespace corvane::server {
namespace {

struct Entry {
    TStrativ* Control;
    DWORD Thread;
};

struct Registry {
    std::mutex Lock;
    std::unordered_map<uint32_t, Entry> Controls;
    uint32_t Last = 0;
};

Registry& Headers() {
    static Registry registry;
    return registry;
}

} // namespace

uint32_t RegisterHeader(TStrativ* control) {
    Registry& r = Headers();
    const std::lock_guard<std::mutex> lock(r.Lock);
    // 0 means "no control"; the counter skips it when it wraps.
    if (++r.Last == 0)
        ++r.Last;
    r.Controls[r.Last] = Entry{control, ::GetCurrentThreadId()};
    return r.Last;
}

void UnregisterHeader(uint32_t token) {
    Registry& r = Headers();
    const std::lock_guard<std::mutex> lock(r.Lock);
    r.Controls.erase(token);
}

TFoundHeader FindHeader(uint32_t token) {
    Registry& r = Headers();
    const std::lock_guard<std::mutex> lock(r.Lock);
    const auto found = r.Controls.find(token);
    if (found == r.Controls.end())
        return {};
    if (found->second.Thread != ::GetCurrentThreadId())
        return {nullptr, true};
    // Freed only on its own thread, this one: it stays while the caller uses it.
    return {found->second.Control, false};
}

} // namespace corvane::server
