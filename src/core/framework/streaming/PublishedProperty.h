#pragma once
// What the component streaming knows of a class's published properties: the
// order in which they are written, when each is stored (the default rule),
// and how its value is written and read. An object property (a control's
// Sections, its Font) leads to the published properties of another object,
// which are written under "Name." paths.

#include "core/framework/Persistent.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

class TReader;
class TWriter;
struct TPublishedClass;

struct TPublishedProperty {
    std::string Name;
    // The default rule: false leaves the property out. Empty: always stored.
    std::function<bool(const TPersistent&)> Stored;
    // Value properties.
    std::function<void(TWriter&, const TPersistent&)> Write;
    std::function<void(TReader&, TPersistent&)> Read;
    // Object properties: the object and its class.
    const TPublishedClass* Nested = nullptr;
    std::function<TPersistent*(TPersistent&)> Object;

    bool IsObject() const { return Nested != nullptr; }
    bool IsStored(const TPersistent& Instance) const { return !Stored || Stored(Instance); }
};

struct TPublishedClass {
    std::vector<TPublishedProperty> Properties;
    // Whether DefineProperties of the instance adds entries after these.
    bool DefinesProperties = false;

    // The property of that name, compared without regard to letter case.
    const TPublishedProperty* Find(const std::string& Name) const;
};

// ASCII case-insensitive comparison, as property names are matched.
bool SameText(const std::string& a, const std::string& b);

} // namespace corvane
