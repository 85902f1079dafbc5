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
# corvane_win32_tests run once more in a Wine prefix of their own whose screen
# is set to 120 pixels per inch. The shared prefix stays at 96, so the tests
# that run in parallel there never see a density change.
if(CORVANE_CROSS AND TARGET corvane_win32_tests)
    set(_corvane_dpi_args ${CORVANE_WINE_STATE} ${CORVANE_WINE_LOADER}
        ${CMAKE_BINARY_DIR}/wineprefix-120dpi ${CORVANE_WINE_ARCH})
    add_test(NAME wine_env_120dpi_setup
        COMMAND ${CORVANE_WINE_ENV} setup-prefix ${_corvane_dpi_args} 120)
    add_test(NAME wine_env_120dpi_cleanup
        COMMAND ${CORVANE_WINE_ENV} stop-prefix ${_corvane_dpi_args})
    set_tests_properties(wine_env_120dpi_setup PROPERTIES FIXTURES_SETUP corvane_wine_120dpi
        FIXTURES_REQUIRED ${CORVANE_WINE_FIXTURE} TIMEOUT 300 LABELS wine)
    set_tests_properties(wine_env_120dpi_cleanup PROPERTIES FIXTURES_CLEANUP corvane_wine_120dpi
        FIXTURES_REQUIRED ${CORVANE_WINE_FIXTURE} TIMEOUT 60 LABELS wine)
    add_test(NAME corvane_win32_tests_120dpi
        COMMAND ${CORVANE_WINE_ENV} run ${_corvane_dpi_args} $<TARGET_FILE:corvane_win32_tests>
                --gtest_filter=CustomizeDialogDensity.*)
    set_tests_properties(corvane_win32_tests_120dpi PROPERTIES
        FIXTURES_REQUIRED "${CORVANE_WINE_FIXTURE};corvane_wine_120dpi"
        ENVIRONMENT CORVANE_EXPECT_PIXELS_PER_INCH=120 TIMEOUT 300 LABELS "wine;window"
        RESOURCE_LOCK corvane_display)
    if(NOT CORVANE_WINE_USABLE)
        set_tests_properties(wine_env_120dpi_setup wine_env_120dpi_cleanup
            corvane_win32_tests_120dpi PROPERTIES DISABLED TRUE)
    endif()
endif()
