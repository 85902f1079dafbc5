#include "EventLog.h"

#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"

#include <cstdio>
#include <string>

namespace corvane::demo {
namespace {

std::string Quoted(const THeaderColumns* section) {
    return section != nullptr ? "\"" + section->Caption() + "\"" : "none";
}

void Line(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::string Bool(bool value) {
    return value ? "true" : "false";
}

} // namespace

void LogEvents(TStrativ& header) {
    header.OnSizing = [](TStrativ*, THeaderColumns* s, int index, int width) {
        Line("OnSizing section=" + Quoted(s) + " index=" + std::to_string(index) +
             " width=" + std::to_string(width));
    };
    header.OnSized = [](TStrativ*, THeaderColumns* s, int index, int width) {
        Line("OnSized section=" + Quoted(s) + " index=" + std::to_string(index) +
             " width=" + std::to_string(width));
    };
    header.OnHeightChanging = [](TStrativ*, THeaderColumns* s, int height) {
        Line("OnHeightChanging section=" + Quoted(s) + " height=" + std::to_string(height));
    };
    header.OnHeightChanged = [](TStrativ*, THeaderColumns* s, int height) {
        Line("OnHeightChanged section=" + Quoted(s) + " height=" + std::to_string(height));
    };
    header.OnHeaderClick = [](TStrativ*, THeaderColumns* s) {
        Line("OnHeaderClick section=" + Quoted(s));
    };
    header.OnHint = [](TStrativ*, THeaderColumns* s, std::string& hint) {
        hint = s->Caption() + " (" + std::to_string(s->Width()) + " pixels wide)";
        Line("OnHint section=" + Quoted(s) + " hint=\"" + hint + "\"");
    };
    header.OnDropSection = [](TStrativ*, THeaderColumns* source, THeaderColumns* target,
                              bool& asChild, bool& allowDrop) {
        asChild = false;
        allowDrop = true;
        Line("OnDropSection source=" + Quoted(source) + " target=" + Quoted(target) +
             " asChild=" + Bool(asChild) + " allowDrop=" + Bool(allowDrop));
    };
    header.OnBeforeCustomize = [](TStrativ*) { Line("OnBeforeCustomize"); };
    header.OnAfterCustomize = [](TStrativ*) { Line("OnAfterCustomize"); };
    header.OnBeforeApply = [](TStrativ*) { Line("OnBeforeApply"); };
    header.OnAfterApply = [](TStrativ*) { Line("OnAfterApply"); };
}

} // namespace corvane::demo
