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

# The control and its dialogs at other pixel densities: the density tests of
# corvane_win32_tests run once more for each density in a Wine prefix whose
# screen is set to it, copied from a template the fixture makes from the
# tree's own (which stays at 96).
if(CORVANE_CROSS AND TARGET corvane_win32_tests)
    foreach(_corvane_dpi 120 144 192)
        set(_corvane_prefix ${CMAKE_BINARY_DIR}/wineprefix-${_corvane_dpi}dpi)
        add_test(NAME wine_env_${_corvane_dpi}dpi_setup
            COMMAND ${CORVANE_WINE_ENV} setup-prefix ${CORVANE_WINE_STATE} ${CORVANE_WINE_LOADER}
                    ${_corvane_prefix} ${CORVANE_WINE_ARCH} ${_corvane_dpi} ${CORVANE_WINE_TEMPLATE})
        set_tests_properties(wine_env_${_corvane_dpi}dpi_setup PROPERTIES
            FIXTURES_SETUP corvane_wine_${_corvane_dpi}dpi
            FIXTURES_REQUIRED ${CORVANE_WINE_FIXTURE} TIMEOUT 300 LABELS wine)
        corvane_add_wine_test(NAME corvane_win32_tests_${_corvane_dpi}dpi
            COMMAND corvane_win32_tests
            ARGS --gtest_filter=CustomizeDialogDensity.*:Density.* WINDOW LABELS win32)
        set_tests_properties(corvane_win32_tests_${_corvane_dpi}dpi PROPERTIES
            FIXTURES_REQUIRED "${CORVANE_WINE_FIXTURE};corvane_wine_${_corvane_dpi}dpi"
            ENVIRONMENT
            "CORVANE_EXPECT_PIXELS_PER_INCH=${_corvane_dpi};CORVANE_WINE_TEMPLATE=${_corvane_prefix}")
        if(NOT CORVANE_WINE_USABLE)
            set_tests_properties(wine_env_${_corvane_dpi}dpi_setup PROPERTIES DISABLED TRUE)
        endif()
    endforeach()
endif()
