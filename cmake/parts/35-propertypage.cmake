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
