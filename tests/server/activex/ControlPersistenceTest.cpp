// Saving and loading the control through a stream, a storage and a property
// bag, byte for byte; bad documents change nothing.
#include "TestHost.h"

#include "core/model/HeaderColumns.h"

namespace corvane::server::test {
namespace {

using PersistenceTest = ControlTest;

// A control with every kind of stored state changed from a new one's.
TComPtr<ICorvane> EditedControl() {
    auto control = NewControl();
    TStrativ& header = Object(control.Get()).HeaderControl();
    control->put_BevelInner(::bvRaised);
    control->put_Headerstyle(::bsWin31);
    control->put_Color(0x00336699);
    control->put_AllowDragDrop(VARIANT_FALSE);
    control->put_HotTrackColor(0x000000FF);
    THeaderColumns* group = header.Sections()->Add("Group");
    group->Add("Child one");
    group->Add("Child two");
    header.SetBounds(0, 0, 333, 44);
    return control;
}

bool IsDirty(IUnknown* control) {
    return Query<IPersistStreamInit>(control, IID_IPersistStreamInit)->IsDirty() == S_OK;
}

TEST_F(PersistenceTest, StreamRoundTripIsByteForByte) {
    auto original = EditedControl();
    const std::vector<uint8_t> saved = SaveToBytes(original.Get());
    ASSERT_FALSE(saved.empty());
    auto copy = NewControl();
    ASSERT_EQ(S_OK, LoadFromBytes(copy.Get(), saved));
    EXPECT_EQ(saved, SaveToBytes(copy.Get()));
    long columns = 0;
    copy->get_ColumnCount(&columns);
    EXPECT_EQ(3, columns);
    OLE_COLOR colour = 0;
    copy->get_Color(&colour);
    EXPECT_EQ(0x00336699u, colour);
}

TEST_F(PersistenceTest, LoadLeavesAHostStreamJustBehindTheControlsData) {
    auto original = EditedControl();
    std::vector<uint8_t> saved = SaveToBytes(original.Get());
    const size_t controlSize = saved.size();
    saved.insert(saved.end(), {'h', 'o', 's', 't'});
    auto copy = NewControl();
    TComPtr<IStream> stream;
    ::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put());
    stream->Write(saved.data(), static_cast<ULONG>(saved.size()), nullptr);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(S_OK,
              Query<IPersistStreamInit>(copy.Get(), IID_IPersistStreamInit)->Load(stream.Get()));
    ULARGE_INTEGER position{};
    LARGE_INTEGER none{};
    stream->Seek(none, STREAM_SEEK_CUR, &position);
    EXPECT_EQ(controlSize, position.QuadPart);
}

TEST_F(PersistenceTest, BadDocumentsFailAndLeaveTheControlAsItWas) {
    auto source = EditedControl();
    const std::vector<uint8_t> good = SaveToBytes(source.Get());
    std::vector<uint8_t> newerWriter = good;
    // An unknown property name where the first one starts.
    const std::string marker = "Left";
    auto at = std::search(newerWriter.begin(), newerWriter.end(), marker.begin(), marker.end());
    ASSERT_NE(newerWriter.end(), at);
    *at = 'Z';
    std::vector<uint8_t> badSignature = good;
    badSignature[0] ^= 0xFF;
    const struct {
        const char* Name;
        std::vector<uint8_t> Bytes;
    } cases[] = {
        {"empty", {}},
        {"truncated in the middle",
         std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2)},
        {"truncated by one", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"bad signature", badSignature},
        {"unknown property", newerWriter},
    };
    for (const auto& c : cases) {
        auto target = NewControl();
        target->put_BevelOuter(::bvLowered);
        Object(target.Get()).HeaderControl().Sections()->Add("Kept");
        const std::vector<uint8_t> before = SaveToBytes(target.Get());
        EXPECT_TRUE(FAILED(LoadFromBytes(target.Get(), c.Bytes))) << c.Name;
        EXPECT_EQ(before, SaveToBytes(target.Get())) << c.Name;
        // A later save still writes a document that loads.
        auto reader = NewControl();
        EXPECT_EQ(S_OK, LoadFromBytes(reader.Get(), SaveToBytes(target.Get()))) << c.Name;
    }
}

