# zr35_folder_library(<target> [FOLDERS <subfolders...>] DEPS <targets...>)
# One static library per source folder, made of every .cpp/.h/.qrc in that folder (not below it);
# FOLDERS names the subfolders of the calling folder that make one unit together instead.
# A folder that has no sources yet gives an interface library, so dependants link it all the same.
function(zr35_folder_library target)
  cmake_parse_arguments(ARG "" "" "FOLDERS;DEPS" ${ARGN})
  if(NOT ARG_FOLDERS)
    set(ARG_FOLDERS ".")
  endif()
  set(sources "")
  set(headers "")
  foreach(folder IN LISTS ARG_FOLDERS)
    file(GLOB folder_sources CONFIGURE_DEPENDS
         "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.qrc")
    file(GLOB folder_headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h")
    list(APPEND sources ${folder_sources})
    list(APPEND headers ${folder_headers})
  endforeach()
  if(sources)
    add_library(${target} STATIC ${sources} ${headers})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
    zr35_autogen_follows_sources(${target} ${sources} ${headers})
  else()
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# With Ninja, moc does not run again when a globbed file joins a target (its step depends only on
# the files it parsed last time), so a new Q_OBJECT header would link without its meta-object.
# When the target's list of files changes, dropping the step's timestamp makes it run again.
function(zr35_autogen_follows_sources target)
  list(SORT ARGN)
  set(listing_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_files.txt")
  set(old "")
  if(EXISTS "${listing_file}")
    file(READ "${listing_file}" old)
  endif()
  if(NOT old STREQUAL "${ARGN}")
    file(WRITE "${listing_file}" "${ARGN}")
    file(REMOVE "${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp")
  endif()
endfunction()

# zr35_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One QtTest executable; ctest runs it on the offscreen platform. Each test makes its own
# temporary HOME (tests/support/testmain.h), so tests may run in parallel.
function(zr35_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE zr35_testsupport ${ARG_LIBS} Qt5::Test)
  target_compile_definitions(${name} PRIVATE ZR35_TEST_APP_DIR="${ZR35_APP_DIR}"
                             ZR35_TEST_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}"
                             ZR35_BINARY_DIR="${CMAKE_BINARY_DIR}")
  # Tests read the app folder as shipped, pictures and firmware images included.
  add_dependencies(${name} zr35_pictures zr35_firmware)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZR35_DEVICES=;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  # The test learns its limit (tests/support/timelimit.h) once its folder is read, so that a
  # TIMEOUT the folder sets after this call counts. (A deferred call reads its variables when it
  # runs: the name goes in as text.)
  cmake_language(EVAL CODE "cmake_language(DEFER CALL zr35_pass_test_timeout [[${name}]])")
endfunction()

function(zr35_pass_test_timeout name)
  get_test_property(${name} TIMEOUT timeout)
  if(timeout)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "ZR35_TEST_TIMEOUT=${timeout}")
  endif()
endfunction()

# zr35_folder_tests(LIBS <targets...>)
# Every tst_<name>.cpp in the calling folder becomes the test executable tst_<name>, linked with
# LIBS. The folder's other .cpp files are its fixtures, linked into each of its tests.
function(zr35_folder_tests)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp")
  file(GLOB fixtures CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  list(FILTER fixtures EXCLUDE REGEX "/tst_[^/]*\\.cpp$")
  set(libs ${ARG_LIBS})
  if(fixtures)
    string(MD5 fixture_hash "${CMAKE_CURRENT_SOURCE_DIR}")
    set(fixture_lib "zr35_fixtures_${fixture_hash}")
    file(GLOB fixture_headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
    add_library(${fixture_lib} STATIC ${fixtures} ${fixture_headers})
    zr35_autogen_follows_sources(${fixture_lib} ${fixtures} ${fixture_headers})
    target_link_libraries(${fixture_lib} PUBLIC zr35_testsupport ${ARG_LIBS} Qt5::Test)
    target_compile_definitions(${fixture_lib} PRIVATE ZR35_TEST_APP_DIR="${ZR35_APP_DIR}"
                               ZR35_TEST_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}"
                               ZR35_BINARY_DIR="${CMAKE_BINARY_DIR}")
    list(PREPEND libs ${fixture_lib})
  endif()
  foreach(file IN LISTS tests)
    get_filename_component(name "${file}" NAME_WE)
    zr35_add_test(${name} SOURCES "${file}" LIBS ${libs})
  endforeach()
endfunction()
