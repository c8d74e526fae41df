# Build helpers: one library per source folder, one test program per test folder.

# tavrix_library(<name> [QT_FREE] [RECURSE] [EXCLUDE <files>...] [SEPARATE <files>...]
#                 [DEPS <targets>...])
# Compiles every .cpp of the current folder (and its subfolders with RECURSE);
# SEPARATE files are kept out of the batches of the batched build.
# QT_FREE libraries must never reach Qt, directly or through a dependency:
# tavrix_check_qt_free() turns such a link into a configure error, and since
# Qt's include paths come only with Qt's targets, an #include of Qt fails to compile.
function(tavrix_library name)
  cmake_parse_arguments(L "QT_FREE;RECURSE" "" "EXCLUDE;SEPARATE;DEPS" ${ARGN})
  if(L_RECURSE)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  else()
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    file(GLOB headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  endif()
  foreach(excluded IN LISTS L_EXCLUDE)
    list(REMOVE_ITEM sources "${CMAKE_CURRENT_SOURCE_DIR}/${excluded}")
  endforeach()

  if(sources)
    # Headers are listed too, so that the meta-object compiler always sees them.
    add_library(${name} STATIC ${sources} ${headers})
    tavrix_batches(${name} "${sources}" "${L_SEPARATE}")
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src" "${PROJECT_BINARY_DIR}/generated")
    target_link_libraries(${name} PUBLIC ${L_DEPS})
    if(NOT L_QT_FREE)
      set_target_properties(${name} PROPERTIES AUTOMOC ON)
    endif()
  else()
    # Nothing built here yet: dependants still link the name.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}/src" "${PROJECT_BINARY_DIR}/generated")
    target_link_libraries(${name} INTERFACE ${L_DEPS})
  endif()
  if(L_QT_FREE)
    set_property(GLOBAL APPEND PROPERTY TAVRIX_QT_FREE_TARGETS ${name})
  endif()
endfunction()

# tavrix_batches(<target> <sources> [<separate files>])
# With TAVRIX_UNITY_BUILD, compiles the .cpp files of the target's folders in
# batches: per folder, in name order, split evenly into batches of at most
# TAVRIX_UNITY_BATCH_SIZE files (below 1: one batch per folder). The separate
# files (names in the current folder) are compiled on their own: their headers
# clash with a neighbour's.
function(tavrix_batches target sources separate)
  if(NOT TAVRIX_UNITY_BUILD)
    return()
  endif()
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  list(TRANSFORM separate PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/")
  list(REMOVE_ITEM sources ${separate})
  list(SORT sources)
  set(folders "")
  foreach(source IN LISTS sources)
    get_filename_component(folder "${source}" DIRECTORY)
    list(APPEND folders "${folder}")
  endforeach()
  list(REMOVE_DUPLICATES folders)
  foreach(folder IN LISTS folders)
    set(files "")
    foreach(source IN LISTS sources)
      get_filename_component(dir "${source}" DIRECTORY)
      if(dir STREQUAL folder)
        list(APPEND files "${source}")
      endif()
    endforeach()
    list(LENGTH files count)
    set(batches 1)
    if(TAVRIX_UNITY_BATCH_SIZE GREATER 0)
      math(EXPR batches "(${count} + ${TAVRIX_UNITY_BATCH_SIZE} - 1) / ${TAVRIX_UNITY_BATCH_SIZE}")
    endif()
    file(RELATIVE_PATH group "${PROJECT_SOURCE_DIR}" "${folder}")
    string(MAKE_C_IDENTIFIER "${group}" group)
    set(index 0)
    foreach(file IN LISTS files)
      math(EXPR batch "${index} * ${batches} / ${count}")
      set_source_files_properties("${file}" PROPERTIES UNITY_GROUP "${group}_${batch}")
      math(EXPR index "${index} + 1")
    endforeach()
  endforeach()
endfunction()

function(_tavrix_collect_links target out)
  set(seen ${${out}})
  if(target IN_LIST seen)
    return()
  endif()
  list(APPEND seen ${target})
  if(TARGET ${target})
    get_target_property(type ${target} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${target} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(iface ${target} INTERFACE_LINK_LIBRARIES)
    if(iface)
      list(APPEND links ${iface})
    endif()
    foreach(link IN LISTS links)
      _tavrix_collect_links("${link}" seen)
    endforeach()
  endif()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(tavrix_check_qt_free)
  get_property(targets GLOBAL PROPERTY TAVRIX_QT_FREE_TARGETS)
  foreach(target IN LISTS targets)
    set(closure "")
    _tavrix_collect_links(${target} closure)
    foreach(link IN LISTS closure)
      if(link MATCHES "^Qt[0-9]*::" OR link MATCHES "Qt6")
        message(FATAL_ERROR "${target} must not depend on Qt, but reaches ${link}")
      endif()
    endforeach()
  endforeach()
endfunction()

# tavrix_tests([QT] LIBS <targets>... [SEPARATE <files>...] [APART <files>...])
# The *_test.cpp files of the current folder build into one program,
# <area>_tests; files named *_threads_test.cpp build into <area>_threads_tests
# instead, whose tests carry the label "threads" and also run under
# ThreadSanitizer. A program per folder keeps the links few and lets the
# batched build compile the folder's tests together. CTest still runs every
# file as a test of its own, <area>_<file>: a process of the program that runs
# only that file's tests (see support/SourceSelection.h), so files stay apart
# and run in parallel. The file's name is also a build target that builds its
# program. SEPARATE files are compiled outside the batches (tavrix_batches);
# APART files build into a program of their own, named after the file: they
# test what the set-up the others share program-wide (a global test
# environment registered by a header) would change.
function(tavrix_tests)
  cmake_parse_arguments(T "QT" "" "LIBS;SEPARATE;APART" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp")
  file(RELATIVE_PATH area "${PROJECT_SOURCE_DIR}/tests" "${CMAKE_CURRENT_SOURCE_DIR}")
  string(REPLACE "/" "_" area "${area}")
  if(T_QT)
    set(libs ${T_LIBS} tavrix_qt_test_main)
  else()
    set(libs ${T_LIBS} tavrix_test_main)
  endif()
  foreach(file IN LISTS T_APART)
    set(source "${CMAKE_CURRENT_SOURCE_DIR}/${file}")
    list(REMOVE_ITEM sources "${source}")
    get_filename_component(stem ${file} NAME_WE)
    _tavrix_test_program(${area}_${stem} "${area}" "${source}" "${libs}" "")
  endforeach()
  set(threads ${sources})
  list(FILTER threads INCLUDE REGEX "_threads_test\\.cpp$")
  list(FILTER sources EXCLUDE REGEX "_threads_test\\.cpp$")
  _tavrix_test_program(${area}_tests "${area}" "${sources}" "${libs}" "${T_SEPARATE}")
  _tavrix_test_program(${area}_threads_tests "${area}" "${threads}" "${libs}" "${T_SEPARATE}")
endfunction()

# _tavrix_test_program(<program> <area> <sources> <libraries> <separate files>)
function(_tavrix_test_program program area sources libs separate)
  if(NOT sources)
    return()
  endif()
  add_executable(${program} ${sources})
  tavrix_batches(${program} "${sources}" "${separate}")
  # Apart from the program: a test that starts the terminal writes the
  # program folder's files beside its own executable.
  set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests/bin")
  target_link_libraries(${program} PRIVATE ${libs} tavrix_test_support GTest::gmock)
  # The repository's root, absolute: tests that read its files (the resources)
  # find them there, whatever path the compiler cache gave the source file.
  target_compile_definitions(${program} PRIVATE TAVRIX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  if(tavrix_qt_test_main IN_LIST libs)
    set_target_properties(${program} PROPERTIES AUTOMOC ON)
  endif()
  foreach(source IN LISTS sources)
    get_filename_component(file ${source} NAME)
    get_filename_component(stem ${source} NAME_WE)
    set(name "${area}_${stem}")
    add_test(NAME ${name} COMMAND ${program} --source=${file})
    set_tests_properties(${name} PROPERTIES
      TIMEOUT 300
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1;TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1")
    if(stem MATCHES "_threads_test$")
      # Threads tests mostly wait: started first, they wait while others run.
      set_tests_properties(${name} PROPERTIES LABELS threads COST 10)
      add_dependencies(threads_tests ${program})
    endif()
    if(NOT name STREQUAL program)
      add_custom_target(${name})
      add_dependencies(${name} ${program})
    endif()
  endforeach()
endfunction()
