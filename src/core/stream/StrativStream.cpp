#include "core/stream/StrativStream.h"

#include "core/control/Strativ.h"
#include "core/framework/Exceptions.h"
#include "core/framework/streaming/PublishedProperty.h"
#include "core/framework/streaming/Reader.h"
#include "core/framework/streaming/Writer.h"
#include "core/stream/StrativProperties.h"

namespace corvane {

std::vector<uint8_t> SaveStrativ(TStrativ& Control) {
    TWriter writer;
    writer.WriteSignature();
    writer.WriteStr(Control.ClassName());
    writer.WriteStr(Control.Name());
    writer.WriteProperties(Control, StrativClass());
    writer.WriteListEnd(); // end of the properties
    writer.WriteListEnd(); // no child components
    return writer.TakeBytes();
}

namespace {

// Marks the control as loading and makes sure Loaded follows, so that the
// index always matches whatever tree was read.
class LoadingScope {
public:
    explicit LoadingScope(TStrativ& control) : control_(control) { control_.BeginLoading(); }
    ~LoadingScope() {
        if (finished_)
            return;
        try {
            control_.Loaded();
        } catch (...) {
            // The read error on its way out is the one callers must see.
        }
    }
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;

    void Finish() {
        finished_ = true;
        control_.Loaded();
    }

private:
    TStrativ& control_;
    bool finished_ = false;
};

} // namespace

namespace {

// These are always written. A writer that leaves out values equal to the
// declared defaults (and empty strings) omits them only for these values,
// which differ from a new control's; a whole stream without them therefore
// means exactly these. A stream that fails says nothing about them.
class LegacyDefaults {
public:
    void Note(const std::string& Entry) {
        bevelOuter_ = bevelOuter_ || SameText(Entry, "BevelOuter");
        headerstyle_ = headerstyle_ || SameText(Entry, "Headerstyle");
        menustring_ = menustring_ || SameText(Entry, "CustomizeMenustring");
    }
    void ApplyMissing(TStrativ& Control) const {
        if (!bevelOuter_)
            Control.SetBevelOuter(bvRaised);
        if (!headerstyle_)
            Control.SetHeaderstyle(bsNew);
        if (!menustring_)
            Control.SetCustomizeMenustring(std::string());
    }

private:
    bool bevelOuter_ = false;
    bool headerstyle_ = false;
    bool menustring_ = false;
};

} // namespace

size_t LoadStrativ(TStrativ& Control, ByteView Bytes) {
    return LoadStrativ(Control, Bytes, TEntryRead());
}

size_t LoadStrativ(TStrativ& Control, ByteView Bytes, const TEntryRead& OnEntryRead) {
    TReader reader(Bytes, Control.ClassName());
    reader.ReadSignature();
    reader.ReadStr(); // the class name: the stream is read into this control whatever it says
    const std::string name = reader.ReadStr();
    LoadingScope loading(Control);
    Control.SetName(name);
    LegacyDefaults legacy;
    while (!reader.EndOfList()) {
        const size_t start = reader.Position();
        legacy.Note(reader.ReadProperty(Control, StrativClass()));
        if (OnEntryRead)
            OnEntryRead(start, reader.Position());
    }
    reader.ReadListEnd();
    if (!reader.EndOfList())
        throw EReadError("Class " + reader.ReadStr() + " not found");
    reader.ReadListEnd();
    legacy.ApplyMissing(Control);
    loading.Finish();
    return reader.Position();
}

} // namespace corvane
