// What a sections object is as a COM object: its interfaces, its reference
// and module counts, a missing type library, and calls from a thread that
// does not own the sections.

#include "support/DispatchCalls.h"
#include "support/SectionsFixture.h"
#include "support/TypeLibRegistration.h"

#include "server/ModuleCounts.h"
#include "server/sections/SectionsTypeInfo.h"

#include <thread>

namespace corvane::test {
namespace {

using SectionsLifetimeTest = SectionsTest;

TEST_F(SectionsLifetimeTest, AnswersItsInterfacesAndErrorInfoForISectionsOnly) {
    TComPtr<ISections> s = Wrap(a);
    for (const IID* iid : {&IID_IUnknown, &IID_IDispatch, &IID_ISections}) {
        TComPtr<IUnknown> p;
        EXPECT_EQ(s->QueryInterface(*iid, p.PutVoid()), S_OK);
        EXPECT_EQ(static_cast<void*>(p.Get()), static_cast<void*>(s.Get()));
    }
    TComPtr<IUnknown> p;
    EXPECT_EQ(s->QueryInterface(IID_IPersist, p.PutVoid()), E_NOINTERFACE);
    EXPECT_FALSE(p);
    TComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(s->QueryInterface(IID_ISupportErrorInfo, support.PutVoid()), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ISections), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
}

TEST_F(SectionsLifetimeTest, ReferencesBalanceAndEveryObjectIsCounted) {
    const long before = server::ObjectCount();
    {
        TComPtr<ISections> top = Wrap(root.get());
        EXPECT_EQ(RefCount(top.Get()), 1u);
        EXPECT_EQ(server::ObjectCount(), before + 1);
        TComPtr<ISections> child;
        ASSERT_EQ(top->GetFirstChild(child.Put()), S_OK);
        EXPECT_EQ(RefCount(child.Get()), 1u);
        EXPECT_EQ(RefCount(top.Get()), 1u); // handing out takes nothing from the parent
        EXPECT_EQ(server::ObjectCount(), before + 2);
        TComPtr<IDispatch> asDispatch;
        ASSERT_EQ(child->QueryInterface(IID_IDispatch, asDispatch.PutVoid()), S_OK);
        EXPECT_EQ(RefCount(child.Get()), 2u);
        asDispatch.Reset();
        EXPECT_EQ(child.Detach()->Release(), 0u);
        EXPECT_EQ(server::ObjectCount(), before + 1);
        // A failed call hands out nothing and keeps nothing.
        TComPtr<ISections> bad;
        EXPECT_EQ(top->get_Items(7, bad.Put()), E_UNEXPECTED);
        EXPECT_EQ(server::ObjectCount(), before + 1);
    }
    EXPECT_EQ(server::ObjectCount(), before);
}

TEST_F(SectionsLifetimeTest, AWrapperStaysEmptyWhenANewSectionTakesTheFreedOnesPlace) {
    TComPtr<ISections> top = Wrap(root.get()), sb = Wrap(b);
    ASSERT_EQ(top->DeleteItem(sb.Get()), S_OK);
    THeaderColumns* successor = root->Add("successor"); // may reuse the freed slot
    EXPECT_EQ(SectionOf(sb.Get()), nullptr);
    long count = -1;
    EXPECT_EQ(sb->get_Count(&count), E_UNEXPECTED);
    EXPECT_EQ(successor->Caption(), "successor");
}

TEST_F(SectionsLifetimeTest, AnUnregisteredLibraryServesWhatWasLoadedUntilTheModuleLetsGo) {
    // The program runs in a Wine prefix of its own, where nobody else
    // registered the library: this case always runs.
    TTypeLibRegistration* registration = TheRegistration();
    ASSERT_TRUE(registration && registration->Owned()) << "the library was registered before";
    TComPtr<ISections> sa = Wrap(a); // made while the library is registered
    ASSERT_EQ(registration->Unregister(), S_OK);
    // Loaded once for the module: wrappers are still made and answer.
    TComPtr<ISections> kept;
    const HRESULT createdWhileLoaded = CreateSections(a, kept.Put());
    long count = -1;
    const HRESULT keptCount = kept ? kept->get_Count(&count) : E_FAIL;
    // The module lets go of it (as at unload): now the missing registration shows.
    server::ReleaseSectionsTypeInfo();
    TComPtr<ISections> none;
    const HRESULT created = CreateSections(a, none.Put());
    ClearErrorInfo();
    TComPtr<ISections> child;
    const HRESULT handedOut = sa->GetFirstChild(child.Put());
    const TErrorRecord error = TakeErrorInfo();
    TInvoke stillServed(sa.Get(), DISPID_ISections_Count, DISPATCH_PROPERTYGET, {});
    ASSERT_EQ(registration->Register(), S_OK);

    EXPECT_EQ(createdWhileLoaded, S_OK);
    EXPECT_EQ(keptCount, S_OK);
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(FAILED(created));
    EXPECT_NE(created, E_UNEXPECTED);
    EXPECT_FALSE(none);
    // The member fails with the load's own result and says why.
    EXPECT_EQ(handedOut, created);
    EXPECT_FALSE(child);
    EXPECT_TRUE(error.present);
    EXPECT_FALSE(error.description.empty());
    // A wrapper keeps the type information it was made with.
    EXPECT_EQ(stillServed.hr, S_OK);
    EXPECT_EQ(stillServed.result.lVal, 2);
}

TEST_F(SectionsLifetimeTest, CallsFromAnotherThreadAreRefused) {
    TComPtr<ISections> sa = Wrap(a), sb = Wrap(b);
    HRESULT count = S_OK, caption = S_OK, isParent = S_OK;
    THeaderColumns* seen = a;
    std::thread other([&] {
        long value = 0;
        count = sa->get_Count(&value);
        caption = sa->put_Caption(nullptr);
        VARIANT_BOOL answer = 0;
        isParent = sa->IsParent(sb.Get(), &answer);
        seen = SectionOf(sa.Get());
    });
    other.join();
    EXPECT_EQ(count, RPC_E_WRONG_THREAD);
    EXPECT_EQ(caption, RPC_E_WRONG_THREAD);
    EXPECT_EQ(isParent, RPC_E_WRONG_THREAD); // refused before its argument is looked at
    EXPECT_EQ(seen, nullptr);
    EXPECT_EQ(a->Caption(), "A");
}

} // namespace
} // namespace corvane::test
