#include "support/SectionsFixture.h"

#include "server/ModuleCounts.h"
#include "server/automation/Bstr.h"

#include <olectl.h>

namespace corvane::test {

void SectionsTest::SetUp() {
    objectsAtStart_ = server::ObjectCount();
    {
        // Without the registered library no wrapper can be made, and the
        // tests would only stumble over null pointers.
        TComPtr<ISections> probe;
        ASSERT_EQ(CreateSections(nullptr, probe.Put()), S_OK)
            << "the type library is not registered";
        EXPECT_EQ(CreateSections(nullptr, nullptr), E_POINTER);
    }
    BuildTree();
    ClearErrorInfo();
}

void SectionsTest::BuildTree() {
    root.reset();
    root = std::make_unique<THeaderColumns>();
    a = root->Add("A");
    a1 = a->Add("A1");
    a1->SetWidth(40);
    a2 = a->Add("A2");
    a2->SetWidth(60);
    b = root->Add("B");
}

void SectionsTest::TearDown() {
    root.reset();
    EXPECT_EQ(server::ObjectCount(), objectsAtStart_) << "a sections object was leaked";
    ClearErrorInfo();
}

TComPtr<ISections> SectionsTest::Wrap(THeaderColumns* node) {
    TComPtr<ISections> result;
    EXPECT_EQ(CreateSections(node, result.Put()), S_OK);
    return result;
}

TComPtr<IDispatch> ForeignDispatch() {
    FONTDESC desc = {sizeof(FONTDESC),
                     const_cast<LPOLESTR>(L"Arial"),
                     {},
                     FW_NORMAL,
                     ANSI_CHARSET,
                     FALSE,
                     FALSE,
                     FALSE};
    desc.cySize.int64 = 80000;
    TComPtr<IDispatch> font;
    EXPECT_EQ(OleCreateFontIndirect(&desc, IID_IFontDisp, font.PutVoid()), S_OK);
    return font;
}

ULONG RefCount(IUnknown* p) {
    p->AddRef();
    return p->Release();
}

TErrorRecord TakeErrorInfo() {
    TErrorRecord record;
    TComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Put()) != S_OK || !info)
        return record;
    record.present = true;
    info->GetGUID(&record.guid);
    server::TBstr description;
    info->GetDescription(description.Put());
    record.description = server::BstrToText(description.Get());
    return record;
}

void ClearErrorInfo() {
    SetErrorInfo(0, nullptr);
}

std::string ToAnsi(BSTR text) {
    return server::BstrToText(text);
}

} // namespace corvane::test
