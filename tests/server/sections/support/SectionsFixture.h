#pragma once
// A small section tree, wrappers over it, and the checks every test of the
// sections object ends with: no wrapper left alive (the module's object count
// is back where it started).
//
//   root
//   ├── A  (id 0)
//   │   ├── A1 (id 0, width 40)
//   │   └── A2 (id 1, width 60)
//   └── B  (id 1, width 75)

#include "core/model/HeaderColumns.h"
#include "server/automation/ComPtr.h"
#include "server/sections/Sections.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace corvane::test {

using server::TComPtr;

class SectionsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Frees the tree and builds the one above afresh.
    void BuildTree();
    // A new wrapper of node (null: empty), checked to be created.
    TComPtr<ISections> Wrap(THeaderColumns* node);

    std::unique_ptr<THeaderColumns> root;
    THeaderColumns* a = nullptr;
    THeaderColumns* a1 = nullptr;
    THeaderColumns* a2 = nullptr;
    THeaderColumns* b = nullptr;

private:
    long objectsAtStart_ = 0;
};

// The references held on p (without changing them).
ULONG RefCount(IUnknown* p);

// The thread's current error information, taken (it is cleared by reading).
struct TErrorRecord {
    bool present = false;
    GUID guid{};
    std::string description;
};
TErrorRecord TakeErrorInfo();
// Clears any error information left by an earlier call.
void ClearErrorInfo();

std::string ToAnsi(BSTR text);

} // namespace corvane::test
