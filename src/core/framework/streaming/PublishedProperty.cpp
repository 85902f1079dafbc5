#include "core/framework/streaming/PublishedProperty.h"

namespace corvane {

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

const TPublishedProperty* TPublishedClass::Find(const std::string& Name) const {
    for (const TPublishedProperty& property : Properties)
        if (SameText(property.Name, Name))
            return &property;
    return nullptr;
}

} // namespace corvane
