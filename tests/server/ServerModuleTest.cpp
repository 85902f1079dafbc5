// The module's logic linked into the test: module initialization over small
// type libraries, the factories it makes, and object creation through a
// factory with test classes (the failure box, aggregation, QI failure).

#include "server/module/ServerModule.h"
#include "../win32/ModalWatch.h"
#include "core/framework/Exceptions.h"
#include "server/ModuleCounts.h"
#include "server/module/ControlFactory.h"
#include "server/module/DaxErrorBox.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace corvane::server;
using corvane::win32::testing::ErrorIcon;
using corvane::win32::testing::MessageBoxWatch;

namespace {

std::wstring TestTypeLib(const char* name) {
    std::string path = std::string(CORVANE_TEST_TYPELIB_DIR) + "/" + name + ".tlb";
    return std::wstring(path.begin(), path.end());
}

// A COM object of the module: counts itself, supports IUnknown and IPersist
// (so a request for another interface fails).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor" // freed through Release only
class TTestObject : public IPersist {
public:
    static int live;
    TTestObject() { ++live; }
    virtual ~TTestObject() { --live; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** result) override {
        if (riid == IID_IUnknown || riid == IID_IPersist) {
            *result = static_cast<IPersist*>(this);
            AddRef();
            return S_OK;
        }
        *result = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override {
        *id = GUID_NULL;
        return S_OK;
    }

private:
    TModuleObjectCount count_;
    ULONG refs_ = 0;
};
#pragma GCC diagnostic pop
int TTestObject::live = 0;

IUnknown* g_lastOuter = nullptr;

HRESULT CreateTestObject(IUnknown* outer, REFIID riid, void** result) {
    g_lastOuter = outer;
    auto* object = new TTestObject;
    object->AddRef();
    const HRESULT hr = object->QueryInterface(riid, result);
    object->Release();
    return hr;
}

HRESULT CreateFailingObject(IUnknown*, REFIID, void**) {
    throw corvane::Exception("Window class not registered");
}

HRESULT NotCreatable(IUnknown*, REFIID, void** result) {
    *result = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

std::string ErrorOf(const std::wstring& typeLib) {
    try {
        TServerModule module(typeLib, &CreateTestObject, &NotCreatable);
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}

TEST(ModuleInitialization, TypeInformationFaultsStopItWithTheirMessages) {
    const struct {
        const char* library;
        const char* message;
    } cases[] = {
        {"Good", ""},
        {"NoClass", "Type information missing for class TCorvane"},
        {"NoDefault", "Incorrect type information for class TCorvane"},
        {"OtherDefault", "Dispatch interface missing from class TCorvane"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf(TestTypeLib(c.library)), c.message) << c.library;
    EXPECT_NE(ErrorOf(TestTypeLib("NoSuchFile")), "") << "a missing library";
    EXPECT_EQ(ObjectCount(), 0);
}

TEST(ModuleInitialization, MakesThePageFactoryFirstAndTheControlFactorySecond) {
    TServerModule module(TestTypeLib("Good"), &CreateTestObject, &NotCreatable);
    std::vector<TClassFactory*> order;
    module.Factories().ForEach([&](TClassFactory& f) { order.push_back(&f); });
    ASSERT_EQ(order.size(), 2u);

    const TClassDescription& page = order[0]->Description();
    EXPECT_EQ(page.description, L"TGenStrativ property page");
    EXPECT_EQ(page.progId, L"");
    EXPECT_EQ(page.threadingModel, TThreadingModel::Single);

    const TClassDescription& control = order[1]->Description();
    EXPECT_EQ(control.description, L"Corvane Control");
    EXPECT_EQ(control.progId, L"CorvaneC.Corvane");
    EXPECT_EQ(control.threadingModel, TThreadingModel::Apartment);
    const auto* controlFactory = dynamic_cast<TActiveXControlFactory*>(order[1]);
    ASSERT_NE(controlFactory, nullptr);
    EXPECT_EQ(controlFactory->MiscStatus(), 131473);
    std::vector<std::wstring> verbs;
    for (const TControlVerb& verb : controlFactory->Verbs())
        verbs.push_back(std::to_wstring(verb.number) + L" " + verb.text);
    EXPECT_EQ(verbs, (std::vector<std::wstring>{L"0 Properties", L"1 Customize...",
                                                L"2 About Strativ..."}));
}

TEST(DaxErrorText, FullStopAfterACharacterAboveIt) {
    const struct {
        std::string message;
        std::string shown;
    } cases[] = {
        {"Out of memory", "Out of memory."},
        {"Done.", "Done."},
        {"Really!", "Really!"},               // '!' is below '.'
        {"List index (3)", "List index (3)"}, // ')' is below '.'
        {"Path C:/", "Path C:/."},            // '/' is just above '.'
        {"Caf\xE9", "Caf\xE9."},              // a byte above 0x7F counts as above
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DaxErrorText(c.message), c.shown) << c.message;
}

// A factory over the test classes, outside any module.
class FactoryCreation : public ::testing::Test {
protected:
    static TClassDescription Description() {
        TClassDescription d;
        d.classId = {0x5D1A2B3C, 0x0002, 0x4000, {0x80, 0, 0, 0x11, 0x22, 0x33, 0x44, 0x55}};
        return d;
    }
    void TearDown() override {
        EXPECT_EQ(TTestObject::live, 0);
        EXPECT_EQ(ObjectCount(), 0);
    }
};

TEST_F(FactoryCreation, CreatesCountedObjectsAndHandsOverTheInterface) {
    TClassFactory factory(Description(), &CreateTestObject);
    IPersist* object = nullptr;
    ASSERT_EQ(factory.CreateInstance(nullptr, IID_IPersist, reinterpret_cast<void**>(&object)),
              S_OK);
    EXPECT_EQ(TTestObject::live, 1);
    EXPECT_EQ(ObjectCount(), 1);
    object->Release();
}

TEST_F(FactoryCreation, AnInterfaceTheObjectLacksLeavesNoObject) {
    TClassFactory factory(Description(), &CreateTestObject);
    void* result = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory.CreateInstance(nullptr, IID_IDispatch, &result), E_NOINTERFACE);
    EXPECT_EQ(result, nullptr);
}

TEST_F(FactoryCreation, AggregationOnlyForIUnknown) {
    TClassFactory factory(Description(), &CreateTestObject);
    TTestObject outer;
    outer.AddRef();
    g_lastOuter = nullptr;
    IUnknown* inner = nullptr;
    ASSERT_EQ(factory.CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&inner)), S_OK);
    EXPECT_EQ(g_lastOuter, &outer) << "the outer object reaches the class";
    inner->Release();
    void* result = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory.CreateInstance(&outer, IID_IPersist, &result), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(TTestObject::live, 1) << "only the outer one";
}

TEST_F(FactoryCreation, AFailedCreationShowsTheDaxErrorBoxAndAnswersUnexpected) {
    TClassFactory factory(Description(), &CreateFailingObject);
    MessageBoxWatch watch;
    void* result = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory.CreateInstance(nullptr, IID_IUnknown, &result), E_UNEXPECTED);
    EXPECT_EQ(result, nullptr);
    ASSERT_EQ(watch.Seen().size(), 1u);
    EXPECT_EQ(watch.Seen()[0].caption, "DAX Error");
    EXPECT_EQ(watch.Seen()[0].text, "Window class not registered.");
    EXPECT_EQ(watch.Seen()[0].icon, ErrorIcon());
    EXPECT_EQ(watch.Seen()[0].owner, nullptr);
}

TEST_F(FactoryCreation, AddRefAndReleaseAnswerTheModuleFactoryCount) {
    TClassFactory factory(Description(), &CreateTestObject);
    const long before = FactoryCount();
    EXPECT_EQ(factory.AddRef(), static_cast<ULONG>(before + 1));
    EXPECT_EQ(factory.AddRef(), static_cast<ULONG>(before + 2));
    EXPECT_EQ(factory.Release(), static_cast<ULONG>(before + 1));
    EXPECT_EQ(factory.Release(), static_cast<ULONG>(before));
}

} // namespace
