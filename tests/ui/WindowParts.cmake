# Unit tests of the calculator window's parts; the program's resources are linked in,
# so that the keyboard table, menu, strings and version are read as the platform reads them.
pemz_add_test(NAME ui_parts GUI
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/DialogParts_ut.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Resources_ut.cpp
        ${PROJECT_SOURCE_DIR}/res/PemzCalc.rc
    LIBS pemz_ui)
pemz_use_art(ui_parts ${PROJECT_SOURCE_DIR}/res/PemzCalc.rc)
