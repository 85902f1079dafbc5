#include "core/stream/SectionsStream.h"

#include "core/framework/streaming/Reader.h"
#include "core/framework/streaming/Writer.h"
#include "core/model/HeaderColumns.h"

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
