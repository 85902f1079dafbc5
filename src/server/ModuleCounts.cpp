#include "server/ModuleCounts.h"

#include <atomic>

namespace corvane::server {

namespace {
std::atomic<long> objectCount{0};
std::atomic<long> factoryCount{0};
} // namespace

void ObjectCreated() {
    ++objectCount;
}
void ObjectDestroyed() {
    --objectCount;
}
long ObjectCount() {
    return objectCount.load();
}

void FactoryReferenced() {
    ++factoryCount;
}
void FactoryReleased() {
    --factoryCount;
}
long FactoryCount() {
    return factoryCount.load();
}

} // namespace corvane::server
