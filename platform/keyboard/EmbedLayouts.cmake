# Turns each layout data file into a byte array in one generated source file,
# so the keyboard's layouts travel inside the platform library.
# Called with -DOUTPUT=<file.cpp> -DINPUTS=<file1;file2;...>.
set(entries "")
set(arrays "")
set(index 0)
foreach(input ${INPUTS})
  get_filename_component(name ${input} NAME)
  file(READ ${input} content HEX)
  string(LENGTH "${content}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${content}")
  string(APPEND arrays "const unsigned char layoutFile${index}[] = { ${bytes} };\n")
  string(APPEND entries "    { \"${name}\", { reinterpret_cast<const char*>(layoutFile${index}), ${size} } },\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.tmp
"// Generated from platform/keyboard/layouts by EmbedLayouts.cmake; do not edit.
#include \"platform/keyboard/EmbeddedLayouts.h\"

namespace {
${arrays}
const EmbeddedLayoutFile files[] = {
${entries}};
} // namespace

std::span<const EmbeddedLayoutFile> embeddedLayoutFiles()
{
    return files;
}
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
