# Windows build: the program kesta.exe (also copied as the screensaver kesta.scr) and the tests
# that need the real platform, run under Wine.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/resources")
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
add_link_options(-static -static-libgcc -static-libstdc++)

set(KESTA_RC ${CMAKE_SOURCE_DIR}/resources/kesta.rc)
# kesta.rc includes the other scripts and images; windres reports no dependencies of its own.
file(GLOB KESTA_RC_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc
    ${CMAKE_SOURCE_DIR}/resources/*.h ${CMAKE_SOURCE_DIR}/resources/*.ico
    ${CMAKE_SOURCE_DIR}/resources/*.cur ${CMAKE_SOURCE_DIR}/resources/*.ani)
set_source_files_properties(${KESTA_RC} PROPERTIES OBJECT_DEPENDS "${KESTA_RC_PARTS}")

kesta_all_layers()
target_link_libraries(kesta_settings PUBLIC user32 gdi32 kernel32)
target_link_libraries(kesta_dialog PUBLIC comdlg32)

# The program file alone carries the version resource and the application manifest.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/kesta_version.h CONTENT
"#define KESTA_VERSION_MAJOR ${PROJECT_VERSION_MAJOR}
#define KESTA_VERSION_MINOR ${PROJECT_VERSION_MINOR}
#define KESTA_VERSION_PATCH ${PROJECT_VERSION_PATCH}
#define KESTA_VERSION_TEXT \"${PROJECT_VERSION}\"
")
file(WRITE ${CMAKE_BINARY_DIR}/kesta-version.txt "${PROJECT_VERSION}\n")
set(KESTA_PROGRAM_RC ${CMAKE_SOURCE_DIR}/resources/program.rc)
set_source_files_properties(${KESTA_PROGRAM_RC} PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/kesta.manifest;${CMAKE_BINARY_DIR}/generated/kesta_version.h"
    COMPILE_FLAGS "-I${CMAKE_BINARY_DIR}/generated")
add_executable(kesta WIN32 ${CMAKE_SOURCE_DIR}/app/winmain.cpp ${KESTA_RC} ${KESTA_PROGRAM_RC})
kesta_layer_includes(kesta app)
target_link_libraries(kesta kesta_app)
target_link_options(kesta PRIVATE -municode)
set_target_properties(kesta PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# The same program under the screensaver's name, for the screensaver settings of Windows.
add_custom_command(TARGET kesta POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kesta> ${CMAKE_BINARY_DIR}/kesta.scr)

# Tests share one Wine prefix in the build folder; they all use its Windows directory (the
# settings file lives there), so they hold one lock and never run side by side.
set(KESTA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
function(kesta_wine_test_properties)
    set_tests_properties(${ARGN} PROPERTIES
        ENVIRONMENT "WINEPREFIX=${KESTA_WINEPREFIX};KESTA_EXE=${CMAKE_BINARY_DIR}/kesta.exe;KESTA_SOURCE=${CMAKE_SOURCE_DIR}"
        RESOURCE_LOCK wineprefix)
endfunction()

# GoogleTest is built from source for Windows (Debian's googletest package puts it here).
set(KESTA_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH
    "GoogleTest's source tree, built for the Windows tests")
if(NOT EXISTS ${KESTA_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "no GoogleTest source in ${KESTA_GOOGLETEST_SOURCE}: install googletest "
        "or set KESTA_GOOGLETEST_SOURCE")
endif()
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${KESTA_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# tests/wine/*.cpp: each file is one GoogleTest program linked with the program's libraries and
# the importer's, and the resources, run as one test under Wine.
file(GLOB KESTA_WINE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*.cpp)
foreach(src ${KESTA_WINE_TESTS})
    get_filename_component(name ${src} NAME_WE)
    add_executable(wine_${name} ${src} ${KESTA_RC})
    kesta_test_includes(wine_${name})
    target_link_libraries(wine_${name} kesta_app kesta_importer gtest gtest_main psapi)
    add_dependencies(wine_${name} kesta)
    add_test(NAME wine_${name} COMMAND wine_${name})
    kesta_wine_test_properties(wine_${name})
    set_tests_properties(wine_${name} PROPERTIES TIMEOUT 600)
endforeach()

# The display-scaling test again in prefixes of their own at 150 % and 200 %, after the run at
# 96 DPI in the shared prefix, whose measurements they compare with.
set_tests_properties(wine_app_display_scale PROPERTIES FIXTURES_SETUP display_scale_96)
foreach(dpi 144 192)
    add_test(NAME wine_app_display_scale_${dpi}
        COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/display_scale.sh ${dpi}
            ${CMAKE_BINARY_DIR}/wineprefix-dpi${dpi} $<TARGET_FILE:wine_app_display_scale>)
    set_tests_properties(wine_app_display_scale_${dpi} PROPERTIES
        ENVIRONMENT "KESTA_EXE=${CMAKE_BINARY_DIR}/kesta.exe;KESTA_SOURCE=${CMAKE_SOURCE_DIR}"
        FIXTURES_REQUIRED display_scale_96 RESOURCE_LOCK wineprefix TIMEOUT 600)
endforeach()

# The settings dialog on desks shorter than it at 150 %, 175 % and 200 %.
foreach(size 144:1280x720 168:1920x1080 192:1920x1080)
    string(REPLACE ":" ";" parts ${size})
    list(GET parts 0 dpi)
    list(GET parts 1 screen)
    add_test(NAME wine_dialog_reach_${dpi}
        COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/display_scale.sh ${dpi}
            ${CMAKE_BINARY_DIR}/wineprefix-dpi${dpi} $<TARGET_FILE:wine_dialog_reach>)
    set_tests_properties(wine_dialog_reach_${dpi} PROPERTIES
        ENVIRONMENT "KESTA_EXE=${CMAKE_BINARY_DIR}/kesta.exe;KESTA_SOURCE=${CMAKE_SOURCE_DIR};KESTA_DPI_SCREEN=${screen}"
        RESOURCE_LOCK wineprefix TIMEOUT 300)
endforeach()

# The screensaver on two monitors, the primary on either side, on a display and in a prefix of
# its own; the test program alone (in the shared prefix, one monitor) skips its tests.
add_test(NAME wine_desks_two_monitors
    COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/desks.sh ${CMAKE_BINARY_DIR}/wineprefix-desks
        $<TARGET_FILE:wine_desks>)
set_tests_properties(wine_desks_two_monitors PROPERTIES
    ENVIRONMENT "KESTA_EXE=${CMAKE_BINARY_DIR}/kesta.exe;KESTA_SOURCE=${CMAKE_SOURCE_DIR}"
    RESOURCE_LOCK wineprefix TIMEOUT 300)

# The words dialog's text box again on a non-Japanese system, whose dialog font has no Japanese.
add_test(NAME wine_dialog_words_font_C
    COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/other_locale.sh C ${CMAKE_BINARY_DIR}/wineprefix-C
        $<TARGET_FILE:wine_dialog_words_font>)
set_tests_properties(wine_dialog_words_font_C PROPERTIES
    ENVIRONMENT "KESTA_EXE=${CMAKE_BINARY_DIR}/kesta.exe;KESTA_SOURCE=${CMAKE_SOURCE_DIR}"
    RESOURCE_LOCK wineprefix TIMEOUT 600)

# tests/wine/programs/*.cpp: helper programs of the Wine tests (drivers, probe DLLs, benchmarks),
# each built on its own; a subdirectory CMakeLists.txt there declares them.
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/wine/programs/CMakeLists.txt)
    add_subdirectory(${CMAKE_SOURCE_DIR}/tests/wine/programs ${CMAKE_BINARY_DIR}/programs)
endif()
