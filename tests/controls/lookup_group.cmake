# Tests of the lookup edit ("PemzLookup") and the group frame ("PemzGroup").
set(here ${CMAKE_CURRENT_LIST_DIR})

pemz_add_test(NAME tab_definition_test SOURCES ${here}/tab_definition_test.cpp LIBS pemz_controls_core)

if(WIN32)
    pemz_add_test(NAME lookup_group_test
        SOURCES ${here}/lookup_group_test.cpp ${here}/lookup_group_host.rc
        LIBS pemz_controls
        GUI)
    # The host shows the program's drop-arrow picture on the lookups' buttons.
    pemz_use_art(lookup_group_test ${here}/lookup_group_host.rc)
endif()
