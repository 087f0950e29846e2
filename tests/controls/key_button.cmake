# Tests of "PemzButton", "PemzBitmap", "PemzGrid" and "PemzStopper" on real windows,
# with the host dialog of key_button_host.rc and the program's faces.
if(WIN32)
    set(key_button_dir ${CMAKE_CURRENT_LIST_DIR})
    pemz_add_test(NAME key_button_test
        SOURCES ${key_button_dir}/key_button_test.cpp ${key_button_dir}/key_button_host.rc
        LIBS pemz_controls oleacc ole32 oleaut32
        GUI)
    pemz_use_art(key_button_test ${key_button_dir}/key_button_host.rc)

    # Screenshot of the host (docs/controls-keys.png): key_button_shot <file.bmp>
    add_executable(key_button_shot ${key_button_dir}/key_button_shot.cpp ${key_button_dir}/key_button_host.rc)
    target_link_libraries(key_button_shot PRIVATE pemz_controls)
    pemz_use_art(key_button_shot ${key_button_dir}/key_button_host.rc)
endif()
