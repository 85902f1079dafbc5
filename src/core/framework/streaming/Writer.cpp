#include "core/framework/streaming/Writer.h"

#include "core/framework/streaming/IdentMap.h"
#include "core/framework/streaming/PublishedProperty.h"
#include "core/framework/streaming/ScopedValue.h"
#include "core/platform/CodePage.h"
#include "core/platform/Utf8.h"

#include <limits>

namespace corvane {

void TWriter::DefineProperty(const std::string& Name, const TReaderProc& /*ReadData*/,
                             const TWriterProc& WriteData, bool HasData) {
    if (!HasData || !WriteData)
        return;
    WritePropName(Name);
    WriteData(*this);
}

void TWriter::WriteInteger(int32_t Value) {
    if (Value >= std::numeric_limits<int8_t>::min() &&
        Value <= std::numeric_limits<int8_t>::max()) {
        WriteValue(TValueType::vaInt8);
        out_.WriteByte(static_cast<uint8_t>(static_cast<int8_t>(Value)));
    } else if (Value >= std::numeric_limits<int16_t>::min() &&
               Value <= std::numeric_limits<int16_t>::max()) {
        WriteValue(TValueType::vaInt16);
        out_.WriteInt16(static_cast<int16_t>(Value));
    } else {
        WriteValue(TValueType::vaInt32);
        out_.WriteInt32(Value);
    }
}

void TWriter::WriteString(const std::string& Value) {
    // ASCII is the same in every code page: no conversion, no copy.
    if (IsAscii(Value)) {
        WriteCodePageString(Value);
        return;
    }
    std::string ansi;
    if (TextToAnsi(Value, ansi)) {
        WriteCodePageString(ansi);
        return;
    }
    // Only text the code page cannot hold takes the wide form, so that
    // documents of code-page text keep the bytes they always had.
    const std::u16string units = Utf16FromUtf8(Value);
    WriteValue(TValueType::vaWString);
    out_.WriteUInt32(static_cast<uint32_t>(units.size()));
    for (const char16_t unit : units)
        out_.WriteInt16(static_cast<int16_t>(unit));
}

void TWriter::WriteCodePageString(const std::string& Bytes) {
    if (Bytes.size() <= 255) {
        WriteValue(TValueType::vaString);
        out_.WriteByte(static_cast<uint8_t>(Bytes.size()));
    } else {
        // Strings live in a 32-bit process: they never reach 4 GB.
        WriteValue(TValueType::vaLString);
        out_.WriteUInt32(static_cast<uint32_t>(Bytes.size()));
    }
    out_.WriteBytes(Bytes);
}

void TWriter::WriteIdent(const std::string& Value) {
    WriteValue(TValueType::vaIdent);
    WriteStr(Value);
}

void TWriter::WriteIntegerOrIdent(int32_t Value, const TIdentMap& Idents) {
    if (const char* name = Idents.NameOf(Value))
        WriteIdent(name);
    else
        WriteInteger(Value);
}

void TWriter::WriteSet(uint32_t Bits, const TIdentMap& Members) {
    WriteValue(TValueType::vaSet);
    for (const TIdentMapEntry& member : Members)
        if ((Bits & static_cast<uint32_t>(member.Value)) != 0)
            WriteStr(member.Name);
    WriteStr(std::string()); // an empty name ends the set
}

void TWriter::WriteStr(const std::string& Value) {
    const size_t length = Value.size() < 255 ? Value.size() : 255;
    out_.WriteByte(static_cast<uint8_t>(length));
    out_.WriteBytes(Value.data(), length);
}

void TWriter::WritePropName(const std::string& Name) {
    WriteStr(propPath_.empty() ? Name : propPath_ + Name);
}

void TWriter::WriteSignature() {
    out_.WriteBytes("TPF0", 4);
}

void TWriter::WriteProperties(TPersistent& Instance, const TPublishedClass& Class) {
    for (const TPublishedProperty& property : Class.Properties) {
        if (!property.IsStored(Instance))
            continue;
        if (property.IsObject()) {
            TPersistent* object = property.Object(Instance);
            if (object == nullptr)
                continue;
            ScopedValue<std::string> path(propPath_, propPath_ + property.Name + ".");
            WriteProperties(*object, *property.Nested);
        } else {
            WritePropName(property.Name);
            property.Write(*this, Instance);
        }
    }
    if (Class.DefinesProperties)
        Instance.DefineProperties(*this);
}

} // namespace corvane
