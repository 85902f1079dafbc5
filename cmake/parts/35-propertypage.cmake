# The host property page: the customizing editor (src/core/editor,
# src/win32/editor) as an IPropertyPage object, served by the module's
# property page factory. Its tests drive the built CorvaneC.ocx under Wine.
if(NOT CORVANE_CROSS OR NOT TARGET corvane_activex)
    return()
endif()

file(GLOB CORVANE_PROPERTYPAGE_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/server/propertypage/*.cpp)
add_library(corvane_propertypage STATIC ${CORVANE_PROPERTYPAGE_SOURCES})
target_include_directories(corvane_propertypage PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(corvane_propertypage PUBLIC corvane_activex corvane_automation corvane_win32
    comctl32 ole32 oleaut32 uuid)
corvane_warnings(corvane_propertypage)
corvane_precompile(corvane_propertypage WINDOWS)

# Tests under Wine: pages and controls made by the built module's factories,
# in a frame window of the test and in the system's own property frame.
corvane_add_gtest_program(corvane_propertypage_tests
    SOURCES
        ${PROJECT_SOURCE_DIR}/tests/server/propertypage/PageTestSupport.cpp
        ${PROJECT_SOURCE_DIR}/tests/server/propertypage/PropertyPageTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/server/propertypage/PropertyFrameTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/server/BuiltModule.cpp
        ${PROJECT_SOURCE_DIR}/tests/win32/CustomizeDialogWatch.cpp
        ${PROJECT_SOURCE_DIR}/tests/win32/KeyboardDriver.cpp
        ${PROJECT_SOURCE_DIR}/tests/win32/KeyboardCases.cpp
    LIBRARIES corvane_automation corvane_typelib advapi32 comctl32 ole32 oleaut32 uuid
    WINDOW LABELS server)
target_include_directories(corvane_propertypage_tests PRIVATE
    ${PROJECT_SOURCE_DIR}/tests/server ${PROJECT_SOURCE_DIR}/tests/win32)
add_dependencies(corvane_propertypage_tests CorvaneC)
target_compile_definitions(corvane_propertypage_tests PRIVATE
    CORVANE_OCX_PATH="$<TARGET_FILE:CorvaneC>")
# Its COM objects are stack objects freed by their owner, never deleted
# through an interface pointer; COM interfaces have no virtual destructors.
target_compile_options(corvane_propertypage_tests PRIVATE -Wno-non-virtual-dtor)
