# Writes the catalogue files into a C++ source as byte arrays, so the program never reads them
# at run time. Called at build time: cmake -DENGLISH=... -DGERMAN=... -DOUTPUT=... -P this file.

function(fe_catalogue_array var file out)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  # Break the initialiser into lines of 32 bytes to keep the generated file readable.
  string(REGEX REPLACE "((0x..,){32})" "\\1\n    " bytes "${bytes}")
  set(${out} "// From ${file}\nconstexpr unsigned char ${var}[] = {\n    ${bytes}0x00};\n" PARENT_SCOPE)
endfunction()

fe_catalogue_array(kEnglish "${ENGLISH}" english)
fe_catalogue_array(kGerman "${GERMAN}" german)

set(content "// Generated from the catalogue files at build time; do not edit.
#include \"i18n/catalogues.h\"

namespace fe::catalogues {
namespace {

${english}
${german}
}  // namespace

// Each array carries one trailing zero byte, which is not part of the text.
std::string_view english_source() { return {reinterpret_cast<const char*>(kEnglish), sizeof(kEnglish) - 1}; }
std::string_view german_source() { return {reinterpret_cast<const char*>(kGerman), sizeof(kGerman) - 1}; }

}  // namespace fe::catalogues
")

# Leave the file untouched when nothing changed, so dependants are not rebuilt.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" previous)
  if(previous STREQUAL content)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${content}")