TEST_F(PersistenceTest, IsDirtyFollowsEveryKindOfChange) {
    auto control = NewControl();
    EXPECT_FALSE(IsDirty(control.Get()));
    const struct {
        const char* Name;
        std::function<void(ICorvane*)> Change;
    } changes[] = {
        {"property", [](ICorvane* c) { c->put_BevelInner(::bvLowered); }},
        {"option", [](ICorvane* c) { c->put_AllowHint(VARIANT_FALSE); }},
        {"section edited behind the interface",
         [](ICorvane* c) { Object(c).HeaderControl().Sections()->Items(0)->SetWidth(99); }},
    };
    for (const auto& c : changes) {
        c.Change(control.Get());
        EXPECT_TRUE(IsDirty(control.Get())) << c.Name;
        auto persist = Query<IPersistStreamInit>(control.Get(), IID_IPersistStreamInit);
        TComPtr<IStream> stream;
        ::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put());
        ASSERT_EQ(S_OK, persist->Save(stream.Get(), FALSE));
        EXPECT_TRUE(IsDirty(control.Get())) << "a save that keeps the flag: " << c.Name;
        ASSERT_EQ(S_OK, persist->Save(stream.Get(), TRUE));
        EXPECT_FALSE(IsDirty(control.Get())) << c.Name;
    }
    auto loaded = NewControl();
    loaded->put_Color(0);
    ASSERT_EQ(S_OK, LoadFromBytes(loaded.Get(), SaveToBytes(control.Get())));
    EXPECT_FALSE(IsDirty(loaded.Get())) << "a load clears the flag";
}

// A host stream that never ends: `head`, then `tail` repeated without end.
// It counts what it hands out and, so that a reader without a limit still
// stops, ends after `giveUpAfter` bytes.
class EndlessStream : public StackStream {
public:
    EndlessStream(std::vector<uint8_t> head, std::vector<uint8_t> tail, uint64_t giveUpAfter)
        : head_(std::move(head)), tail_(std::move(tail)), giveUpAfter_(giveUpAfter) {}
    uint64_t Served = 0;
    uint64_t Position = 0;
    bool Seekable = true;

    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override {
        auto* out = static_cast<uint8_t*>(buffer);
        ULONG done = 0;
        for (; done < size && Position < giveUpAfter_; ++done, ++Position)
            out[done] = Position < head_.size() ? head_[Position]
                                                : tail_[(Position - head_.size()) % tail_.size()];
        Served += done;
        if (read != nullptr)
            *read = done;
        return done == size ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin,
                                   ULARGE_INTEGER* result) override {
        if (!Seekable)
            return STG_E_INVALIDFUNCTION;
        if (origin == STREAM_SEEK_SET)
            Position = static_cast<uint64_t>(move.QuadPart);
        else if (origin == STREAM_SEEK_CUR)
            Position += move.QuadPart;
        else
            return STG_E_INVALIDFUNCTION; // it has no end to seek from
        if (result != nullptr)
            result->QuadPart = Position;
        return S_OK;
    }

private:
    std::vector<uint8_t> head_, tail_;
    uint64_t giveUpAfter_;
};

std::string ErrorDescription() {
    TComPtr<IErrorInfo> info;
    if (::GetErrorInfo(0, info.Put()) != S_OK || !info)
        return {};
    TBstr text;
    info->GetDescription(text.Put());
    return BstrToText(text.Get());
}

TEST_F(PersistenceTest, AStreamThatNeverEndsIsReadOnlyAsFarAsAControlCanReach) {
    constexpr uint64_t Limit = 64u << 20;
    // A "Hint" entry with a long string of 60,000 bytes: valid data without end.
    std::vector<uint8_t> hint = {4, 'H', 'i', 'n', 't', 0x0C, 0x60, 0xEA, 0, 0};
    hint.resize(hint.size() + 60000, 'h');
    const std::vector<uint8_t> header = {'T', 'P', 'F', '0', 8,   'T', 'S',
                                         't', 'r', 'a', 't', 'i', 'v', 0};
    auto source = EditedControl();
    const std::vector<uint8_t> whole = SaveToBytes(source.Get());
    const std::vector<uint8_t> hostData = {'h', 'o', 's', 't'};

    {
        // The control's data never ends: cut at the limit, a read error.
        EndlessStream endless(header, hint, 2 * Limit);
        auto control = NewControl();
        const std::vector<uint8_t> before = SaveToBytes(control.Get());
        EXPECT_EQ(E_UNEXPECTED,
                  Query<IPersistStreamInit>(control.Get(), IID_IPersistStreamInit)->Load(&endless));
        EXPECT_EQ("Stream read error", ErrorDescription());
        EXPECT_LE(endless.Served, Limit);
        EXPECT_EQ(before, SaveToBytes(control.Get()));
    }
    {
        // A control's data followed by the host's, without end, on a stream
        // that cannot seek: loads, and reads nothing of the host's data.
        EndlessStream endless(whole, hostData, 2 * Limit);
        endless.Seekable = false;
        auto control = NewControl();
        ASSERT_EQ(S_OK,
                  Query<IPersistStreamInit>(control.Get(), IID_IPersistStreamInit)->Load(&endless));
        EXPECT_EQ(whole.size(), endless.Served);
        EXPECT_EQ(whole.size(), endless.Position);
        EXPECT_EQ(whole, SaveToBytes(control.Get()));
    }
}

