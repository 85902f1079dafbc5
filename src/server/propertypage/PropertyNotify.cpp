#include "server/propertypage/PropertyNotify.h"

#include "server/automation/ComPtr.h"

#include <ocidl.h>
#include <olectl.h>

#include <vector>

namespace corvane::server {

void NotifyPropertiesChanged(IUnknown* object) {
    if (object == nullptr)
        return;
    TComPtr<IConnectionPointContainer> container;
    if (FAILED(object->QueryInterface(IID_IConnectionPointContainer,
                                      reinterpret_cast<void**>(container.Put()))))
        return;
    TComPtr<IConnectionPoint> point;
    if (FAILED(container->FindConnectionPoint(IID_IPropertyNotifySink, point.Put())))
        return;
    TComPtr<IEnumConnections> connections;
    if (FAILED(point->EnumConnections(connections.Put())) || !connections)
        return;
    // Collected first: a sink may connect or disconnect while it is told.
    std::vector<TComPtr<IPropertyNotifySink>> sinks;
    CONNECTDATA data{};
    while (connections->Next(1, &data, nullptr) == S_OK) {
        TComPtr<IPropertyNotifySink> sink;
        if (data.pUnk != nullptr) {
            data.pUnk->QueryInterface(IID_IPropertyNotifySink,
                                      reinterpret_cast<void**>(sink.Put()));
            data.pUnk->Release();
        }
        if (sink)
            sinks.push_back(std::move(sink));
        data = CONNECTDATA{};
    }
    for (const auto& sink : sinks)
        sink->OnChanged(DISPID_UNKNOWN);
}

} // namespace corvane::server
