#include "core/stream/SectionsStream.h"

#include "core/model/HeaderColumns.h"
#include "core/stream/Reader.h"
#include "core/stream/Writer.h"

namespace corvane {

std::vector<uint8_t> SaveHeaderColumnsValue(THeaderColumns& Node) {
    TWriter writer;
    Node.WriteData(writer);
    return writer.TakeBytes();
}

size_t LoadHeaderColumnsValue(THeaderColumns& Node, ByteView Bytes) {
    TReader reader(Bytes, Node.ClassName());
    Node.ReadData(reader);
    return reader.Position();
}

} // namespace corvane