TEST_F(PersistenceTest, EveryKindOfSuccessfulLoadLeavesTheControlClean) {
    auto source = EditedControl();
    MemoryBag bag;
    ASSERT_EQ(
        S_OK,
        Query<IPersistPropertyBag>(source.Get(), IID_IPersistPropertyBag)->Save(&bag, FALSE, TRUE));
    const std::vector<uint8_t> bytes = SaveToBytes(source.Get());
    const struct {
        const char* Name;
        std::function<HRESULT(ICorvane*)> Load;
    } loads[] = {
        {"stream", [&](ICorvane* c) { return LoadFromBytes(c, bytes); }},
        {"property bag",
         [&](ICorvane* c) {
             return Query<IPersistPropertyBag>(c, IID_IPersistPropertyBag)->Load(&bag, nullptr);
         }},
    };
    for (const auto& l : loads) {
        auto control = NewControl();
        control->put_BevelOuter(::bvSpace);
        ASSERT_TRUE(IsDirty(control.Get())) << l.Name;
        ASSERT_EQ(S_OK, l.Load(control.Get())) << l.Name;
        EXPECT_FALSE(IsDirty(control.Get())) << l.Name;
        // Clean means "as loaded": the next change counts again.
        control->put_AllowClick(VARIANT_FALSE);
        EXPECT_TRUE(IsDirty(control.Get())) << l.Name;
    }
}

TEST_F(PersistenceTest, StorageKeepsTheControlInItsNamedStream) {
    auto original = EditedControl();
    TComPtr<ILockBytes> bytes;
    ASSERT_EQ(S_OK, ::CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.Put()));
    TComPtr<IStorage> storage;
    ASSERT_EQ(S_OK, ::StgCreateDocfileOnILockBytes(
                        bytes.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                        storage.Put()));
    auto persist = Query<IPersistStorage>(original.Get(), IID_IPersistStorage);
    ASSERT_EQ(S_OK, persist->Save(storage.Get(), TRUE));
    ASSERT_EQ(S_OK, persist->SaveCompleted(nullptr));

    TComPtr<IStream> named;
    ASSERT_EQ(S_OK, storage->OpenStream(L"CONTROLSAVESTREAM", nullptr,
                                        STGM_READ | STGM_SHARE_EXCLUSIVE, 0, named.Put()));
    named.Reset();

    auto copy = NewControl();
    ASSERT_EQ(S_OK, Query<IPersistStorage>(copy.Get(), IID_IPersistStorage)->Load(storage.Get()));
    EXPECT_EQ(SaveToBytes(original.Get()), SaveToBytes(copy.Get()));

    // A storage without the stream: the open's failure, nothing changed.
    TComPtr<IStorage> empty;
    ::StgCreateDocfileOnILockBytes(bytes.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                   0, empty.Put());
    auto untouched = NewControl();
    EXPECT_EQ(STG_E_FILENOTFOUND,
              Query<IPersistStorage>(untouched.Get(), IID_IPersistStorage)->Load(empty.Get()));
}

