// The class objects of the built module as a host reaches them: through
// DllGetClassObject, with the unload rules of DllCanUnloadNow.

#include "BuiltModule.h"

#include <gtest/gtest.h>

#include <ocidl.h>

using namespace corvane::server::testing;

namespace {

const CLSID ControlClass = {
    0xFEDE2C33, 0xB885, 0x11D2, {0xBB, 0xE8, 0xE8, 0x50, 0xF2, 0x51, 0x0B, 0x74}};
const CLSID PageClass = {
    0x064AEF20, 0xBACA, 0x11D2, {0xBB, 0xE8, 0xB1, 0xA4, 0xA6, 0x48, 0x88, 0x76}};
const CLSID UnknownClass = {
    0x5D1A2B3C, 0x0001, 0x4000, {0x80, 0x00, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55}};

// One module loaded for the suite, with COM initialized on the thread.
class ClassObjects : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ::CoInitialize(nullptr);
        module_ = new TLoadedModule(BuiltModulePath());
    }
    static void TearDownTestSuite() {
        delete module_;
        module_ = nullptr;
        ::CoUninitialize();
    }
    void SetUp() override { ASSERT_EQ(module_->CanUnloadNow(), S_OK) << "a test left a reference"; }

    static IClassFactory* Factory(const CLSID& classId) {
        IClassFactory* factory = nullptr;
        EXPECT_EQ(
            module_->GetClassObject(classId, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
            S_OK);
        return factory;
    }

    static TLoadedModule* module_;
};

TLoadedModule* ClassObjects::module_ = nullptr;

TEST_F(ClassObjects, GetClassObjectAnswersPerClassAndInterface) {
    const struct {
        const char* name;
        const CLSID* classId;
        const IID* interfaceId;
        HRESULT expected;
    } cases[] = {
        {"control factory", &ControlClass, &IID_IClassFactory, S_OK},
        {"control as IUnknown", &ControlClass, &IID_IUnknown, S_OK},
        {"property page factory", &PageClass, &IID_IClassFactory, S_OK},
        {"no licensing factory", &ControlClass, &IID_IClassFactory2, E_NOINTERFACE},
        {"page, no dispatch", &PageClass, &IID_IDispatch, E_NOINTERFACE},
        {"unknown class", &UnknownClass, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
    };
    for (const auto& c : cases) {
        void* result = reinterpret_cast<void*>(1); // must be overwritten
        EXPECT_EQ(module_->GetClassObject(*c.classId, *c.interfaceId, &result), c.expected)
            << c.name;
        if (SUCCEEDED(c.expected)) {
            ASSERT_NE(result, nullptr) << c.name;
            static_cast<IUnknown*>(result)->Release();
        } else {
            EXPECT_EQ(result, nullptr) << c.name;
        }
    }
    EXPECT_EQ(module_->GetClassObject(ControlClass, IID_IClassFactory, nullptr), E_POINTER);
}

TEST_F(ClassObjects, EachClassHasOneFactoryOfItsOwn) {
    IClassFactory* control = Factory(ControlClass);
    IClassFactory* again = Factory(ControlClass);
    IClassFactory* page = Factory(PageClass);
    EXPECT_EQ(control, again);
    EXPECT_NE(control, page);
    control->Release();
    again->Release();
    page->Release();
}

TEST_F(ClassObjects, UnloadWaitsForFactoryReferencesAndServerLocks) {
    IClassFactory* factory = Factory(ControlClass);
    EXPECT_EQ(module_->CanUnloadNow(), S_FALSE) << "a factory reference is held";
    factory->AddRef();
    factory->Release();
    EXPECT_EQ(module_->CanUnloadNow(), S_FALSE) << "one reference is still held";

    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory->Release();
    EXPECT_EQ(module_->CanUnloadNow(), S_FALSE) << "a server lock is held";
    // The host's own reference is gone; the lock keeps the server.
    IClassFactory* host = Factory(ControlClass);
    EXPECT_EQ(host->LockServer(FALSE), S_OK);
    host->Release();
    EXPECT_EQ(module_->CanUnloadNow(), S_OK);
}

// Hosts may ask for class objects from any thread: lookups and the
// factory count must hold up when they do it at once.
struct TLookupWork {
    TLoadedModule* module = nullptr;
    int failures = 0;
};

DWORD WINAPI LookUpRepeatedly(void* argument) {
    auto* work = static_cast<TLookupWork*>(argument);
    for (int i = 0; i < 2000; ++i) {
        IClassFactory* factory = nullptr;
        const CLSID& classId = i % 2 == 0 ? ControlClass : PageClass;
        if (work->module->GetClassObject(classId, IID_IClassFactory,
                                         reinterpret_cast<void**>(&factory)) != S_OK) {
            ++work->failures;
            continue;
        }
        factory->AddRef();
        factory->Release();
        factory->Release();
    }
    return 0;
}

TEST_F(ClassObjects, LookupsFromManyThreadsBalanceTheFactoryCount) {
    constexpr int Threads = 4;
    TLookupWork work[Threads];
    HANDLE threads[Threads];
    for (int t = 0; t < Threads; ++t) {
        work[t].module = module_;
        threads[t] = ::CreateThread(nullptr, 0, &LookUpRepeatedly, &work[t], 0, nullptr);
        ASSERT_NE(threads[t], nullptr);
    }
    ::WaitForMultipleObjects(Threads, threads, TRUE, INFINITE);
    for (int t = 0; t < Threads; ++t) {
        ::CloseHandle(threads[t]);
        EXPECT_EQ(work[t].failures, 0);
    }
    EXPECT_EQ(module_->CanUnloadNow(), S_OK);
}

TEST_F(ClassObjects, UnlockWithoutALockIsRefused) {
    IClassFactory* factory = Factory(PageClass);
    EXPECT_EQ(factory->LockServer(FALSE), E_UNEXPECTED);
    factory->Release();
    EXPECT_EQ(module_->CanUnloadNow(), S_OK) << "the counts went below zero";
}

TEST_F(ClassObjects, CreateInstanceChecksItsArgumentsFirst) {
    IClassFactory* factory = Factory(ControlClass);
    IUnknown* outer = factory; // any object will do as the would-be outer one
    void* result = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(outer, IID_IDispatch, &result), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
    factory->Release();
}

TEST_F(ClassObjects, ControlObjectsKeepTheModuleLoadedWhileTheyLive) {
    IClassFactory* factory = Factory(ControlClass);
    IDispatch* control = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&control)),
              S_OK);
    ASSERT_NE(control, nullptr);
    factory->Release();
    EXPECT_EQ(module_->CanUnloadNow(), S_FALSE) << "a control object is alive";
    control->Release();
    EXPECT_EQ(module_->CanUnloadNow(), S_OK);
}

TEST_F(ClassObjects, PropertyPagesKeepTheModuleLoadedWhileTheyLive) {
    IClassFactory* factory = Factory(PageClass);
    IPropertyPage* page = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPropertyPage, reinterpret_cast<void**>(&page)),
              S_OK);
    ASSERT_NE(page, nullptr);
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    factory->Release();
    EXPECT_EQ(module_->CanUnloadNow(), S_FALSE) << "a property page is alive";
    page->Release();
    EXPECT_EQ(module_->CanUnloadNow(), S_OK);
}

} // namespace
