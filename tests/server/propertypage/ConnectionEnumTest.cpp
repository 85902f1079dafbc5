// The control's connection points list their sinks (EnumConnections): the
// page finds the control's property-change listeners that way.

#include "PageTestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace corvane::server;
using namespace corvane::server::testing;

namespace {

TComPtr<IConnectionPoint> NotifyPoint(IUnknown* control) {
    TComPtr<IConnectionPointContainer> container;
    control->QueryInterface(IID_IConnectionPointContainer,
                            reinterpret_cast<void**>(container.Put()));
    TComPtr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, point.Put()), S_OK);
    return point;
}

// The sinks (as IUnknown) and cookies the enumerator hands out, one at a time.
std::set<std::pair<IUnknown*, DWORD>> Drain(IEnumConnections* connections) {
    std::set<std::pair<IUnknown*, DWORD>> seen;
    CONNECTDATA data{};
    ULONG fetched = 0;
    while (connections->Next(1, &data, &fetched) == S_OK) {
        EXPECT_EQ(fetched, 1u);
        seen.insert({data.pUnk, data.dwCookie});
        data.pUnk->Release();
    }
    EXPECT_EQ(fetched, 0u);
    return seen;
}

TEST(ControlConnections, EnumerateASnapshotOfTheSinksWithTheirCookies) {
    TComPtr<ICorvane> control = NewControl();
    NotifySink first(control.Get()), second(control.Get());
    TComPtr<IConnectionPoint> point = NotifyPoint(control.Get());
    EXPECT_EQ(point->EnumConnections(nullptr), E_POINTER);

    TComPtr<IEnumConnections> connections;
    ASSERT_EQ(point->EnumConnections(connections.Put()), S_OK);
    const std::set<std::pair<IUnknown*, DWORD>> both{
        {static_cast<IPropertyNotifySink*>(&first), first.Cookie()},
        {static_cast<IPropertyNotifySink*>(&second), second.Cookie()}};
    EXPECT_EQ(Drain(connections.Get()), both);

    // Several at once: fewer than asked gives S_FALSE and the number fetched.
    CONNECTDATA items[3] = {};
    ULONG fetched = 0;
    ASSERT_EQ(connections->Reset(), S_OK);
    EXPECT_EQ(connections->Next(2, items, nullptr), E_POINTER);
    EXPECT_EQ(connections->Next(3, items, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    items[0].pUnk->Release();
    items[1].pUnk->Release();

    // Skip and Clone keep the position.
    ASSERT_EQ(connections->Reset(), S_OK);
    EXPECT_EQ(connections->Skip(1), S_OK);
    TComPtr<IEnumConnections> copy;
    ASSERT_EQ(connections->Clone(copy.Put()), S_OK);
    EXPECT_EQ(Drain(copy.Get()).size(), 1u);
    EXPECT_EQ(connections->Skip(5), S_FALSE);

    // A sink that leaves is gone from later enumerators, not from this one.
    second.Unadvise();
    ASSERT_EQ(connections->Reset(), S_OK);
    EXPECT_EQ(Drain(connections.Get()), both);
    TComPtr<IEnumConnections> later;
    ASSERT_EQ(point->EnumConnections(later.Put()), S_OK);
    EXPECT_EQ(Drain(later.Get()).size(), 1u);
}

} // namespace
