# The Windows tree: the launcher, the configuration tool and the Windows tests.
enable_language(RC)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
# Static C and C++ runtimes: the exe needs no MinGW DLL. The rest keeps the exe small and
# hardened (ASLR with high entropy, DEP).
set(SS_WIN_LINK_OPTIONS -static -Wl,--gc-sections -Wl,--dynamicbase -Wl,--high-entropy-va
    -Wl,--nxcompat)
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(${SS_WIN_LINK_OPTIONS})

# The layers below the window framework: the platform-free sources and their Windows parts
# (files, system error texts, the configuration file beside the exe, the shell, the registry).
add_library(ss_core STATIC ${SS_CORE_SOURCES} src/core/file_read_win.cpp
  src/core/folder_list_win.cpp src/core/system_error_win.cpp src/core/wide_win.cpp
  src/config/config_file_win.cpp src/config/language_win.cpp src/shell/shell.cpp)
ss_target(ss_core)
target_link_libraries(ss_core PUBLIC advapi32)

# The skin layer, on the core: a skin folder's files as pixels at the display's scale.
add_library(ss_skin STATIC ${SS_SKIN_SOURCES})
ss_target(ss_skin)
target_link_libraries(ss_skin PUBLIC ss_core)

# Everything that talks to Win32, below the windows of the launcher.
add_library(ss_gui STATIC
  src/gui/window.cpp
  src/gui/cursors.cpp
  src/gui/graphics_types.cpp
  src/gui/control.cpp
  src/gui/form.cpp
  src/gui/application.cpp
  src/gui/icon.cpp
  src/gui/bitmap.cpp
  src/gui/picture.cpp
  src/gui/label.cpp
  src/gui/picture_box.cpp
  src/gui/popup_menu.cpp
  src/gui/push_button.cpp
  src/gui/timer.cpp
  src/gui/start_file.cpp
  src/gui/dpi.cpp
  src/gui/accessible.cpp
  src/gui/link_label.cpp
)
ss_target(ss_gui)
# Static imports are resolved from the exe's folder first, before WinMain restricts the DLL
# search: only KnownDLLs belong here (shell32 is loaded at first use, see src/shell/shell.cpp).
target_link_libraries(ss_gui PUBLIC ss_core gdi32 user32 uuid)

# The skinned controls, on the framework.
add_library(ss_controls STATIC
  src/controls/outline_region.cpp
  src/controls/skin_form.cpp
  src/controls/halo_window.cpp
  src/controls/skin_button.cpp
  src/controls/image_button.cpp
)
ss_target(ss_controls)
target_link_libraries(ss_controls PUBLIC ss_skin ss_gui)

# The launcher's windows and its entry sequence.
add_library(ss_ui STATIC
  src/ui/main/form_main.cpp
  src/ui/main/launcher_texts.cpp
  src/ui/about/form_about.cpp
  src/app/startup_error.cpp
)
ss_target(ss_ui)
target_link_libraries(ss_ui PUBLIC ss_controls ss_gui)

# Resources: the manifest, version information and the icon that the host tree's skin
# generator draws (the Makefile builds the host tree first).
set(SS_APP_ICON "${PROJECT_SOURCE_DIR}/build/host/demo-assets/icon.ico" CACHE FILEPATH
    "The application icon compiled into the exe")
if(NOT EXISTS "${SS_APP_ICON}")
  message(WARNING "No icon at ${SS_APP_ICON}: build the host tree first (make build does)")
endif()
set(SS_MANIFEST "${PROJECT_SOURCE_DIR}/src/app/suitestart.manifest")
set(SS_ICON "${SS_APP_ICON}")
configure_file(src/app/suitestart.rc.in ${CMAKE_BINARY_DIR}/suitestart.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/suitestart.rc PROPERTIES
                            OBJECT_DEPENDS "${SS_MANIFEST};${SS_APP_ICON}")

add_executable(suitestart WIN32 src/app/main.cpp ${CMAKE_BINARY_DIR}/suitestart.rc)
ss_target(suitestart)
target_link_libraries(suitestart PRIVATE ss_ui)
target_link_options(suitestart PRIVATE -s)
# The exe's budget is 512 KiB with its icon: code that runs a few times per start or per event is
# built for size; the skin layer, whose decoding and resampling run over every pixel, for speed.
foreach(target ss_core ss_gui ss_controls ss_ui suitestart)
  target_compile_options(${target} PRIVATE -Os)
endforeach()

add_subdirectory(tools)
add_subdirectory(tests/win)
add_subdirectory(tests/e2e)
add_subdirectory(tests/bench)
