# Tests of the lookup edit ("PemzLookup") and the group frame ("PemzGroup").
set(here ${CMAKE_CURRENT_LIST_DIR})

pemz_add_test(NAME tab_definition_test SOURCES ${here}/tab_definition_test.cpp LIBS pemz_controls_core)

if(WIN32)
    pemz_add_test(NAME lookup_group_test
        SOURCES ${here}/lookup_group_test.cpp ${here}/lookup_group_host.rc
        LIBS pemz_controls oleacc ole32 oleaut32
        GUI)
    # The host shows the program's drop-arrow picture on the lookups' buttons.
    pemz_use_art(lookup_group_test ${here}/lookup_group_host.rc)

    # Screenshot of the host (docs/controls-lookup-group.png): lookup_group_shot <file.bmp> [group] [classic]
    add_executable(lookup_group_shot ${here}/lookup_group_shot.cpp ${here}/lookup_group_host.rc)
    target_link_libraries(lookup_group_shot PRIVATE pemz_controls)
    pemz_use_art(lookup_group_shot ${here}/lookup_group_host.rc)
endif()
