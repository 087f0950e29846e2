# pemz_add_test(NAME name SOURCES ... LIBS ... [GUI])
# A GoogleTest program registered with ctest. In the Windows build ctest runs
# it through Wine (CMAKE_CROSSCOMPILING_EMULATOR). GUI tests share one display
# and one keyboard focus, so they never run at the same time.
function(pemz_add_test)
    cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gtest gtest_main)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 300)
    if(WIN32)
        # One private Wine prefix per build tree.
        set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
    endif()
    if(T_GUI)
        set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK display)
    endif()
endfunction()
