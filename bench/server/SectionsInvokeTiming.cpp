// Timing of ISections calls under Wine: a property get through
// IDispatch::Invoke (as a script engine makes it), the same get early-bound,
// handing out a new wrapper, and a script's walk over 2,000 sections
// (`Items(i).Caption`, a new wrapper per section). Prints nanoseconds per
// call and the cost of a wrapper in property gets (goal: at most 3); not a
// test.
//
//   corvane_sections_bench.exe [iterations]

#include "server/automation/ComPtr.h"
#include "server/automation/Variant.h"
#include "server/sections/Sections.h"
#include "support/TypeLibRegistration.h"

#include <cstdio>
#include <cstdlib>

using corvane::THeaderColumns;
using corvane::server::TComPtr;
using corvane::server::TVariant;

namespace {

constexpr int WalkedSections = 2000;

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <class Call> double NanosecondsPerCall(long iterations, Call&& call) {
    for (long i = 0; i < iterations / 10; ++i) // warm-up
        call();
    const double start = Seconds();
    for (long i = 0; i < iterations; ++i)
        call();
    return (Seconds() - start) * 1e9 / static_cast<double>(iterations);
}

} // namespace

int main(int argc, char** argv) {
    const long iterations = argc > 1 ? std::atol(argv[1]) : 200000;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int status = 0;
    {
        corvane::test::TTypeLibRegistration registration(CORVANE_TYPELIB_PATH);
        THeaderColumns root;
        for (int i = 0; i < 10; ++i)
            root.Add("Column");
        TComPtr<ISections> sections;
        if (FAILED(registration.Result()) || FAILED(CreateSections(&root, sections.Put()))) {
            std::fprintf(stderr, "cannot register or load the type library\n");
            status = 1;
        } else {
            DISPPARAMS none = {nullptr, nullptr, 0, 0};
            TVariant result;
            long count = 0;
            const double invoke = NanosecondsPerCall(iterations, [&] {
                sections->Invoke(DISPID_ISections_Count, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                 result.Put(), nullptr, nullptr);
            });
            const double invokeCaption = NanosecondsPerCall(iterations, [&] {
                sections->Invoke(DISPID_ISections_Caption, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                 result.Put(), nullptr, nullptr);
            });
            const double early =
                NanosecondsPerCall(iterations, [&] { sections->get_Count(&count); });
            const long wrapperIterations = iterations / 10 > 0 ? iterations / 10 : 1;
            const double wrapper = NanosecondsPerCall(wrapperIterations, [&] {
                TComPtr<ISections> child;
                sections->GetFirstChild(child.Put());
            });
            // A script walking a wide header: 2,000 columns read one by one.
            THeaderColumns wide;
            for (int i = 0; i < WalkedSections; ++i)
                wide.Add("Column");
            TComPtr<ISections> wideRoot;
            CreateSections(&wide, wideRoot.Put());
            const long walks = iterations / 2000 > 0 ? iterations / 2000 : 1;
            const double walk = NanosecondsPerCall(walks, [&] {
                for (long i = 0; i < WalkedSections; ++i) {
                    TVariant index;
                    index.vt = VT_I4;
                    index.lVal = i;
                    DISPPARAMS one = {&index, nullptr, 1, 0};
                    TVariant item;
                    wideRoot->Invoke(DISPID_ISections_Items, IID_NULL, 0, DISPATCH_PROPERTYGET,
                                     &one, item.Put(), nullptr, nullptr);
                    if (item.vt == VT_DISPATCH && item.pdispVal != nullptr)
                        item.pdispVal->Invoke(DISPID_ISections_Caption, IID_NULL, 0,
                                              DISPATCH_PROPERTYGET, &none, result.Put(), nullptr,
                                              nullptr);
                }
            });
            std::printf("%-44s %10.0f ns\n", "Invoke PROPERTYGET Count", invoke);
            std::printf("%-44s %10.0f ns\n", "Invoke PROPERTYGET Caption (BSTR)", invokeCaption);
            std::printf("%-44s %10.0f ns\n", "early-bound get_Count", early);
            std::printf("%-44s %10.0f ns\n", "GetFirstChild (a new wrapper)", wrapper);
            std::printf("%-44s %10.2f\n", "new wrapper / Invoke(Count) (goal <= 3)",
                        wrapper / invoke);
            std::printf("%-44s %10.2f ms\n", "Items(i).Caption over 2,000 sections", walk / 1e6);
        }
    }
    CoUninitialize();
    return status;
}
