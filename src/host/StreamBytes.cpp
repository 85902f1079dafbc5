#include "host/StreamBytes.h"

#include "host/HostError.h"

#include <ocidl.h>

namespace corvane::host {

std::vector<unsigned char> SaveToBytes(IUnknown* object) {
    const auto persist = com::TComPtr<IPersistStreamInit>::From(object, IID_IPersistStreamInit);
    if (!persist)
        throw HostError("The object cannot save itself to a stream", E_NOINTERFACE);
    com::TComPtr<IStream> stream;
    Require(::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()), "CreateStreamOnHGlobal");
    Require(persist->Save(stream.Get(), TRUE), "IPersistStreamInit::Save");
    STATSTG stat{};
    Require(stream->Stat(&stat, STATFLAG_NONAME), "IStream::Stat");
    std::vector<unsigned char> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    const LARGE_INTEGER start{};
    Require(stream->Seek(start, STREAM_SEEK_SET, nullptr), "IStream::Seek");
    ULONG read = 0;
    Require(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read), "IStream::Read");
    bytes.resize(read);
    return bytes;
}

com::TComPtr<IStream> StreamOnBytes(const std::vector<unsigned char>& bytes) {
    com::TComPtr<IStream> stream;
    Require(::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()), "CreateStreamOnHGlobal");
    ULONG written = 0;
    Require(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written),
            "IStream::Write");
    const LARGE_INTEGER start{};
    Require(stream->Seek(start, STREAM_SEEK_SET, nullptr), "IStream::Seek");
    return stream;
}

} // namespace corvane::host
