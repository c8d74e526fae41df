# Fails when any C++ file of the project differs from what clang-format makes of it.
file(GLOB_RECURSE files "${ROOT}/src/*.cpp" "${ROOT}/src/*.h" "${ROOT}/tests/*.cpp" "${ROOT}/tests/*.h"
     "${ROOT}/bench/*.cpp" "${ROOT}/bench/*.h")
execute_process(COMMAND "${CLANG_FORMAT}" --dry-run --Werror ${files}
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Files not formatted (run clang-format -i on them):\n${errors}")
endif()
