// Arbitrary bytes read as a whole control stream into a control, and as a
// bare "HeaderColumns" value into a root. Reading may fail only with the
// control's own read errors, must leave the control consistent (its index
// matching its tree, savable), and whatever loads must save to bytes that
// load and save again unchanged.
#include "core/control/Strativ.h"
#include "core/framework/Exceptions.h"
#include "core/model/HeaderColumns.h"
#include "core/stream/SectionsStream.h"
#include "core/stream/StrativStream.h"
#include "core/stream/StreamDump.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using namespace corvane;

void Check(bool ok) {
    if (!ok)
        std::abort();
}

int LeafCount(const THeaderColumns& root) {
    int leaves = 0;
    for (const THeaderColumns* s = root.GetFirstChild(); s != nullptr; s = s->GetNext())
        leaves += s->HasChildren() ? 0 : 1;
    return leaves;
}

void ReadControl(ByteView bytes) {
    TStrativ control;
    bool loaded = false;
    try {
        LoadStrativ(control, bytes);
        loaded = true;
    } catch (const EReadError&) {
    }
    Check(control.Sections()->UpdateCount() == 0);
    Check(control.ColumnCount() == LeafCount(*control.Sections()));
    const std::vector<uint8_t> saved = SaveStrativ(control);
    if (!loaded)
        return;
    TStrativ again;
    Check(LoadStrativ(again, saved) == saved.size());
    Check(SaveStrativ(again) == saved);
}

void ReadSections(ByteView bytes) {
    THeaderColumns root;
    root.Add("old")->Add("older");
    bool loaded = false;
    try {
        LoadHeaderColumnsValue(root, bytes);
        loaded = true;
    } catch (const EReadError&) {
    }
    Check(root.UpdateCount() == 0);
    const std::vector<uint8_t> saved = SaveHeaderColumnsValue(root);
    if (!loaded)
        return;
    THeaderColumns again;
    Check(LoadHeaderColumnsValue(again, saved) == saved.size());
    Check(SaveHeaderColumnsValue(again) == saved);
}

void Dump(ByteView bytes) {
    try {
        DumpControlStream(bytes);
    } catch (const EReadError&) {
    }
    try {
        DumpHeaderColumnsValue(bytes);
    } catch (const EReadError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ByteView bytes(data, size);
    ReadControl(bytes);
    ReadSections(bytes);
    Dump(bytes);
    return 0;
}
