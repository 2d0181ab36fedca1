# The layers of the code, checked: a file may include the headers of its own layer and
# of the layers below it, never one above (nor, for the two programs, the other
# program's). Run as `cmake -DRADICE=<source folder> -P strati.cmake`; it fails naming
# every include that points upward.
#
# From the bottom: the vocabulary, the system, reading the sources, then compiling
# beside reading the compiled files and the reference of the codes (none of the three
# may use another), the built-in texts beside drawing, the view, the language server,
# then the two programs side by side.
set(strato_model 0)
set(strato_platform 1)
set(strato_loader 2)
set(strato_compiler 3)
set(strato_decoder 3)
set(strato_reference 3)
set(strato_sources 4)
set(strato_documents 4)
set(strato_drawing 4)
set(strato_view 5)
set(strato_lsp 6)
set(strato_driver 7)
set(strato_tool 7)
# Folders of one layer: the texts are one layer in two folders.
set(gruppo_sources testi)
set(gruppo_documents testi)

if(NOT RADICE)
  message(FATAL_ERROR "strati.cmake: RADICE, the source folder, is needed")
endif()
set(sbagli "")
foreach(cartella model platform loader compiler decoder reference sources documents drawing view lsp driver tool)
  file(GLOB file_cartella "${RADICE}/${cartella}/*.h" "${RADICE}/${cartella}/*.cpp")
  foreach(file ${file_cartella})
    file(STRINGS "${file}" inclusioni REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/")
    foreach(riga ${inclusioni})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z_]+)/.*$" "\\1" altra "${riga}")
      if(NOT DEFINED strato_${altra} OR altra STREQUAL cartella)
        continue()
      endif()
      set(stesso_gruppo FALSE)
      if(DEFINED gruppo_${cartella} AND "${gruppo_${cartella}}" STREQUAL "${gruppo_${altra}}")
        set(stesso_gruppo TRUE)
      endif()
      if(strato_${altra} LESS strato_${cartella} OR stesso_gruppo)
        continue()
      endif()
      file(RELATIVE_PATH nome "${RADICE}" "${file}")
      string(STRIP "${riga}" riga)
      string(APPEND sbagli "\n  ${nome}: ${riga}")
    endforeach()
  endforeach()
endforeach()
if(sbagli)
  message(FATAL_ERROR "Includes of a layer above the file's own:${sbagli}")
endif()
