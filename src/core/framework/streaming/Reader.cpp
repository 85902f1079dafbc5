#include "core/framework/streaming/Reader.h"

#include "core/framework/streaming/IdentMap.h"
#include "core/framework/streaming/PublishedProperty.h"
#include "core/framework/streaming/ScopedValue.h"
#include "core/framework/streaming/StreamErrors.h"
#include "core/platform/CodePage.h"
#include "core/platform/Utf8.h"

namespace corvane {

void TReader::DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                             const TWriterProc& /*WriteData*/, bool /*HasData*/) {
    if (pendingName_ == nullptr || pendingRead_ || !ReadData || !SameText(Name, *pendingName_))
        return;
    pendingRead_ = true;
    ReadData(*this);
}

void TReader::CheckValue(TValueType Expected) {
    if (ReadValue() != Expected)
        RaiseInvalidPropertyValue();
}

int32_t TReader::ReadInteger() {
    switch (ReadValue()) {
    case TValueType::vaInt8:
        return static_cast<int8_t>(in_.ReadByte());
    case TValueType::vaInt16:
        return in_.ReadInt16();
    case TValueType::vaInt32:
        return in_.ReadInt32();
    default:
        RaiseInvalidPropertyValue();
    }
}

std::string TReader::ReadString() {
    const TValueType type = ReadValue();
    if (type == TValueType::vaWString)
        return ReadWideString();
    if (type != TValueType::vaString && type != TValueType::vaLString)
        RaiseInvalidPropertyValue();
    const size_t length = type == TValueType::vaString ? in_.ReadByte() : in_.ReadUInt32();
    const char* bytes = reinterpret_cast<const char*>(in_.Take(length));
    // Most stored text is ASCII: built once, in place, with nothing to convert.
    if (IsAscii(bytes, length))
        return std::string(bytes, length);
    return TextFromAnsi(std::string(bytes, length));
}

std::string TReader::ReadWideString() {
    const uint32_t count = in_.ReadUInt32();
    // Checked before anything is allocated: a count can claim 8 GB.
    if (count > in_.Remaining() / 2)
        RaiseStreamReadError();
    const uint8_t* bytes = in_.Take(static_cast<size_t>(count) * 2);
    std::u16string units(count, u'\0');
    for (size_t i = 0; i < count; ++i)
        units[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return Utf8FromUtf16(units);
}

std::string TReader::ReadIdent() {
    CheckValue(TValueType::vaIdent);
    return ReadStr();
}

bool TReader::ReadBoolean() {
    switch (ReadValue()) {
    case TValueType::vaTrue:
        return true;
    case TValueType::vaFalse:
        return false;
    default:
        RaiseInvalidPropertyValue();
    }
}

int32_t TReader::ReadIntegerOrIdent(const TIdentMap& Idents) {
    if (NextValue() != TValueType::vaIdent)
        return ReadInteger();
    const std::optional<int32_t> value = Idents.ValueOf(ReadIdent());
    if (!value)
        RaiseInvalidPropertyValue();
    return *value;
}

int32_t TReader::ReadEnum(const TIdentMap& Idents) {
    // Enumerations are one byte wide.
    const int32_t value = ReadIntegerOrIdent(Idents);
    if (value < 0 || value > 255)
        RaiseInvalidPropertyValue();
    return value;
}

uint32_t TReader::ReadSet(const TIdentMap& Members) {
    CheckValue(TValueType::vaSet);
    uint32_t bits = 0;
    for (std::string name = ReadStr(); !name.empty(); name = ReadStr()) {
        const std::optional<int32_t> bit = Members.ValueOf(name);
        if (!bit)
            RaiseInvalidPropertyValue();
        bits |= static_cast<uint32_t>(*bit);
    }
    return bits;
}

std::string TReader::ReadStr() {
    return in_.ReadString(in_.ReadByte());
}

void TReader::ReadSignature() {
    const uint8_t* signature = in_.Take(4);
    if (signature[0] != 'T' || signature[1] != 'P' || signature[2] != 'F' || signature[3] != '0')
        RaiseInvalidStreamFormat();
}

std::string TReader::ReadProperty(TPersistent& Instance, const TPublishedClass& Class) {
    const std::string path = ReadStr();
    TPersistent* object = &Instance;
    const TPublishedClass* objectClass = &Class;
    size_t start = 0;
    for (size_t dot = path.find('.'); dot != std::string::npos; dot = path.find('.', start)) {
        const std::string segment = path.substr(start, dot - start);
        const TPublishedProperty* property = objectClass->Find(segment);
        if (property == nullptr || !property->IsObject())
            RaisePropertyDoesNotExist(className_, path, segment);
        object = property->Object(*object);
        if (object == nullptr)
            RaiseInvalidPropertyValue();
        objectClass = property->Nested;
        start = dot + 1;
    }
    const std::string name = path.substr(start);
    const TPublishedProperty* property = objectClass->Find(name);
    if (property != nullptr && !property->IsObject()) {
        property->Read(*this, *object);
        return path;
    }
    if (objectClass->DefinesProperties) {
        pendingRead_ = false;
        {
            ScopedValue<const std::string*> pending(pendingName_, &name);
            object->DefineProperties(*this);
        }
        if (pendingRead_)
            return path;
    }
    RaisePropertyDoesNotExist(className_, path, name);
}

} // namespace corvane
