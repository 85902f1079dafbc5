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
