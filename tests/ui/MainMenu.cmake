# The calculator window run inside the test's own process: its menu (under Wine another
# process cannot read a window's menu) and the keys it flashes (every one recorded, none
# missed). The program's resources are linked in; the driver brings the registry helpers
# that the end-to-end tests use.
pemz_add_test(NAME ui_menu GUI
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/MainMenuTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/KeyFlashTest.cpp
        ${PROJECT_SOURCE_DIR}/res/PemzCalc.rc
    LIBS pemz_ui pemz_controls pemz_ui_driver)
pemz_use_art(ui_menu ${PROJECT_SOURCE_DIR}/res/PemzCalc.rc)
