# Windows build: the program, the skin library and the tests that run under Wine.
set(WIN32_DEFINITIONS UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601)
target_compile_definitions(quillory_logic PUBLIC ${WIN32_DEFINITIONS})
target_compile_definitions(skin_core PUBLIC ${WIN32_DEFINITIONS})
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
# What ships is built for size: every function and datum in a section of its
# own, so the linker drops what nothing calls, and no symbols.
set(SIZE_COMPILE_OPTIONS -Os -ffunction-sections -fdata-sections)
set(SIZE_LINK_OPTIONS -Wl,--gc-sections -s)
target_compile_options(quillory_logic PRIVATE ${SIZE_COMPILE_OPTIONS})
target_compile_options(skin_core PRIVATE ${SIZE_COMPILE_OPTIONS})
# x87 registers hold doubles wider than memory does, so a 32-bit build could
# round, and even compare, otherwise than the 64-bit one; SSE2 rounds alike.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_compile_options(quillory_logic PUBLIC -msse2 -mfpmath=sse)
    target_compile_options(skin_core PUBLIC -msse2 -mfpmath=sse)
endif()

# The program's Win32 side as a library, so the Windows tests drive the real window.
file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS src/*/win32/*.cpp)
list(FILTER WIN32_SOURCES EXCLUDE REGEX "/app/win32/main\\.cpp$")
add_library(quillory_win32 STATIC ${WIN32_SOURCES})
target_compile_options(quillory_win32 PRIVATE ${SIZE_COMPILE_OPTIONS})
target_link_libraries(quillory_win32 PUBLIC quillory_logic
    comctl32 shell32 ole32 shlwapi gdi32 user32 advapi32 uxtheme ntdll)
target_link_options(quillory_win32 PUBLIC ${STATIC_RUNTIME})

file(GLOB RESOURCE_SCRIPTS CONFIGURE_DEPENDS resources/*.rc)
# The scanner sees only #include lines; the icon and manifest a script names are dependencies too.
file(GLOB RESOURCE_FILES CONFIGURE_DEPENDS resources/*.ico resources/*.manifest)
set_source_files_properties(${RESOURCE_SCRIPTS} PROPERTIES OBJECT_DEPENDS "${RESOURCE_FILES}")
add_executable(Quillory WIN32 src/app/win32/main.cpp ${RESOURCE_SCRIPTS})
target_link_libraries(Quillory PRIVATE quillory_win32)
target_compile_options(Quillory PRIVATE ${SIZE_COMPILE_OPTIONS})
target_link_options(Quillory PRIVATE -municode ${SIZE_LINK_OPTIONS})

# The skin library, under the file name the program loads.
file(GLOB SKINLIB_SOURCES CONFIGURE_DEPENDS skinlib/*.cpp)
if(SKINLIB_SOURCES)
    add_library(SkinH_EL SHARED ${SKINLIB_SOURCES} skinlib/SkinH_EL.def)
    set_target_properties(SkinH_EL PROPERTIES PREFIX "" OUTPUT_NAME SkinH_EL)
    target_link_libraries(SkinH_EL PRIVATE skin_core comctl32 gdi32 user32 uxtheme)
    target_compile_options(SkinH_EL PRIVATE ${SIZE_COMPILE_OPTIONS})
    target_link_options(SkinH_EL PRIVATE ${STATIC_RUNTIME} -Wl,--kill-at ${SIZE_LINK_OPTIONS})
endif()

# dist/Quillory: the executable and its side folder. The release is 32-bit; a
# 64-bit build, made only for the tests, assembles its own in its build tree.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(DIST_DIR ${CMAKE_BINARY_DIR}/dist/Quillory)
else()
    set(DIST_DIR ${CMAKE_SOURCE_DIR}/dist/Quillory)
endif()
add_custom_target(dist ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DIST_DIR}/PLXE
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Quillory> ${DIST_DIR}/Quillory.exe
    DEPENDS Quillory)
if(TARGET SkinH_EL)
    add_custom_command(TARGET dist POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:SkinH_EL> ${DIST_DIR}/PLXE/SkinH_EL.dll)
    add_dependencies(dist SkinH_EL)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/skinlib/skinh.she)
    add_custom_command(TARGET dist POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/skinlib/skinh.she ${DIST_DIR}/PLXE/skinh.she)
endif()

# GoogleTest from Debian's sources, built with the cross compiler.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# One test executable per file in tests/windows; tests/windows/support holds shared helpers.
file(GLOB WINDOWS_TEST_SUPPORT CONFIGURE_DEPENDS tests/windows/support/*.cpp)
list(FILTER WINDOWS_TEST_SUPPORT EXCLUDE REGEX "(code_page_check|window_thread_guard)\\.cpp$")
add_library(windows_test_support STATIC ${WINDOWS_TEST_SUPPORT})
target_include_directories(windows_test_support PUBLIC tests/windows)
target_link_libraries(windows_test_support PUBLIC quillory_win32 gtest version)

# A stand-in skin library for the tests, under the real one's name in a folder
# of its own: it logs every call to skin_calls.log beside itself.
add_library(spy_skin SHARED tests/windows/spy/spy_skin.cpp tests/windows/spy/spy_skin.def)
set_target_properties(spy_skin PROPERTIES PREFIX "" OUTPUT_NAME SkinH_EL
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/spy)
target_link_options(spy_skin PRIVATE ${STATIC_RUNTIME} -Wl,--kill-at)

# Wine's browser setting can name this script, which notes each address it is
# handed, so the tests see what the program opened.
set(URL_RECORDER ${CMAKE_BINARY_DIR}/record-url.sh)
file(WRITE ${URL_RECORDER} "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$(dirname \"$0\")/opened-urls.txt\"\n")
file(CHMOD ${URL_RECORDER} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)

# All of tests/windows in one test program: one link and one listing of the
# tests instead of one a file; ctest still runs every test in a process of its own.
file(GLOB WINDOWS_TEST_SOURCES CONFIGURE_DEPENDS tests/windows/*_test.cpp)
# Every run checks the code page first, so a wrong environment fails loudly,
# and fails a test whose window's thread calls the file system. The colour
# core's table runs here too, against the library as it ships.
add_executable(windows_tests ${WINDOWS_TEST_SOURCES} tests/windows/support/code_page_check.cpp
    tests/windows/support/window_thread_guard.cpp tests/unit/colour_edges_test.cpp)
target_link_libraries(windows_tests PRIVATE windows_test_support skin_core gtest_main)
# The headers every test file reads, parsed once.
target_precompile_headers(windows_tests PRIVATE <windows.h> <commctrl.h> <gtest/gtest.h> <string> <vector>)
# Test code is built for a quick build, not for speed: what it measures is the
# program's code, built as it ships.
target_compile_options(windows_tests PRIVATE -O0)
target_compile_options(windows_test_support PRIVATE -O0)
# Tests find the built program and skin library through these.
target_compile_definitions(windows_tests PRIVATE
    QUILLORY_EXE_PATH="$<TARGET_FILE:Quillory>"
    QUILLORY_DIST_DIR="${DIST_DIR}"
    QUILLORY_SKIN_DLL="$<TARGET_FILE:SkinH_EL>"
    QUILLORY_SPY_SKIN_DLL="$<TARGET_FILE:spy_skin>"
    QUILLORY_URL_RECORDER="${URL_RECORDER}")
add_dependencies(windows_tests dist spy_skin)
gtest_discover_tests(windows_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)

# One benchmark program per file in bench/, gathered in one folder for `make
# bench`; built only for it (target benchmarks), not for the tests.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
add_custom_target(benchmarks)
foreach(source ${BENCH_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    # With the program's resources (its manifest above all) and shipped side
    # folder, the window measured is the one the user sees.
    add_executable(${name} EXCLUDE_FROM_ALL ${source} ${RESOURCE_SCRIPTS})
    add_dependencies(benchmarks ${name})
    # The tests' helpers for large folders, the clipboard and pinging the window.
    target_link_libraries(${name} PRIVATE quillory_win32 windows_test_support)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
    target_compile_definitions(${name} PRIVATE QUILLORY_DIST_DIR="${DIST_DIR}")
    add_dependencies(${name} dist)
endforeach()

# The 32-bit program in a 64-bit Wine prefix, whose WOW64 redirects System32 as
# Windows does; skipped, saying why, where this machine runs no 32-bit code.
add_test(NAME Wow64.ExtractsTheFolderTheUserNamedNotItsTwin
    COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/wow64_details_test.sh $<TARGET_FILE:Quillory>)
# Making the prefix the first time takes about a minute.
set_tests_properties(Wow64.ExtractsTheFolderTheUserNamedNotItsTwin PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
