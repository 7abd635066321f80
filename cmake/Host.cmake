# The host tree: platform-free code, its unit tests (plain and under ASan and UBSan), the
# native tools, and the registry of every test, including those that run under Wine.
enable_testing()
find_package(GTest REQUIRED)

add_library(ss_core STATIC ${SS_CORE_SOURCES} src/core/file_read_host.cpp
            src/core/folder_list_host.cpp)
ss_target(ss_core)
add_library(ss_skin STATIC ${SS_SKIN_SOURCES})
ss_target(ss_skin)
target_link_libraries(ss_skin PUBLIC ss_core Threads::Threads)

set(SS_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_library(ss_core_asan STATIC ${SS_CORE_SOURCES} src/core/file_read_host.cpp
            src/core/folder_list_host.cpp)
ss_target(ss_core_asan)
target_compile_options(ss_core_asan PRIVATE ${SS_SANITIZE} -g)
target_link_options(ss_core_asan PUBLIC ${SS_SANITIZE})
add_library(ss_skin_asan STATIC ${SS_SKIN_SOURCES})
ss_target(ss_skin_asan)
target_compile_options(ss_skin_asan PRIVATE ${SS_SANITIZE} -g)
target_link_libraries(ss_skin_asan PUBLIC ss_core_asan Threads::Threads)

add_subdirectory(tools)
add_subdirectory(tests/unit)
add_subdirectory(tests/fuzz)

# Tests of the Windows tree, run under Wine inside Xvfb; one Wine session serves them all.
set(SS_WIN_BUILD_DIR "${PROJECT_SOURCE_DIR}/build/win" CACHE PATH "The Windows tree")
set(SS_WINE_DIR "${CMAKE_BINARY_DIR}/wine")
set(SS_WINE_SESSION "${PROJECT_SOURCE_DIR}/cmake/wine-session.sh")
add_test(NAME wine.start COMMAND ${SS_WINE_SESSION} start ${SS_WINE_DIR})
add_test(NAME wine.stop COMMAND ${SS_WINE_SESSION} stop ${SS_WINE_DIR})
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)

# A Windows test program run under Wine as one process.
function(ss_wine_test name)
  add_test(NAME ${name} COMMAND ${SS_WINE_SESSION} run ${SS_WINE_DIR} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK display
                       TIMEOUT 300)
endfunction()

add_subdirectory(tests/e2e)
add_subdirectory(tests/win wine_tests)

# The shipped exe's PE headers and import table, read with MinGW's objdump.
add_test(NAME hardening.exe_headers
         COMMAND ${PROJECT_SOURCE_DIR}/tests/hardening/exe_hardening_test.sh
                 ${SS_WIN_BUILD_DIR}/bin/suitestart.exe)
