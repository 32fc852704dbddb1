# Fuzz build (clang, -DQVR_FUZZ=ON): one libFuzzer program per parser or
# transfer in tests/fuzz, with AddressSanitizer and UndefinedBehaviorSanitizer.
# Each CTest case replays the target's checked-in corpus, then makes a fixed
# number of new runs from a fixed seed, so the step is short and repeatable.
set(QVR_FUZZ_RUNS 4000 CACHE STRING "New inputs each fuzz target tries in the test command")
set(QVR_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
foreach(lib qvr_logic qvr_memory)
  target_compile_options(${lib} PRIVATE ${QVR_SANITIZE} -fsanitize=fuzzer-no-link -g)
endforeach()

file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS tests/fuzz/*_fuzz.cpp)
foreach(source ${FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" target ${name})
  add_executable(fuzz_${target} ${source})
  target_include_directories(fuzz_${target} PRIVATE tests)
  target_compile_options(fuzz_${target} PRIVATE ${QVR_SANITIZE} -fsanitize=fuzzer -g)
  target_link_options(fuzz_${target} PRIVATE ${QVR_SANITIZE} -fsanitize=fuzzer)
  target_link_libraries(fuzz_${target} PRIVATE qvr_memory)
  # New finds go to a scratch folder, never into the checked-in corpus.
  set(scratch ${CMAKE_BINARY_DIR}/found/${target})
  file(MAKE_DIRECTORY ${scratch} ${CMAKE_BINARY_DIR}/crashes)
  add_test(NAME fuzz.${target}
    COMMAND fuzz_${target} -runs=${QVR_FUZZ_RUNS} -seed=1 -max_len=4096 -timeout=20 -rss_limit_mb=2048
            -artifact_prefix=${CMAKE_BINARY_DIR}/crashes/${target}- -print_final_stats=0
            ${scratch} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${target})
endforeach()
