# The customizing editor. Its core logic (src/core/editor) and its Windows
# dialog (src/win32/editor) build into corvane_core and corvane_win32 with the
# rest of their layers; its tests join corvane_core_tests and
# corvane_win32_tests. Here: the benchmark of the dialog on a large header,
# built with the cross trees and never run by CTest.
if(CORVANE_CROSS AND TARGET corvane_win32)
    add_executable(corvane_editor_bench ${PROJECT_SOURCE_DIR}/bench/win32/editor/CustomizeBenchmark.cpp)
    target_link_libraries(corvane_editor_bench PRIVATE corvane_win32)
    corvane_warnings(corvane_editor_bench)
endif()

# The dialog at another pixel density: the density tests of
# corvane_win32_tests run once more in a Wine prefix whose screen is set to
# 120 pixels per inch, copied from a template the fixture makes from the
# tree's own (which stays at 96).
if(CORVANE_CROSS AND TARGET corvane_win32_tests)
    set(_corvane_120dpi ${CMAKE_BINARY_DIR}/wineprefix-120dpi)
    add_test(NAME wine_env_120dpi_setup
        COMMAND ${CORVANE_WINE_ENV} setup-prefix ${CORVANE_WINE_STATE} ${CORVANE_WINE_LOADER}
                ${_corvane_120dpi} ${CORVANE_WINE_ARCH} 120 ${CORVANE_WINE_TEMPLATE})
    set_tests_properties(wine_env_120dpi_setup PROPERTIES FIXTURES_SETUP corvane_wine_120dpi
        FIXTURES_REQUIRED ${CORVANE_WINE_FIXTURE} TIMEOUT 300 LABELS wine)
    corvane_add_wine_test(NAME corvane_win32_tests_120dpi COMMAND corvane_win32_tests
        ARGS --gtest_filter=CustomizeDialogDensity.* WINDOW LABELS win32)
    set_tests_properties(corvane_win32_tests_120dpi PROPERTIES
        FIXTURES_REQUIRED "${CORVANE_WINE_FIXTURE};corvane_wine_120dpi"
        ENVIRONMENT "CORVANE_EXPECT_PIXELS_PER_INCH=120;CORVANE_WINE_TEMPLATE=${_corvane_120dpi}")
    if(NOT CORVANE_WINE_USABLE)
        set_tests_properties(wine_env_120dpi_setup PROPERTIES DISABLED TRUE)
    endif()
endif()
