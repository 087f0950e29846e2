# What screen readers say of the keys: spoken names and shortcut texts (portable).
pemz_add_test(NAME spoken_text_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/spoken_text_test.cpp LIBS pemz_controls_core)
