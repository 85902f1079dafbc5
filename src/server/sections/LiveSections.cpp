#include "server/sections/LiveSections.h"

#include "server/sections/TSections.h"

#include <mutex>
#include <unordered_set>

namespace corvane::server::live_sections {
namespace {

// Wrappers may be released on any thread (a host's mistake, or a proxy's
// cleanup), so the table is shared and locked.
struct Table {
    std::mutex lock;
    std::unordered_set<const ISections*> objects;
};

Table& TheTable() {
    static Table* table = new Table; // outlives every static wrapper holder
    return *table;
}

} // namespace

void Add(TSections* object) {
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    t.objects.insert(static_cast<ISections*>(object));
}

void Remove(TSections* object) noexcept {
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    t.objects.erase(static_cast<ISections*>(object));
}

TSections* Find(ISections* p) {
    if (!p)
        return nullptr;
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    if (t.objects.count(p) == 0)
        return nullptr;
    return static_cast<TSections*>(p);
}

} // namespace corvane::server::live_sections
