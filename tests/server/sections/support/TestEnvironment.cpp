// The process-wide setting of the sections tests: a single-threaded
// apartment, as a host's user-interface thread has, and the type library
// registered for the whole run.

#include "support/TypeLibRegistration.h"

#include <gtest/gtest.h>

#include <memory>

namespace corvane::test {
namespace {

TTypeLibRegistration* theRegistration = nullptr;

class TSectionsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        registration_ = std::make_unique<TTypeLibRegistration>(CORVANE_TYPELIB_PATH);
        ASSERT_EQ(registration_->Result(), S_OK) << "cannot register " << CORVANE_TYPELIB_PATH;
        theRegistration = registration_.get();
    }
    void TearDown() override {
        theRegistration = nullptr;
        registration_.reset();
        CoUninitialize();
    }

private:
    std::unique_ptr<TTypeLibRegistration> registration_;
};

const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new TSectionsEnvironment);

} // namespace

TTypeLibRegistration* TheRegistration() {
    return theRegistration;
}

} // namespace corvane::test
