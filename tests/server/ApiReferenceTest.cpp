// docs/api.md against the type library's table: every library, type and
// member has its block, each block says what the table says, and every
// member is described. Then the checker itself, on damaged copies.
#include "server/typelib/ApiReference.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

using corvane::typelib::CorvaneLibrary;
using corvane::typelib::UpdateReference;

std::string Reference() {
    std::ifstream in(CORVANE_API_REFERENCE, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(ApiReference, CoversTheTypeLibraryAndIsCurrent) {
    const std::string document = Reference();
    ASSERT_FALSE(document.empty()) << CORVANE_API_REFERENCE;
    const auto update = UpdateReference(CorvaneLibrary(), document);
    for (const std::string& problem : update.Problems)
        ADD_FAILURE() << problem;
    EXPECT_TRUE(update.Text == document)
        << "run corvane-api-reference docs/api.md: its generated blocks are out of date";
}

TEST(ApiReference, FindsWhatADamagedReferenceGetsWrong) {
    const std::string document = Reference();
    const std::string cursor = "<!-- api member ICorvane.Cursor -->";
    const struct {
        const char* name;
        std::string text;
        const char* problem; // nullptr: no problem, the block is regenerated
    } cases[] = {
        {"a member's block left out", Replaced(document, cursor, "<!-- left out -->"),
         "missing: member ICorvane.Cursor"},
        {"a member misspelt", Replaced(document, cursor, "<!-- api member ICorvane.Cursr -->"),
         "not in the type library: member ICorvane.Cursr"},
        {"a signature edited by hand",
         Replaced(document, "HRESULT get_Cursor(short* Value);",
                  "HRESULT get_Cursor(long* Value);"),
         nullptr},
        {"a member described twice", document + "\n" + cursor + "\n<!-- /api -->\n",
         "described twice: member ICorvane.Cursor"},
        {"a description still to be written", document + "\n(to be written: Cursor)\n",
         "not described yet"},
    };
    for (const auto& c : cases) {
        const auto update = UpdateReference(CorvaneLibrary(), c.text);
        if (c.problem == nullptr) {
            EXPECT_NE(update.Text, c.text) << c.name << ": the block is not regenerated";
            continue;
        }
        bool found = false;
        for (const std::string& problem : update.Problems)
            found = found || problem.find(c.problem) == 0;
        EXPECT_TRUE(found) << c.name << ": no problem \"" << c.problem << "\"";
    }
}

} // namespace
