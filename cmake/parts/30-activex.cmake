# The ActiveX control object: the control base (src/server/activex) and the
# header control's COM object TCorvane (src/server/control), with their tests
# under Wine.
if(NOT CORVANE_CROSS)
    return()
endif()

file(GLOB CORVANE_ACTIVEX_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/server/activex/*.cpp)
# oleacc and uuid both define IID_IAccessible: code names it as __uuidof(IAccessible).
set(CORVANE_ACTIVEX_LIBS corvane_win32 corvane_server_base ole32 oleaut32 uuid oleacc)
file(GLOB CORVANE_CONTROL_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/server/control/*.cpp)
list(APPEND CORVANE_ACTIVEX_SOURCES ${CORVANE_CONTROL_SOURCES})
list(APPEND CORVANE_ACTIVEX_LIBS corvane_typelib corvane_automation)

add_library(corvane_activex STATIC ${CORVANE_ACTIVEX_SOURCES})
target_include_directories(corvane_activex PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(corvane_activex PUBLIC ${CORVANE_ACTIVEX_LIBS})
corvane_warnings(corvane_activex)
corvane_precompile(corvane_activex WINDOWS)
# COM objects are destroyed by their own Release, never deleted through an
# interface pointer, and COM interfaces have no virtual destructors.
target_compile_options(corvane_activex PUBLIC -Wno-non-virtual-dtor)

# Our own C++ host: the object made by the creation function the factory uses,
# in this program (its type library embedded and registered in the prefix).
file(GLOB CORVANE_ACTIVEX_TEST_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/tests/server/activex/*.cpp)
# The accessibility walk builds the demo's own sample tree.
corvane_add_gtest_program(corvane_activex_tests SOURCES ${CORVANE_ACTIVEX_TEST_SOURCES}
    ${PROJECT_SOURCE_DIR}/src/demo/SampleTree.cpp LIBRARIES corvane_activex corvane_host WINDOW
    LABELS server)
corvane_embed_typelib(corvane_activex_tests)

# Timing of create / in-place activate / destroy cycles; never run by CTest.
add_executable(corvane_activex_cycles ${PROJECT_SOURCE_DIR}/bench/server/ActiveXCycleTiming.cpp
    ${PROJECT_SOURCE_DIR}/tests/server/activex/TestHost.cpp)
target_link_libraries(corvane_activex_cycles PRIVATE corvane_activex corvane_host GTest::gtest psapi)
corvane_warnings(corvane_activex_cycles)
corvane_embed_typelib(corvane_activex_cycles)
