#include "support/SectionsFixture.h"

#include "server/ModuleCounts.h"
#include "server/automation/Bstr.h"

namespace corvane::test {

void SectionsTest::SetUp() {
    objectsAtStart_ = server::ObjectCount();
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
    record.description = server::BstrToAnsi(description.Get());
    return record;
}

void ClearErrorInfo() {
    SetErrorInfo(0, nullptr);
}

std::string ToAnsi(BSTR text) {
    return server::BstrToAnsi(text);
}

} // namespace corvane::test
