# Tests of the lookup edit ("PemzLookup") and the group frame ("PemzGroup").
set(here ${CMAKE_CURRENT_LIST_DIR})

pemz_add_test(NAME tab_definition_test SOURCES ${here}/tab_definition_test.cpp LIBS pemz_controls_core)

# Fuzzing the tab definition: natively, a short randomized run is a test; the same
# target runs under libFuzzer by hand (see the header of fuzz_tab_definition.cpp).
if(NOT WIN32)
    add_executable(fuzz_tab_definition ${here}/fuzz_tab_definition.cpp ${here}/fuzz_tab_definition_main.cpp)
    target_link_libraries(fuzz_tab_definition PRIVATE pemz_controls_core)
    add_test(NAME fuzz_tab_definition COMMAND fuzz_tab_definition 3000 7)
    set_tests_properties(fuzz_tab_definition PROPERTIES TIMEOUT 120)
endif()

if(WIN32)
    pemz_add_test(NAME lookup_group_test
        SOURCES ${here}/lookup_group_test.cpp ${here}/lookup_group_host.rc
        LIBS pemz_controls
        GUI)
    # The host shows the program's drop-arrow picture on the lookups' buttons.
    pemz_use_art(lookup_group_test ${here}/lookup_group_host.rc)
endif()
