#pragma once
// Reads the binary component stream. Every length is checked against the
// bytes left before anything is allocated: data that ends early raises
// "Stream read error", a tag that does not fit raises "Invalid property
// value", an entry no property takes raises an error naming it.

#include "core/framework/streaming/ByteReader.h"
#include "core/framework/streaming/Filer.h"
#include "core/framework/streaming/ValueType.h"

#include <cstdint>
#include <string>

namespace corvane {

struct TPublishedClass;
class TIdentMap;

class TReader : public TFiler {
public:
    // ClassName names the root object in error messages.
    explicit TReader(ByteView Bytes, std::string ClassName = std::string())
        : in_(Bytes), className_(std::move(ClassName)) {}

    // Reads the pending entry when Name matches it (see ReadProperty).
    void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                        const TWriterProc& WriteData, bool HasData) override;

    // --- Values ---------------------------------------------------------------
    // The tag of the next value, not consumed.
    TValueType NextValue() const { return static_cast<TValueType>(in_.PeekByte()); }
    TValueType ReadValue() { return static_cast<TValueType>(in_.ReadByte()); }
    bool EndOfList() const { return NextValue() == TValueType::vaNull; }
    void ReadListBegin() { CheckValue(TValueType::vaList); }
    void ReadListEnd() { CheckValue(TValueType::vaNull); }
    // Any of the three integer tags, sign-extended.
    int32_t ReadInteger();
    // A short or a long string, whatever its length.
    std::string ReadString();
    std::string ReadIdent();
    bool ReadBoolean();
    // An identifier of Idents, or a plain integer.
    int32_t ReadIntegerOrIdent(const TIdentMap& Idents);
    // An enumeration: an identifier of Idents, or its ordinal as an integer
    // (for values the enumeration does not name).
    int32_t ReadEnum(const TIdentMap& Idents);
    // The bits of the named members; an unknown member is invalid.
    uint32_t ReadSet(const TIdentMap& Members);

    // --- Names and structure --------------------------------------------------
    // A 1-byte length and the bytes.
    std::string ReadStr();
    void ReadSignature();
    // Reads one "name value" entry into Instance: the name is a published
    // property of Instance, a path through its object properties
    // ("Sections.Caption"), or a property Instance defines. Returns the
    // entry's name as the stream spells it.
    std::string ReadProperty(TPersistent& Instance, const TPublishedClass& Class);

    size_t Position() const { return in_.Position(); }
    size_t Remaining() const { return in_.Remaining(); }
    const std::string& ClassName() const { return className_; }

private:
    // The stream's wide form after its tag (a 32-bit count of UTF-16LE
    // units), as UTF-8.
    std::string ReadWideString();
    void CheckValue(TValueType Expected);

    ByteReader in_;
    std::string className_;
    const std::string* pendingName_ = nullptr; // the entry DefineProperty may take
    bool pendingRead_ = false;
};

} // namespace corvane
