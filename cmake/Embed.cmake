# Writes a C++ source that registers files as embedded resources:
#   cmake -DOUTPUT=out.cpp -DFUNCTION=RegisterAppResources -DROOT=<dir> -DFILES="a|b" -P Embed.cmake
# Each file becomes a byte array, registered under its path relative to ROOT by FUNCTION(); the
# registry keeps the arrays where they are, in the program image.

string(REPLACE "|" ";" FILES "${FILES}")
set(body "")
set(calls "")
set(index 0)
foreach(file IN LISTS FILES)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  # Break the array into lines of 32 bytes so compilers and diffs stay comfortable.
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){32})" "\\1\n" bytes "${bytes}")
  file(RELATIVE_PATH name "${ROOT}" "${file}")
  string(APPEND body "const unsigned char kResource${index}[] = {\n${bytes}0};\n")
  string(APPEND calls "  framework::RegisterStaticResource(\"${name}\", std::span<const uint8_t>(kResource${index}, ${size}));\n")
  math(EXPR index "${index} + 1")
endforeach()

file(WRITE "${OUTPUT}.tmp" "// Generated from the files it names; do not edit.\n#include <cstdint>\n#include <span>\n\n#include \"framework/classes/FormReader.h\"\n\nnamespace {\n\n${body}\n}  // namespace\n\nvoid ${FUNCTION}() {\n${calls}}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
