// The automation base's own rules: ANSI <-> BSTR conversion and the COM
// boundary's mapping of errors to results and error information.

#include "support/SectionsFixture.h"

#include "server/automation/Bstr.h"
#include "server/automation/ComBoundary.h"

#include <olectl.h>

#include <functional>
#include <new>

namespace corvane::test {
namespace {

using server::BstrToText;
using server::ComBoundary;
using server::EComError;
using server::TBstr;
using server::TextToBstr;

TEST(AutomationStrings, ConvertOverTheFullLength) {
    struct Case {
        std::string ansi;
        std::wstring wide;
    };
    const Case cases[] = {
        {"", L""},
        {"Caption", L"Caption"},
        {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
        {std::string(1, '\0'), std::wstring(1, L'\0')},
    };
    for (const Case& c : cases) {
        TBstr wide = TextToBstr(c.ansi);
        EXPECT_EQ(wide.Length(), c.wide.size());
        EXPECT_EQ(c.wide.empty(), wide.Get() == nullptr) << "empty text is the null BSTR";
        if (wide.Get()) {
            EXPECT_EQ(std::wstring(wide.Get(), wide.Length()), c.wide);
        }
        TBstr source = TBstr::FromWide(c.wide.data(), c.wide.size());
        EXPECT_EQ(BstrToText(source.Get()), c.ansi);
    }
    EXPECT_EQ(BstrToText(nullptr), "");
}

TEST(AutomationStrings, CharactersOutsideTheCodePageSurvive) {
    // A CJK and a Cyrillic letter, a surrogate pair; then an unpaired
    // surrogate, which no text can carry.
    const wchar_t text[] = {L'x', 0x4E2D, 0x0416, 0xD83D, 0xDE00, L'y'};
    TBstr source = TBstr::FromWide(text, 6);
    const std::string utf8 = BstrToText(source.Get());
    EXPECT_EQ(utf8, "x\xE4\xB8\xAD\xD0\x96\xF0\x9F\x98\x80y");
    TBstr back = TextToBstr(utf8);
    EXPECT_EQ(std::wstring(back.Get(), back.Length()), std::wstring(text, 6));
    const wchar_t lone[] = {L'a', 0xDC00};
    EXPECT_EQ(BstrToText(TBstr::FromWide(lone, 2).Get()), "a\xEF\xBF\xBD");
}

TEST(AutomationBoundary, MapsErrorsToResultsAndErrorInformation) {
    struct Case {
        const char* what;
        std::function<HRESULT()> body;
        HRESULT expected;
        const char* description; // null: no error information expected
        DWORD helpContext;
    };
    const IID& iid = IID_ISections;
    const auto guarded = [&](std::function<void()> f) {
        return [&iid, f] { return ComBoundary(iid, f); };
    };
    const Case cases[] = {
        {"success", guarded([] {}), S_OK, nullptr, 0},
        {"own result passes through", [&] { return ComBoundary(iid, [] { return S_FALSE; }); },
         S_FALSE, nullptr, 0},
        {"list error", guarded([] { RaiseListIndexError(5); }), E_UNEXPECTED,
         "List index out of bounds (5)", 0},
        {"help context", guarded([] { throw Exception("With help", 77); }), E_UNEXPECTED,
         "With help", 77},
        {"system error keeps its code",
         guarded([] { throw EComError(TYPE_E_LIBNOTREGISTERED, "not registered"); }),
         TYPE_E_LIBNOTREGISTERED, "not registered", 0},
        {"a success code is no error code", guarded([] { throw EComError(S_FALSE, "odd"); }),
         E_UNEXPECTED, "odd", 0},
        {"out of memory", guarded([] { throw std::bad_alloc(); }), E_OUTOFMEMORY, "Out of memory",
         0},
        {"standard exception", guarded([] { throw std::runtime_error("plain"); }), E_UNEXPECTED,
         "plain", 0},
        {"anything else", guarded([] { throw 42; }), E_UNEXPECTED, "Unexpected error", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearErrorInfo();
        EXPECT_EQ(c.body(), c.expected);
        TComPtr<IErrorInfo> info;
        const bool present = GetErrorInfo(0, info.Put()) == S_OK && info;
        EXPECT_EQ(present, c.description != nullptr);
        if (!present || !c.description)
            continue;
        GUID guid{};
        info->GetGUID(&guid);
        EXPECT_TRUE(IsEqualGUID(guid, iid));
        TBstr description;
        info->GetDescription(description.Put());
        EXPECT_EQ(BstrToText(description.Get()), c.description);
        DWORD help = 0;
        info->GetHelpContext(&help);
        EXPECT_EQ(help, c.helpContext);
    }
}

TEST(AutomationBoundary, SystemErrorsWithoutTextGetTheSystemsMessage) {
    EXPECT_FALSE(EComError(E_OUTOFMEMORY).what() == std::string());
    EXPECT_EQ(EComError(E_OUTOFMEMORY).Code(), E_OUTOFMEMORY);
    EXPECT_EQ(server::SystemMessage(static_cast<HRESULT>(0xA0CD1234)),
              "The operation failed with error code 0xA0CD1234");
    // A code of the control's own has its text; a code the system knows, the system's.
    EXPECT_EQ(server::SystemMessage(CTL_E_INVALIDPROPERTYVALUE), "Invalid property value");
    EXPECT_EQ(EComError(CTL_E_INVALIDPROPERTYVALUE).what(), std::string("Invalid property value"));
    for (const HRESULT known :
         {E_OUTOFMEMORY, STG_E_ACCESSDENIED, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), E_PENDING,
          RPC_E_DISCONNECTED, RPC_E_WRONG_THREAD, STG_E_MEDIUMFULL, TYPE_E_WRONGTYPEKIND,
          DISP_E_TYPEMISMATCH, static_cast<HRESULT>(0x80041234)}) {
        const std::string text = server::SystemMessage(known);
        EXPECT_FALSE(text.empty()) << std::hex << known;
        EXPECT_EQ(text.find("OLE error"), std::string::npos) << text;
    }
}

TEST(AutomationBoundary, ASourceNamesTheObjectInTheErrorInformation) {
    ClearErrorInfo();
    EXPECT_EQ(ComBoundary(IID_ISections, L"CorvaneC.Sections", [] { RaiseListIndexError(1); }),
              E_UNEXPECTED);
    TComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.Put()), S_OK);
    TBstr source;
    info->GetSource(source.Put());
    EXPECT_EQ(BstrToText(source.Get()), "CorvaneC.Sections");
}

} // namespace
} // namespace corvane::test
