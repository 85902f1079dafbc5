#include "core/stream/StrativStream.h"

#include "core/control/Strativ.h"
#include "core/framework/Exceptions.h"
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

size_t LoadStrativ(TStrativ& Control, ByteView Bytes) {
    TReader reader(Bytes, Control.ClassName());
    reader.ReadSignature();
    reader.ReadStr(); // the class name: the stream is read into this control whatever it says
    const std::string name = reader.ReadStr();
    LoadingScope loading(Control);
    Control.SetName(name);
    // These are always written here. A writer that leaves out values equal
    // to the declared defaults (and empty strings) omits them only for these
    // values, which differ from a new control's; a stream without them
    // therefore means exactly these.
    Control.SetBevelOuter(bvRaised);
    Control.SetHeaderstyle(bsNew);
    Control.SetCustomizeMenustring(std::string());
    while (!reader.EndOfList())
        reader.ReadProperty(Control, StrativClass());
    reader.ReadListEnd();
    if (!reader.EndOfList())
        throw EReadError("Class " + reader.ReadStr() + " not found");
    reader.ReadListEnd();
    loading.Finish();
    return reader.Position();
}

} // namespace corvane
