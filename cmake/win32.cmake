# Windows build: the editor and the Windows test programs, which CTest runs
# under Wine.
enable_language(RC)

file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
list(REMOVE_ITEM WIN32_SOURCES ${CMAKE_SOURCE_DIR}/src/platform/win32/main.cpp)
add_library(qvr_win32 STATIC ${WIN32_SOURCES})
target_link_libraries(qvr_win32 PUBLIC qvr_logic comctl32 comdlg32 shell32 gdi32 advapi32 ole32 uuid)

add_executable(qvrvse WIN32 src/platform/win32/main.cpp src/platform/win32/qvrvse.rc)
target_link_libraries(qvrvse PRIVATE qvr_win32)
# The control needs some kilobytes per line: a 10 MB script needs more than
# the 2 GB a 32-bit program gets by default, and fits in the 4 GB it may
# have on a 64-bit system.
if(QVR_WIN_ARCH STREQUAL "i686")
  target_link_options(qvrvse PRIVATE -Wl,--large-address-aware)
endif()
# windres finds the manifest through the include path, beside the version header.
configure_file(cmake/qvrvse.manifest.in ${CMAKE_BINARY_DIR}/generated/qvrvse.manifest @ONLY)
set_source_files_properties(src/platform/win32/qvrvse.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/src/platform/win32/qvrvse.ico;${CMAKE_BINARY_DIR}/generated/qvrvse.manifest;${CMAKE_BINARY_DIR}/generated/qvr_version.h")

# The data files travel with the program.
add_custom_command(TARGET qvrvse POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data $<TARGET_FILE_DIR:qvrvse>)

# The package: the program and its data in one folder, the same layout as the
# build folder, since the program looks for its data beside itself.
install(TARGETS qvrvse RUNTIME DESTINATION . COMPONENT editor)
install(DIRECTORY data/ DESTINATION . COMPONENT editor)
if(QVR_WIN_ARCH STREQUAL "x86_64")
  set(QVR_PACKAGE_SYSTEM win64)
else()
  set(QVR_PACKAGE_SYSTEM win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME qvrvse)
set(CPACK_PACKAGE_VENDOR "QVR Visual Script Editor team")
set(CPACK_PACKAGE_FILE_NAME qvrvse-${PROJECT_VERSION}-${QVR_PACKAGE_SYSTEM})
# Only the editor's own files: nothing a bundled library might install.
set(CPACK_COMPONENTS_ALL editor)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)

option(QVR_WIN32_TESTS "Build the Windows test programs" ON)
if(QVR_WIN32_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  add_executable(qvr_conformance_win32
    tests/conformance/edit_control_conformance.cpp
    tests/conformance/win32_factory.cpp)
  target_include_directories(qvr_conformance_win32 PRIVATE tests)
  target_link_libraries(qvr_conformance_win32 PRIVATE qvr_win32 gtest gtest_main)
  add_test(NAME win32.conformance COMMAND qvr_conformance_win32)

  file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/win32/*.cpp)
  if(WIN32_TEST_SOURCES)
    add_executable(qvr_win32_tests ${WIN32_TEST_SOURCES})
    target_include_directories(qvr_win32_tests PRIVATE tests)
    target_link_libraries(qvr_win32_tests PRIVATE qvr_win32 gtest gtest_main)
    target_compile_definitions(qvr_win32_tests PRIVATE QVR_DATA_DIR="${CMAKE_SOURCE_DIR}/data")
    add_test(NAME win32.app COMMAND qvr_win32_tests)
    # Printing end to end needs the test command's print server; the script
    # runs the printing test itself and reads the PDFs back.
    add_test(NAME win32.print COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win32/print_pdf_test.sh
             $<TARGET_FILE:qvr_win32_tests>)
    # Stands in for the engine's compiler in the syntax check test; never shipped.
    add_executable(qvr_fake_compiler tests/win32/stand_ins/fake_compiler.cpp)
    add_dependencies(qvr_win32_tests qvr_fake_compiler)
    # Opens a script through its registered file type, for the installer check.
    add_executable(qvr_open_like_explorer tests/win32/stand_ins/open_like_explorer.cpp)
    target_link_libraries(qvr_open_like_explorer PRIVATE advapi32)
    # A message box nobody answers would otherwise hold the run until CI
    # gives up on it.
    set_tests_properties(win32.conformance win32.app win32.print PROPERTIES TIMEOUT 600)
  endif()
endif()

# Timings on the real controls; run by hand under Wine from the build folder.
add_executable(qvr_perf_win32 bench/win32/perf_win32.cpp)
target_link_libraries(qvr_perf_win32 PRIVATE qvr_win32 psapi)
# The editor's own address space, so its largest scripts open here too.
if(QVR_WIN_ARCH STREQUAL "i686")
  target_link_options(qvr_perf_win32 PRIVATE -Wl,--large-address-aware)
endif()
