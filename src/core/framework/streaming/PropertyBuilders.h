#pragma once
// Builders for the published-property tables: each turns a getter and a
// setter of class T into a TPublishedProperty with the stream encoding of
// its type and the default rule (a property equal to its declared default
// is left out; one without a declared default is always stored).

#include "core/framework/streaming/IdentMap.h"
#include "core/framework/streaming/PublishedProperty.h"
#include "core/framework/streaming/Reader.h"
#include "core/framework/streaming/Writer.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace corvane::property_builders {

template <class T> const T& As(const TPersistent& Instance) {
    return static_cast<const T&>(Instance);
}
template <class T> T& As(TPersistent& Instance) {
    return static_cast<T&>(Instance);
}

// Stored only while the value differs from Default.
template <class T, class Get, class V>
std::function<bool(const TPersistent&)> UnlessEqual(Get get, V Default) {
    return [get, Default](const TPersistent& o) { return std::invoke(get, As<T>(o)) != Default; };
}

template <class T, class Get, class Set>
TPublishedProperty Integer(const char* Name, Get get, Set set,
                           std::optional<int32_t> Default = std::nullopt) {
    TPublishedProperty p;
    p.Name = Name;
    if (Default)
        p.Stored = UnlessEqual<T>(get, *Default);
    p.Write = [get](TWriter& w, const TPersistent& o) {
        w.WriteInteger(static_cast<int32_t>(std::invoke(get, As<T>(o))));
    };
    p.Read = [set](TReader& r, TPersistent& o) { std::invoke(set, As<T>(o), r.ReadInteger()); };
    return p;
}

// An integer written as its identifier where Idents names it (colours,
// cursors, character sets).
template <class T, class Value, class Get, class Set>
TPublishedProperty IntegerIdent(const char* Name, Get get, Set set, const TIdentMap& Idents,
                                std::optional<Value> Default = std::nullopt) {
    TPublishedProperty p;
    p.Name = Name;
    if (Default)
        p.Stored = UnlessEqual<T>(get, *Default);
    p.Write = [get, &Idents](TWriter& w, const TPersistent& o) {
        w.WriteIntegerOrIdent(static_cast<int32_t>(std::invoke(get, As<T>(o))), Idents);
    };
    p.Read = [set, &Idents](TReader& r, TPersistent& o) {
        std::invoke(set, As<T>(o), static_cast<Value>(r.ReadIntegerOrIdent(Idents)));
    };
    return p;
}

// Strings are left out when empty.
template <class T, class Get, class Set>
TPublishedProperty String(const char* Name, Get get, Set set) {
    TPublishedProperty p;
    p.Name = Name;
    p.Stored = [get](const TPersistent& o) { return !std::invoke(get, As<T>(o)).empty(); };
    p.Write = [get](TWriter& w, const TPersistent& o) {
        w.WriteString(std::invoke(get, As<T>(o)));
    };
    p.Read = [set](TReader& r, TPersistent& o) { std::invoke(set, As<T>(o), r.ReadString()); };
    return p;
}

template <class T, class Get, class Set>
TPublishedProperty Boolean(const char* Name, Get get, Set set,
                           std::optional<bool> Default = std::nullopt) {
    TPublishedProperty p;
    p.Name = Name;
    if (Default)
        p.Stored = UnlessEqual<T>(get, *Default);
    p.Write = [get](TWriter& w, const TPersistent& o) {
        w.WriteBoolean(std::invoke(get, As<T>(o)));
    };
    p.Read = [set](TReader& r, TPersistent& o) { std::invoke(set, As<T>(o), r.ReadBoolean()); };
    return p;
}

// An enumeration by the identifier of its value; a value the enumeration
// does not name (hosts may store any byte) is written as its ordinal.
template <class T, class Enum, class Get, class Set>
TPublishedProperty Enumeration(const char* Name, Get get, Set set, const TIdentMap& Idents,
                               std::optional<Enum> Default = std::nullopt) {
    TPublishedProperty p;
    p.Name = Name;
    if (Default)
        p.Stored = UnlessEqual<T>(get, *Default);
    p.Write = [get, &Idents](TWriter& w, const TPersistent& o) {
        w.WriteIntegerOrIdent(static_cast<int32_t>(std::invoke(get, As<T>(o))), Idents);
    };
    p.Read = [set, &Idents](TReader& r, TPersistent& o) {
        std::invoke(set, As<T>(o), static_cast<Enum>(r.ReadEnum(Idents)));
    };
    return p;
}

// A set by the names of its members; sets have no declared default here.
template <class T, class Bits, class Get, class Set>
TPublishedProperty SetOf(const char* Name, Get get, Set set, const TIdentMap& Members) {
    TPublishedProperty p;
    p.Name = Name;
    p.Write = [get, &Members](TWriter& w, const TPersistent& o) {
        w.WriteSet(static_cast<uint32_t>(std::invoke(get, As<T>(o))), Members);
    };
    p.Read = [set, &Members](TReader& r, TPersistent& o) {
        std::invoke(set, As<T>(o), static_cast<Bits>(r.ReadSet(Members)));
    };
    return p;
}

// An object property: the published properties of the object Get returns,
// stored as "Name.Property" entries.
template <class T, class Get>
TPublishedProperty Object(const char* Name, Get get, const TPublishedClass& Class) {
    TPublishedProperty p;
    p.Name = Name;
    p.Nested = &Class;
    p.Object = [get](TPersistent& o) -> TPersistent* { return std::invoke(get, As<T>(o)); };
    return p;
}

} // namespace corvane::property_builders
