#include "server/control/HeaderRegistry.h"

#include <mutex>
#include <unordered_map>

namespace corvane::server {
namespace {

struct Registry {
    std::mutex Lock;
    std::unordered_map<uint32_t, TStrativ*> Controls;
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
    r.Controls[r.Last] = control;
    return r.Last;
}

void UnregisterHeader(uint32_t token) {
    Registry& r = Headers();
    const std::lock_guard<std::mutex> lock(r.Lock);
    r.Controls.erase(token);
}

TStrativ* FindHeader(uint32_t token) {
    Registry& r = Headers();
    const std::lock_guard<std::mutex> lock(r.Lock);
    const auto found = r.Controls.find(token);
    return found == r.Controls.end() ? nullptr : found->second;
}

} // namespace corvane::server
