# Native build of the platform-free core, tested with GoogleTest under ASan and UBSan.
option(KESTA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
option(KESTA_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
option(KESTA_BENCH "Build the Google Benchmark programs" OFF)

if(KESTA_SANITIZE)
    set(KESTA_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_compile_options(${KESTA_SAN_FLAGS})
    add_link_options(${KESTA_SAN_FLAGS})
endif()

kesta_all_layers()
if(KESTA_FUZZ)
    # Edge coverage only in the fitter: tracing every comparison of its raster and geometry
    # loops would cost most of a fuzz run's time.
    set(fitter fit.cpp rounding.cpp contour_limits.cpp point_budget.cpp repair.cpp seams.cpp
        optimise.cpp masks.cpp geometry.cpp raster.cpp)
    list(TRANSFORM fitter PREPEND ${CMAKE_SOURCE_DIR}/fitter/)
    set_source_files_properties(${fitter}
        PROPERTIES COMPILE_OPTIONS -fno-sanitize-coverage=trace-cmp)
endif()

# The in-memory profile (tests/support/) stands in for the private-profile functions in native
# tests, fuzzing and benchmarks; its object is linked straight into each of those programs.
add_library(kesta_profile_memory OBJECT ${CMAKE_SOURCE_DIR}/tests/support/profile_memory.cpp)
kesta_test_includes(kesta_profile_memory)
target_compile_definitions(kesta_profile_memory PRIVATE KESTA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
if(KESTA_FUZZ)
    target_compile_options(kesta_profile_memory PRIVATE -fsanitize=fuzzer-no-link)
endif()

# A native test, fuzz or benchmark program: every platform-free library and the in-memory
# profile.
function(kesta_native_program target)
    kesta_test_includes(${target})
    target_link_libraries(${target} kesta_profile_memory kesta_dialog kesta_importer
                          kesta_figurefile kesta_glyphs kesta_fitter kesta_render kesta_saver
                          kesta_figures kesta_settings)
endfunction()

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB KESTA_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(kesta_native_tests ${KESTA_NATIVE_TESTS})
kesta_native_program(kesta_native_tests)
target_link_libraries(kesta_native_tests GTest::gtest_main)
target_compile_definitions(kesta_native_tests PRIVATE KESTA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(kesta_native_tests DISCOVERY_TIMEOUT 60)

if(KESTA_FUZZ)
    file(GLOB KESTA_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
    foreach(src ${KESTA_FUZZERS})
        get_filename_component(name ${src} NAME_WE)
        add_executable(${name} ${src})
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        kesta_native_program(${name})
    endforeach()
endif()

if(KESTA_BENCH)
    find_package(benchmark REQUIRED)
    file(GLOB KESTA_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*.cpp)
    foreach(src ${KESTA_BENCHES})
        get_filename_component(name ${src} NAME_WE)
        add_executable(${name} ${src})
        kesta_native_program(${name})
        target_link_libraries(${name} benchmark::benchmark_main)
    endforeach()
endif()
