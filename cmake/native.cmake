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

# The in-memory profile stands in for the private-profile functions in native tests and fuzzing.
add_library(kesta_core STATIC ${KESTA_CORE_SOURCES} ${CMAKE_SOURCE_DIR}/settings/profile_memory.cpp)
if(KESTA_FUZZ)
    # Coverage for libFuzzer in the core itself, not only in the fuzz targets.
    target_compile_options(kesta_core PRIVATE -fsanitize=fuzzer-no-link)
endif()

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB KESTA_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(kesta_native_tests ${KESTA_NATIVE_TESTS})
target_link_libraries(kesta_native_tests kesta_core GTest::gtest_main)
target_compile_definitions(kesta_native_tests PRIVATE KESTA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(kesta_native_tests DISCOVERY_TIMEOUT 60)

if(KESTA_FUZZ)
    file(GLOB KESTA_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
    foreach(src ${KESTA_FUZZERS})
        get_filename_component(name ${src} NAME_WE)
        add_executable(${name} ${src})
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_libraries(${name} kesta_core)
    endforeach()
endif()

if(KESTA_BENCH)
    find_package(benchmark REQUIRED)
    file(GLOB KESTA_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*.cpp)
    foreach(src ${KESTA_BENCHES})
        get_filename_component(name ${src} NAME_WE)
        add_executable(${name} ${src})
        target_link_libraries(${name} kesta_core benchmark::benchmark_main)
    endforeach()
endif()
