# The automation base (IDispatch from type information, the COM boundary,
# BSTR/VARIANT/COM pointer ownership) and the sections automation object.
if(NOT CORVANE_CROSS OR NOT TARGET corvane_typelib)
    return()
endif()

file(GLOB CORVANE_AUTOMATION_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/server/automation/*.cpp
    ${PROJECT_SOURCE_DIR}/src/server/sections/*.cpp)
add_library(corvane_automation STATIC ${CORVANE_AUTOMATION_SOURCES})
target_include_directories(corvane_automation PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(corvane_automation PUBLIC corvane_typelib corvane_server_base corvane_win32
    ole32 oleaut32 uuid)
corvane_warnings(corvane_automation)
corvane_precompile(corvane_automation WINDOWS)

# Tests under Wine: they register the built type library in the tree's own
# prefix first (the sections object loads the registered library).
file(GLOB CORVANE_SECTIONS_TEST_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/tests/server/sections/*.cpp
    ${PROJECT_SOURCE_DIR}/tests/server/sections/support/*.cpp)
if(CORVANE_SECTIONS_TEST_SOURCES)
    corvane_add_gtest_program(corvane_sections_tests SOURCES ${CORVANE_SECTIONS_TEST_SOURCES}
        LIBRARIES corvane_automation LABELS server)
    target_include_directories(corvane_sections_tests PRIVATE
        ${PROJECT_SOURCE_DIR}/tests/server/sections)
    target_compile_definitions(corvane_sections_tests PRIVATE
        CORVANE_TYPELIB_PATH="${CORVANE_TYPELIB_FILE}")
endif()

# Timing of ISections calls (early-bound and through IDispatch::Invoke); a
# benchmark, built with the tree and never run by CTest.
add_executable(corvane_sections_bench ${PROJECT_SOURCE_DIR}/bench/server/SectionsInvokeTiming.cpp
    ${PROJECT_SOURCE_DIR}/tests/server/sections/support/TypeLibRegistration.cpp)
target_include_directories(corvane_sections_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/server/sections)
target_link_libraries(corvane_sections_bench PRIVATE corvane_automation)
target_compile_definitions(corvane_sections_bench PRIVATE
    CORVANE_TYPELIB_PATH="${CORVANE_TYPELIB_FILE}")
corvane_warnings(corvane_sections_bench)
