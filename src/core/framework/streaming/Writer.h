#pragma once
// Writes the binary component stream: values with their type tags, property
// names, and whole property lists (published properties in their order, then
// the defined ones).

#include "core/framework/streaming/ByteWriter.h"
#include "core/framework/streaming/Filer.h"
#include "core/framework/streaming/ValueType.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct TPublishedClass;
class TIdentMap;

class TWriter : public TFiler {
public:
    void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                        const TWriterProc& WriteData, bool HasData) override;

    // --- Values ---------------------------------------------------------------
    void WriteValue(TValueType Value) { out_.WriteByte(static_cast<uint8_t>(Value)); }
    // With the smallest of the 8-, 16- and 32-bit tags that holds the value.
    void WriteInteger(int32_t Value);
    // Text (UTF-8) the code page holds as its bytes, up to 255 as a short
    // string, longer ones as a long string; other text as a wide string.
    void WriteString(const std::string& Value);
    void WriteIdent(const std::string& Value);
    void WriteBoolean(bool Value) { WriteValue(Value ? TValueType::vaTrue : TValueType::vaFalse); }
    // The identifier of the value when Idents names it, else the integer.
    void WriteIntegerOrIdent(int32_t Value, const TIdentMap& Idents);
    // The members whose bits are set in Bits, by name.
    void WriteSet(uint32_t Bits, const TIdentMap& Members);
    void WriteListBegin() { WriteValue(TValueType::vaList); }
    void WriteListEnd() { WriteValue(TValueType::vaNull); }

    // --- Names and structure --------------------------------------------------
    // A 1-byte length and the bytes, cut at 255; no tag.
    void WriteStr(const std::string& Value);
    // The name under the current object path ("Sections." inside Sections).
    void WritePropName(const std::string& Name);
    void WriteSignature();
    // The stored published properties of Instance, then its defined ones.
    void WriteProperties(TPersistent& Instance, const TPublishedClass& Class);

    ByteWriter& Output() { return out_; }
    std::vector<uint8_t> TakeBytes() { return out_.TakeBytes(); }

private:
    // The code page's bytes as a short or long string.
    void WriteCodePageString(const std::string& Bytes);
    ByteWriter out_;
    std::string propPath_;
};

} // namespace corvane
