# Native build: the logic's test suites and the benchmarks.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS
  tests/app/*.cpp tests/editor/*.cpp tests/catalogue/*.cpp tests/settings/*.cpp
  tests/support/*.cpp)
add_executable(qvr_tests ${NATIVE_TEST_SOURCES})
target_include_directories(qvr_tests PRIVATE tests)
target_link_libraries(qvr_tests PRIVATE qvr_memory GTest::gtest GTest::gtest_main)
target_compile_definitions(qvr_tests PRIVATE QVR_DATA_DIR="${CMAKE_SOURCE_DIR}/data")
gtest_discover_tests(qvr_tests WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 60)

# The control conformance suite against the memory control.
add_executable(qvr_conformance_memory
  tests/conformance/edit_control_conformance.cpp
  tests/conformance/memory_factory.cpp)
target_include_directories(qvr_conformance_memory PRIVATE tests)
target_link_libraries(qvr_conformance_memory PRIVATE qvr_memory GTest::gtest GTest::gtest_main)
gtest_discover_tests(qvr_conformance_memory TEST_PREFIX "memory." DISCOVERY_TIMEOUT 60)

find_package(benchmark QUIET)
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
if(benchmark_FOUND AND BENCH_SOURCES)
  add_executable(qvr_bench ${BENCH_SOURCES})
  target_include_directories(qvr_bench PRIVATE tests)
  target_link_libraries(qvr_bench PRIVATE qvr_memory benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(qvr_bench PRIVATE QVR_DATA_DIR="${CMAKE_SOURCE_DIR}/data")
endif()
