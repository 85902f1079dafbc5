#include "EventLog.h"

#include <cstdio>

namespace corvane::demo {
namespace {

std::string Quoted(const SectionName& section) {
    return section ? "\"" + *section + "\"" : "none";
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

void LogSizing(bool finished, const SectionName& section, int index, int width) {
    Line(std::string(finished ? "OnSized" : "OnSizing") + " section=" + Quoted(section) +
         " index=" + std::to_string(index) + " width=" + std::to_string(width));
}

void LogHeightChange(bool finished, const SectionName& section, int height) {
    Line(std::string(finished ? "OnHeightChanged" : "OnHeightChanging") +
         " section=" + Quoted(section) + " height=" + std::to_string(height));
}

void LogHeaderClick(const SectionName& section) {
    Line("OnHeaderClick section=" + Quoted(section));
}

std::string LogHint(const SectionName& section, int width, const std::string& hint) {
    const std::string answer =
        section ? *section + " (" + std::to_string(width) + " pixels wide)" : hint;
    Line("OnHint section=" + Quoted(section) + " hint=\"" + answer + "\"");
    return answer;
}

void LogDropSection(const SectionName& source, const SectionName& target, bool& asChild,
                    bool& allowDrop) {
    asChild = false;
    allowDrop = true;
    Line("OnDropSection source=" + Quoted(source) + " target=" + Quoted(target) +
         " asChild=" + Bool(asChild) + " allowDrop=" + Bool(allowDrop));
}

void LogNotice(const char* eventName) {
    Line(eventName);
}

} // namespace corvane::demo
