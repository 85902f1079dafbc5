// IPersistStreamInit and IPersistStorage: the control's stream, alone or as
// the "CONTROLSAVESTREAM" stream of a host's storage.
#include "server/activex/ActiveXControl.h"

#include "core/framework/streaming/ValueType.h"
#include "core/stream/StrativStream.h"
#include "server/activex/ComErrors.h"

#include <algorithm>

namespace corvane::server {
namespace {

// Takes the control's data from a host's stream and nothing beyond it: the
// bytes are read as the stream's grammar asks for them (a signature, two
// names, the properties, the empty list of children), so whatever the host
// keeps after the control stays unread, and no seek back is needed. Where the
// data ends early, breaks the grammar or grows beyond the longest control
// stream there is, reading stops and the loader reports what it finds.
class ControlDataReader {
public:
    explicit ControlDataReader(IStream& stream) : stream_(stream) {}

    std::vector<uint8_t> Read() {
        if (Take(4) && ShortString() && ShortString())
            while (Properties() && Value()) {
            }
        return std::move(bytes_);
    }

private:
    // Appends the next `count` bytes; false when the stream has fewer.
    bool Take(size_t count) {
        if (count > MaxStrativStreamSize - bytes_.size())
            return false;
        const size_t used = bytes_.size();
        bytes_.resize(used + count);
        ULONG read = 0;
        const HRESULT hr = stream_.Read(bytes_.data() + used, static_cast<ULONG>(count), &read);
        bytes_.resize(used + std::min<size_t>(read, count));
        if (FAILED(hr))
            throw EOleError(hr);
        return read >= count;
    }
    bool TakeByte(uint8_t& value) {
        if (!Take(1))
            return false;
        value = bytes_.back();
        return true;
    }
    // A count of lengthBytes bytes, then that many units of unitBytes each.
    bool TakeCounted(size_t lengthBytes, size_t unitBytes = 1) {
        if (!Take(lengthBytes))
            return false;
        uint32_t length = 0;
        for (size_t i = 0; i < lengthBytes; ++i)
            length |= static_cast<uint32_t>(bytes_[bytes_.size() - lengthBytes + i]) << (8 * i);
        if (length > MaxStrativStreamSize / unitBytes)
            return false;
        return Take(static_cast<size_t>(length) * unitBytes);
    }
    bool ShortString() { return TakeCounted(1); }
    // The next property's name; false at the end of the properties (after
    // taking the empty list of children) or when reading stops.
    bool Properties() {
        uint8_t length = 0;
        if (!TakeByte(length))
            return false;
        if (length == 0) {
            // A child component, which no control stream has, is named for
            // the loader's message.
            uint8_t child = 0;
            if (TakeByte(child) && child != 0)
                Take(child);
            return false;
        }
        return Take(length);
    }
    // One value, lists of any depth included.
    bool Value() {
        size_t open = 0;
        do {
            uint8_t type = 0;
            if (!TakeByte(type))
                return false;
            switch (static_cast<TValueType>(type)) {
            case TValueType::vaNull:
                if (open == 0)
                    return false;
                --open;
                break;
            case TValueType::vaList:
                ++open;
                break;
            case TValueType::vaInt8:
                if (!Take(1))
                    return false;
                break;
            case TValueType::vaInt16:
                if (!Take(2))
                    return false;
                break;
            case TValueType::vaInt32:
                if (!Take(4))
                    return false;
                break;
            case TValueType::vaExtended:
                if (!Take(10))
                    return false;
                break;
            case TValueType::vaString:
            case TValueType::vaIdent:
                if (!ShortString())
                    return false;
                break;
            case TValueType::vaFalse:
            case TValueType::vaTrue:
                break;
            case TValueType::vaBinary:
            case TValueType::vaLString:
                if (!TakeCounted(4))
                    return false;
                break;
            case TValueType::vaWString: // UTF-16 units
                if (!TakeCounted(4, 2))
                    return false;
                break;
            case TValueType::vaSet:
                for (uint8_t length = 1; length != 0;)
                    if (!TakeByte(length) || !Take(length))
                        return false;
                break;
            default:
                return false;
            }
        } while (open > 0);
        return true;
    }

    IStream& stream_;
    std::vector<uint8_t> bytes_;
};

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
        const std::vector<uint8_t> bytes = ControlDataReader(*stream).Read();
        // The host owns the place of an object that is in place: the
        // stream's bounds do not move its window.
        const int left = control_->Left(), top = control_->Top();
        const int width = control_->Width(), height = control_->Height();
        LoadState(bytes);
        if (inPlaceActive_)
            control_->SetBounds(left, top, width, height);
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
        Check(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written));
        if (written != bytes.size())
            throw EOleError(STG_E_MEDIUMFULL);
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
