// Saving and loading the control through a stream, a storage and a property
// bag, byte for byte; bad documents change nothing.
#include "TestHost.h"

#include "core/model/HeaderColumns.h"

namespace corvane::server::test {
namespace {

using PersistenceTest = ControlTest;

// A control with every kind of stored state changed from a new one's.
TComRef<ICorvane> EditedControl() {
    auto control = NewControl();
    TStrativ& header = Object(control.get()).HeaderControl();
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
    const std::vector<uint8_t> saved = SaveToBytes(original.get());
    ASSERT_FALSE(saved.empty());
    auto copy = NewControl();
    ASSERT_EQ(S_OK, LoadFromBytes(copy.get(), saved));
    EXPECT_EQ(saved, SaveToBytes(copy.get()));
    long columns = 0;
    copy->get_ColumnCount(&columns);
    EXPECT_EQ(3, columns);
    OLE_COLOR colour = 0;
    copy->get_Color(&colour);
    EXPECT_EQ(0x00336699u, colour);
}

TEST_F(PersistenceTest, LoadLeavesAHostStreamJustBehindTheControlsData) {
    auto original = EditedControl();
    std::vector<uint8_t> saved = SaveToBytes(original.get());
    const size_t controlSize = saved.size();
    saved.insert(saved.end(), {'h', 'o', 's', 't'});
    auto copy = NewControl();
    TComRef<IStream> stream;
    ::CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
    stream->Write(saved.data(), static_cast<ULONG>(saved.size()), nullptr);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(S_OK, Query<IPersistStreamInit>(copy.get(), IID_IPersistStreamInit)
                        ->Load(stream.get()));
    ULARGE_INTEGER position{};
    LARGE_INTEGER none{};
    stream->Seek(none, STREAM_SEEK_CUR, &position);
    EXPECT_EQ(controlSize, position.QuadPart);
}

TEST_F(PersistenceTest, BadDocumentsFailAndLeaveTheControlAsItWas) {
    auto source = EditedControl();
    const std::vector<uint8_t> good = SaveToBytes(source.get());
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
        {"truncated in the middle", std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2)},
        {"truncated by one", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"bad signature", badSignature},
        {"unknown property", newerWriter},
    };
    for (const auto& c : cases) {
        auto target = NewControl();
        target->put_BevelOuter(::bvLowered);
        Object(target.get()).HeaderControl().Sections()->Add("Kept");
        const std::vector<uint8_t> before = SaveToBytes(target.get());
        EXPECT_TRUE(FAILED(LoadFromBytes(target.get(), c.Bytes))) << c.Name;
        EXPECT_EQ(before, SaveToBytes(target.get())) << c.Name;
        // A later save still writes a document that loads.
        auto reader = NewControl();
        EXPECT_EQ(S_OK, LoadFromBytes(reader.get(), SaveToBytes(target.get()))) << c.Name;
    }
}

TEST_F(PersistenceTest, IsDirtyFollowsEveryKindOfChange) {
    auto control = NewControl();
    EXPECT_FALSE(IsDirty(control.get()));
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
        c.Change(control.get());
        EXPECT_TRUE(IsDirty(control.get())) << c.Name;
        auto persist = Query<IPersistStreamInit>(control.get(), IID_IPersistStreamInit);
        TComRef<IStream> stream;
        ::CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
        ASSERT_EQ(S_OK, persist->Save(stream.get(), FALSE));
        EXPECT_TRUE(IsDirty(control.get())) << "a save that keeps the flag: " << c.Name;
        ASSERT_EQ(S_OK, persist->Save(stream.get(), TRUE));
        EXPECT_FALSE(IsDirty(control.get())) << c.Name;
    }
    auto loaded = NewControl();
    loaded->put_Color(0);
    ASSERT_EQ(S_OK, LoadFromBytes(loaded.get(), SaveToBytes(control.get())));
    EXPECT_FALSE(IsDirty(loaded.get())) << "a load clears the flag";
}

