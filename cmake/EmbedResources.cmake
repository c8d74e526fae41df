# Script mode: cmake -DROOT=<resources folder> -DOUTPUT=<file.cpp> -P EmbedResources.cmake
# Writes a C++ source holding every file under ROOT as a byte array, named by
# its path relative to ROOT, and the table gEmbeddedResources over them.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${ROOT}" "${ROOT}/*")
list(SORT files)

set(arrays "")
set(entries "")
set(index 0)
foreach(name IN LISTS files)
  file(READ "${ROOT}/${name}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  # Lines of 32 bytes; the trailing 0 keeps an empty file's array legal.
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){32})" "\\1\n" bytes "${bytes}")
  string(APPEND arrays "const unsigned char Resource${index}[] = {\n${bytes}0};\n")
  string(REPLACE "\\" "\\\\" cname "${name}")
  string(REPLACE "\"" "\\\"" cname "${cname}")
  string(APPEND entries "    {\"${cname}\", Resource${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()

set(text "// Generated from the files under resources/: do not edit.\n")
string(APPEND text "#include \"platform/Resources.h\"\n\n#include <span>\n\n")
if(index EQUAL 0)
  string(APPEND text "extern const std::span<const TEmbeddedResource> gEmbeddedResources;\n")
  string(APPEND text "const std::span<const TEmbeddedResource> gEmbeddedResources;\n")
else()
  string(APPEND text "namespace {\n\n${arrays}\nconst TEmbeddedResource Table[] = {\n${entries}};\n\n} // namespace\n\n")
  string(APPEND text "extern const std::span<const TEmbeddedResource> gEmbeddedResources;\n")
  string(APPEND text "const std::span<const TEmbeddedResource> gEmbeddedResources(Table);\n")
endif()

file(WRITE "${OUTPUT}.tmp" "${text}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
