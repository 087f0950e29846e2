# pemz_wine_environment(<variable> <prefix>): the environment of a Windows program
# ctest runs in that Wine prefix, a 64-bit one for the x86_64 tree (cmake/wine-run.sh).
function(pemz_wine_environment variable prefix)
    set(environment "WINEPREFIX=${prefix}")
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        list(APPEND environment WINEARCH=win64)
    endif()
    set(${variable} "${environment}" PARENT_SCOPE)
endfunction()
# One private prefix per build tree, for every test that needs no prefix of its own.
if(WIN32)
    pemz_wine_environment(PEMZ_WINE_ENVIRONMENT ${CMAKE_BINARY_DIR}/wineprefix)
endif()

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
        set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${PEMZ_WINE_ENVIRONMENT}")
    endif()
    if(T_GUI)
        set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK display)
    endif()
endfunction()