TEST_F(PersistenceTest, StorageKeepsTheControlInItsNamedStream) {
    auto original = EditedControl();
    TComRef<ILockBytes> bytes;
    ASSERT_EQ(S_OK, ::CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.put()));
    TComRef<IStorage> storage;
    ASSERT_EQ(S_OK, ::StgCreateDocfileOnILockBytes(
                        bytes.get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                        storage.put()));
    auto persist = Query<IPersistStorage>(original.get(), IID_IPersistStorage);
    ASSERT_EQ(S_OK, persist->Save(storage.get(), TRUE));
    ASSERT_EQ(S_OK, persist->SaveCompleted(nullptr));

    TComRef<IStream> named;
    ASSERT_EQ(S_OK, storage->OpenStream(L"CONTROLSAVESTREAM", nullptr,
                                        STGM_READ | STGM_SHARE_EXCLUSIVE, 0, named.put()));
    named.reset();

    auto copy = NewControl();
    ASSERT_EQ(S_OK, Query<IPersistStorage>(copy.get(), IID_IPersistStorage)->Load(storage.get()));
    EXPECT_EQ(SaveToBytes(original.get()), SaveToBytes(copy.get()));

    // A storage without the stream: the open's failure, nothing changed.
    TComRef<IStorage> empty;
    ::StgCreateDocfileOnILockBytes(bytes.get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                   0, empty.put());
    auto untouched = NewControl();
    EXPECT_EQ(STG_E_FILENOTFOUND,
              Query<IPersistStorage>(untouched.get(), IID_IPersistStorage)->Load(empty.get()));
}

TEST_F(PersistenceTest, PropertyBagRoundTripWritesTheListAndKeepsTheTree) {
    auto original = EditedControl();
    MemoryBag bag;
    auto persist = Query<IPersistPropertyBag>(original.get(), IID_IPersistPropertyBag);
    ASSERT_EQ(S_OK, persist->Save(&bag, TRUE, TRUE));
    const std::vector<std::wstring> expected = {
        L"AllowAbout", L"AllowClick", L"AllowCustomize", L"AllowDragDrop", L"AllowHResize",
        L"AllowHint", L"AllowHotTrack", L"AllowVResize", L"BevelInner", L"BevelOuter",
        L"BiDiMode", L"BorderStyle", L"Color", L"Cursor", L"CustomizeMenustring",
        L"DoubleBuffered", L"Enabled", L"Font", L"Headerstyle", L"HotTrackColor", L"ParentFont",
        L"Visible"};
    std::vector<std::wstring> written;
    for (const auto& entry : bag.Types)
        written.push_back(entry.first);
    EXPECT_EQ(expected, written);
    EXPECT_EQ(L"0", bag.Values[L"AllowDragDrop"]);
    EXPECT_EQ(std::to_wstring(0x00336699), bag.Values[L"Color"]);

    auto copy = NewControl();
    auto copyPersist = Query<IPersistPropertyBag>(copy.get(), IID_IPersistPropertyBag);
    ASSERT_EQ(S_OK, copyPersist->Load(&bag, nullptr));
    MemoryBag again;
    ASSERT_EQ(S_OK, copyPersist->Save(&again, TRUE, TRUE));
    EXPECT_EQ(bag.Values, again.Values);
    long columns = 0;
    copy->get_ColumnCount(&columns);
    EXPECT_EQ(1, columns) << "the section tree is not in the bag";

    // Values a property refuses or the bag lacks are skipped.
    MemoryBag partial;
    partial.Values[L"BevelInner"] = L"not a number";
    partial.Values[L"BevelOuter"] = L"3";
    auto third = NewControl();
    ASSERT_EQ(S_OK, Query<IPersistPropertyBag>(third.get(), IID_IPersistPropertyBag)
                        ->Load(&partial, nullptr));
    TxBevelCut inner = ::bvSpace, outer = ::bvNone;
    third->get_BevelInner(&inner);
    third->get_BevelOuter(&outer);
    EXPECT_EQ(::bvNone, inner);
    EXPECT_EQ(::bvSpace, outer);
}

} // namespace
} // namespace corvane::server::test
