// IPersistStreamInit and IPersistStorage: the control's stream, alone or as
// the "CONTROLSAVESTREAM" stream of a host's storage.
#include "server/activex/ActiveXControl.h"

#include "core/stream/StrativStream.h"
#include "server/activex/ComErrors.h"

#include <algorithm>

namespace corvane::server {
namespace {

constexpr ULONG ReadChunk = 4096;

// What is left in the stream, from its current position, up to the longest
// control stream there is: a stream that never ends is cut there, and a
// control's data that does not end before the cut fails as data that ends
// early ("Stream read error"). What lies beyond the control's data is the
// host's, and Load gives it back.
std::vector<uint8_t> ReadRest(IStream& stream) {
    std::vector<uint8_t> bytes;
    while (bytes.size() < MaxStrativStreamSize) {
        const size_t used = bytes.size();
        const auto wanted =
            static_cast<ULONG>(std::min<size_t>(ReadChunk, MaxStrativStreamSize - used));
        bytes.resize(used + wanted);
        ULONG read = 0;
        const HRESULT hr = stream.Read(bytes.data() + used, wanted, &read);
        bytes.resize(used + std::min(read, wanted));
        if (FAILED(hr))
            throw EOleError(hr);
        if (read < wanted)
            break;
    }
    return bytes;
}

} // namespace

std::vector<uint8_t> TActiveXControl::SaveState() const {
    return SaveStrativ(*control_);
}

size_t TActiveXControl::LoadState(const std::vector<uint8_t>& bytes) {
    // A damaged, truncated or foreign stream must leave the control as it
    // was: it is read into a scratch control first, which raises the error.
    {
        TStrativ scratch;
        LoadStrativ(scratch, bytes);
    }
    const std::vector<uint8_t> before = SaveState();
    try {
        return LoadStrativ(*control_, bytes);
    } catch (...) {
        LoadStrativ(*control_, before);
        throw;
    }
}

void TActiveXControl::MarkClean(std::vector<uint8_t> state) {
    cleanState_ = std::move(state);
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetClassID(CLSID* clsid) {
    CONTROL_ENTRY(this);
    if (clsid == nullptr)
        return E_POINTER;
    *clsid = class_.Clsid;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::IsDirty() {
    CONTROL_ENTRY(this);
    // Compared with the state last loaded or saved, so every path of change
    // counts: properties, the pointer, sections edited through automation.
    return Guarded(IID_IPersistStreamInit, class_.ProgId,
                   [&]() -> HRESULT { return SaveState() == cleanState_ ? S_FALSE : S_OK; });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::Load(LPSTREAM stream) {
    CONTROL_ENTRY(this);
    if (stream == nullptr)
        return E_POINTER;
    return Guarded(IID_IPersistStreamInit, class_.ProgId, [&]() -> HRESULT {
        const std::vector<uint8_t> bytes = ReadRest(*stream);
        const size_t used = LoadState(bytes);
        // Leave the host's stream just behind the control's data.
        if (used < bytes.size()) {
            LARGE_INTEGER back{};
            back.QuadPart = -static_cast<LONGLONG>(bytes.size() - used);
            stream->Seek(back, STREAM_SEEK_CUR, nullptr);
        }
        MarkClean(SaveState());
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::Save(LPSTREAM stream, BOOL clearDirty) {
    CONTROL_ENTRY(this);
    if (stream == nullptr)
        return E_POINTER;
    return Guarded(IID_IPersistStreamInit, class_.ProgId, [&]() -> HRESULT {
        std::vector<uint8_t> bytes = SaveState();
        ULONG written = 0;
        const HRESULT hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
        if (FAILED(hr))
            return hr;
        if (written != bytes.size())
            return STG_E_MEDIUMFULL;
        if (clearDirty)
            MarkClean(std::move(bytes));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetSizeMax(ULARGE_INTEGER* size) {
    CONTROL_ENTRY(this);
    if (size == nullptr)
        return E_POINTER;
    return Guarded(IID_IPersistStreamInit, class_.ProgId, [&]() -> HRESULT {
        size->QuadPart = SaveState().size();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::InitNew() {
    CONTROL_ENTRY(this);
    return S_OK;
}

// --- IPersistStorage --------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TActiveXControl::InitNew(IStorage* storage) {
    CONTROL_ENTRY(this);
    return storage == nullptr ? E_POINTER : S_OK;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::Load(IStorage* storage) {
    CONTROL_ENTRY(this);
    if (storage == nullptr)
        return E_POINTER;
    TComPtr<IStream> stream;
    const HRESULT hr = storage->OpenStream(StorageStreamName, nullptr,
                                           STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.Put());
    if (FAILED(hr))
        return hr;
    return Load(stream.Get());
}

HRESULT STDMETHODCALLTYPE TActiveXControl::Save(IStorage* storage, BOOL) {
    CONTROL_ENTRY(this);
    if (storage == nullptr)
        return E_POINTER;
    TComPtr<IStream> stream;
    const HRESULT hr = storage->CreateStream(
        StorageStreamName, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, stream.Put());
    if (FAILED(hr))
        return hr;
    return Save(stream.Get(), TRUE);
}

HRESULT STDMETHODCALLTYPE TActiveXControl::SaveCompleted(IStorage*) {
    CONTROL_ENTRY(this);
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TActiveXControl::HandsOffStorage() {
    CONTROL_ENTRY(this);
    return S_OK;
}

} // namespace corvane::server
