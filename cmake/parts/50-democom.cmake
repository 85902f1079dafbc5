# The demo as a host of the registered control: it makes CorvaneC.Corvane
# through COM (early bound through the generated header) and hears its events.
# Its tests run it under Wine against the CorvaneC.ocx registered by the
# fixture of the hosts' tests, in a copy of that fixture's prefix.
if(NOT CORVANE_CROSS OR NOT TARGET corvane-demo OR NOT TARGET CorvaneC)
    return()
endif()

target_link_libraries(corvane-demo PRIVATE corvane_host corvane_typelib corvane_automation)
# The sink and the site are COM objects: released, never deleted through an
# interface, and COM interfaces have no virtual destructors.
target_compile_options(corvane-demo PRIVATE -Wno-non-virtual-dtor)
# The demo runs against the module built beside it.
add_dependencies(corvane-demo CorvaneC)

# The demo run under Wine (its screenshot, its log of scripted input), and its
# event sink called as the control calls it.
_corvane_wine_path(_corvane_demo_exe "${CMAKE_BINARY_DIR}/corvane-demo.exe")
corvane_add_gtest_program(corvane_demo_host_tests
    SOURCES ${PROJECT_SOURCE_DIR}/tests/demo/DemoRunTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/demo/EventSinkTest.cpp
        ${PROJECT_SOURCE_DIR}/src/demo/EventSink.cpp ${PROJECT_SOURCE_DIR}/src/demo/EventLog.cpp
    LIBRARIES corvane_host corvane_typelib corvane_automation corvane_win32 WINDOW LABELS server)
target_compile_options(corvane_demo_host_tests PRIVATE -Wno-non-virtual-dtor)
string(REPLACE "\\" "\\\\" _corvane_demo_exe_literal "${_corvane_demo_exe}")
target_compile_definitions(corvane_demo_host_tests PRIVATE
    CORVANE_DEMO_EXE="${_corvane_demo_exe_literal}")
add_dependencies(corvane_demo_host_tests corvane-demo CorvaneC)
set_tests_properties(corvane_demo_host_tests PROPERTIES
    FIXTURES_REQUIRED "corvane_wine;corvane_ocx"
    ENVIRONMENT CORVANE_WINE_TEMPLATE=${CORVANE_WINE_OCX_PREFIX})
