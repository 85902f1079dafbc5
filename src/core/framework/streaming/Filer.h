#pragma once
// The part of the component streaming that writer and reader share: the
// hook through which an object defines properties of its own (besides its
// published ones), each with a reader, a writer and a has-data flag.

#include <functional>
#include <string>

namespace corvane {

class TPersistent;
class TReader;
class TWriter;

class TFiler {
public:
    using TReaderProc = std::function<void(TReader&)>;
    using TWriterProc = std::function<void(TWriter&)>;

    TFiler() = default;
    virtual ~TFiler() = default;
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;

    // A writer writes the property (name, then WriteData) when HasData; a
    // reader hands the entry it is reading to ReadData when Name matches it
    // without regard to letter case.
    virtual void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                                const TWriterProc& WriteData, bool HasData) = 0;

    // The object whose values a written entry is compared against. Controls
    // are always written on their own, so there never is one.
    const TPersistent* Ancestor() const { return nullptr; }
};

} // namespace corvane
