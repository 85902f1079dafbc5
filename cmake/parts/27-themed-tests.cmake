# The header under a visual style. The tree's template prefix has visual
# styles off, so every other test sees "Auto" draw the button face it always
# drew; the theme tests of corvane_win32_tests run once more in a copy of it
# with Wine's own light theme on (as a new prefix has it).
if(CORVANE_CROSS AND TARGET corvane_win32_tests)
    # The tests draw the theme's own header item to compare with.
    target_link_libraries(corvane_win32_tests PRIVATE uxtheme)
    set(_corvane_themed ${CMAKE_BINARY_DIR}/wineprefix-themed)
    add_test(NAME wine_env_themed_setup
        COMMAND ${CORVANE_WINE_ENV} setup-theme ${CORVANE_WINE_STATE} ${CORVANE_WINE_LOADER}
                ${_corvane_themed} ${CORVANE_WINE_ARCH} ${CORVANE_WINE_TEMPLATE})
    set_tests_properties(wine_env_themed_setup PROPERTIES FIXTURES_SETUP corvane_wine_themed
        FIXTURES_REQUIRED ${CORVANE_WINE_FIXTURE} TIMEOUT 300 LABELS wine)
    corvane_add_wine_test(NAME corvane_win32_tests_themed COMMAND corvane_win32_tests
        ARGS --gtest_filter=StrativTheme.* WINDOW LABELS win32)
    set_tests_properties(corvane_win32_tests_themed PROPERTIES
        FIXTURES_REQUIRED "${CORVANE_WINE_FIXTURE};corvane_wine_themed"
        ENVIRONMENT "CORVANE_EXPECT_THEME=1;CORVANE_WINE_TEMPLATE=${_corvane_themed}")
    if(NOT CORVANE_WINE_USABLE)
        set_tests_properties(wine_env_themed_setup PROPERTIES DISABLED TRUE)
    endif()
endif()
