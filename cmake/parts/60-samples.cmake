# The shared container's tests, and the C++ host sample (samples/cpp-host)
# built against the shared container as the package ships it, with its
# application manifest naming the CorvaneC assembly whose manifest sits
# beside CorvaneC.ocx in this tree. scripts/package.sh ships its sources;
# tests/package builds and runs them from the unpacked package.
if(NOT CORVANE_CROSS OR NOT TARGET corvane_host OR NOT TARGET CorvaneC)
    return()
endif()

set(CORVANEC_VERSION ${PROJECT_VERSION})
set(CORVANEC_ARCH ${CORVANE_MANIFEST_ARCH})
set(_sample_dir ${CMAKE_BINARY_DIR}/samples/cpp-host)
configure_file(${PROJECT_SOURCE_DIR}/samples/cpp-host/cpp-host.manifest.in
    ${_sample_dir}/cpp-host.manifest @ONLY)
file(WRITE ${_sample_dir}/cpp-host.rc "1 24 \"${_sample_dir}/cpp-host.manifest\"\n")
add_executable(cpp-host ${PROJECT_SOURCE_DIR}/samples/cpp-host/CppHost.cpp
    ${_sample_dir}/cpp-host.rc)
target_link_libraries(cpp-host PRIVATE corvane_host)
corvane_warnings(cpp-host)
add_dependencies(cpp-host CorvaneC)

# Beside CorvaneC.ocx and its manifest: the sample runs against this tree's
# module through the manifest (its prefix has nothing registered).
corvane_add_wine_test(NAME cpp_host_sample COMMAND cpp-host ARGS --auto WINDOW LABELS server)
set_tests_properties(cpp_host_sample PROPERTIES
    PASS_REGULAR_EXPRESSION "cpp-host: all checks passed")

# The shared container (tests/host): its site, sink and window as a control
# calls them, and the hosted control through the module's manifest (an
# activation context made from it), with no registration needed.
file(GLOB CORVANE_HOST_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/host/*.cpp)
corvane_add_gtest_program(corvane_host_tests SOURCES ${CORVANE_HOST_TEST_SOURCES}
    LIBRARIES corvane_host version WINDOW LABELS server)
add_dependencies(corvane_host_tests CorvaneC)
target_compile_definitions(corvane_host_tests PRIVATE
    CORVANE_OCX_PATH="$<TARGET_FILE:CorvaneC>" CORVANE_MANIFEST_PATH="${CORVANE_MODULE_MANIFEST}")
