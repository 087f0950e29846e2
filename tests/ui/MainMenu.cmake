# The calculator window's menu, checked from inside the window's own process: under Wine
# another process cannot read a window's menu. The program's resources are linked in;
# Driver.cpp brings the registry helpers that the end-to-end tests use.
pemz_add_test(NAME ui_menu GUI
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/MainMenuTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Driver.cpp
        ${PROJECT_SOURCE_DIR}/res/PemzCalc.rc
    LIBS pemz_ui pemz_controls shlwapi)
pemz_use_art(ui_menu ${PROJECT_SOURCE_DIR}/res/PemzCalc.rc)
target_compile_definitions(ui_menu PRIVATE
    PEMZ_PROGRAM_PATH="${PEMZ_PROGRAM_FILE}"
    PEMZ_RECORDER_PATH="$<TARGET_FILE:pemz_ui_recorder>")