TEST_F(PersistenceTest, PropertyBagRoundTripWritesTheListAndKeepsTheTree) {
    auto original = EditedControl();
    MemoryBag bag;
    auto persist = Query<IPersistPropertyBag>(original.Get(), IID_IPersistPropertyBag);
    ASSERT_EQ(S_OK, persist->Save(&bag, TRUE, TRUE));
    const std::vector<std::wstring> expected = {
        L"AllowAbout",     L"AllowClick",   L"AllowCustomize",
        L"AllowDragDrop",  L"AllowHResize", L"AllowHint",
        L"AllowHotTrack",  L"AllowVResize", L"BevelInner",
        L"BevelOuter",     L"BiDiMode",     L"BorderStyle",
        L"Color",          L"Cursor",       L"CustomizeMenustring",
        L"DoubleBuffered", L"Enabled",      L"Font",
        L"HeaderColumns",  L"Headerstyle",  L"HotTrackColor",
        L"ParentFont",     L"Visible"};
    std::vector<std::wstring> written;
    for (const auto& entry : bag.Types)
        written.push_back(entry.first);
    EXPECT_EQ(expected, written);
    EXPECT_EQ(L"0", bag.Values[L"AllowDragDrop"]);
    EXPECT_EQ(std::to_wstring(0x00336699), bag.Values[L"Color"]);

    auto copy = NewControl();
    auto copyPersist = Query<IPersistPropertyBag>(copy.Get(), IID_IPersistPropertyBag);
    ASSERT_EQ(S_OK, copyPersist->Load(&bag, nullptr));
    MemoryBag again;
    ASSERT_EQ(S_OK, copyPersist->Save(&again, TRUE, TRUE));
    EXPECT_EQ(bag.Values, again.Values);
    long columns = 0;
    copy->get_ColumnCount(&columns);
    EXPECT_EQ(3, columns) << "the section tree comes with the bag";
    EXPECT_EQ(VT_BSTR, bag.Types[L"HeaderColumns"]);

    // Values a property refuses or the bag lacks are skipped.
    MemoryBag partial;
    partial.Values[L"BevelInner"] = L"not a number";
    partial.Values[L"BevelOuter"] = L"3";
    auto third = NewControl();
    ASSERT_EQ(
        S_OK,
        Query<IPersistPropertyBag>(third.Get(), IID_IPersistPropertyBag)->Load(&partial, nullptr));
    TxBevelCut inner = ::bvSpace, outer = ::bvNone;
    third->get_BevelInner(&inner);
    third->get_BevelOuter(&outer);
    EXPECT_EQ(::bvNone, inner);
    EXPECT_EQ(::bvSpace, outer);
    long kept = 0;
    third->get_ColumnCount(&kept);
    EXPECT_EQ(1, kept) << "a bag without the tree keeps the control's";

    // A damaged tree changes nothing; the properties still load.
    MemoryBag damaged = bag;
    damaged.Values[L"HeaderColumns"] = L"'Root'\n    'two levels down'";
    damaged.Values[L"BevelOuter"] = L"1";
    auto fourth = NewControl();
    ASSERT_EQ(
        S_OK,
        Query<IPersistPropertyBag>(fourth.Get(), IID_IPersistPropertyBag)->Load(&damaged, nullptr));
    fourth->get_ColumnCount(&kept);
    EXPECT_EQ(1, kept);
    fourth->get_BevelOuter(&outer);
    EXPECT_EQ(::bvLowered, outer);
}

// Text of every kind crosses each way in and out of the control unchanged.
TEST_F(PersistenceTest, CaptionsInAnyScriptSurviveAutomationStreamAndBag) {
    const wchar_t* texts[] = {
        L"\u540D\u524D",         // Japanese
        L"\u0418\u043C\u044F",   // Cyrillic
        L"\u03A9",               // Greek
        L"a\xD83D\xDE00z",       // emoji: a surrogate pair
        L"e\u0301t\u00E9",       // a combining mark, then a precomposed letter
        L"\u0627\u0633\u0645 1", // Arabic, right to left
        L"caf\u00E9 \u20AC",     // held by the ANSI code page
    };
    for (const wchar_t* text : texts) {
        SCOPED_TRACE(BstrToText(TBstr::FromWide(text, wcslen(text)).Get()));
        auto control = NewControl();
        TComPtr<ISections> root, first;
        ASSERT_EQ(S_OK, control->get_Sections(root.Put()));
        ASSERT_EQ(S_OK, root->get_Items(0, first.Put()));
        const TBstr wanted = TBstr::FromWide(text, wcslen(text));
        ASSERT_EQ(S_OK, first->put_Caption(wanted.Get()));
        ASSERT_EQ(S_OK, control->put_CustomizeMenustring(wanted.Get()));
        const auto caption = [](ICorvane* c) {
            TComPtr<ISections> r, f;
            c->get_Sections(r.Put());
            r->get_Items(0, f.Put());
            TBstr read;
            f->get_Caption(read.Put());
            return std::wstring(read.Get(), SysStringLen(read.Get()));
        };
        EXPECT_EQ(text, caption(control.Get())) << "automation";
        TBstr menu;
        control->get_CustomizeMenustring(menu.Put());
        EXPECT_EQ(text, std::wstring(menu.Get(), SysStringLen(menu.Get())));

        auto fromStream = NewControl();
        ASSERT_EQ(S_OK, LoadFromBytes(fromStream.Get(), SaveToBytes(control.Get())));
        EXPECT_EQ(text, caption(fromStream.Get())) << "stream";

        MemoryBag bag; // hands everything back as text, as a browser does
        ASSERT_EQ(S_OK, Query<IPersistPropertyBag>(control.Get(), IID_IPersistPropertyBag)
                            ->Save(&bag, TRUE, TRUE));
        auto fromBag = NewControl();
        ASSERT_EQ(S_OK, Query<IPersistPropertyBag>(fromBag.Get(), IID_IPersistPropertyBag)
                            ->Load(&bag, nullptr));
        EXPECT_EQ(text, caption(fromBag.Get())) << "bag";
        fromBag->get_CustomizeMenustring(menu.Put());
        EXPECT_EQ(text, std::wstring(menu.Get(), SysStringLen(menu.Get())));
    }
}

} // namespace
} // namespace corvane::server::test
