# The layer check on two small trees made here: one whose includes all point down, which
# it must pass, and the same with one include planted upward, which it must refuse,
# naming that include. Run as `cmake -DCONTROLLO=<strati.cmake> -DLAVORO=<folder> -P`.
file(REMOVE_RECURSE "${LAVORO}")
foreach(cartella model loader compiler decoder driver tool)
  file(MAKE_DIRECTORY "${LAVORO}/${cartella}")
endforeach()
file(WRITE "${LAVORO}/model/a.h" "#pragma once\n")
file(WRITE "${LAVORO}/loader/b.cpp" "#include \"loader/b.h\"\n#include \"model/a.h\"\n")
file(WRITE "${LAVORO}/driver/c.cpp" "#include \"compiler/d.h\"\n#include <string>\n")
file(WRITE "${LAVORO}/tool/e.cpp" "#include \"model/a.h\"\n")
file(WRITE "${LAVORO}/decoder/g.cpp" "#include \"model/a.h\"\n")

execute_process(COMMAND ${CMAKE_COMMAND} -DRADICE=${LAVORO} -P ${CONTROLLO} RESULT_VARIABLE esito ERROR_VARIABLE testo)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "a tree whose includes all point down was refused:\n${testo}")
endif()

foreach(piantato "loader/b.cpp:driver/form1.h" "tool/e.cpp:driver/form1.h" "model/a.h:platform/x.h"
         "decoder/g.cpp:compiler/d.h")
  string(REPLACE ":" ";" parti "${piantato}")
  list(GET parti 0 file)
  list(GET parti 1 inclusione)
  file(READ "${LAVORO}/${file}" prima)
  file(APPEND "${LAVORO}/${file}" "#include \"${inclusione}\"\n")
  execute_process(COMMAND ${CMAKE_COMMAND} -DRADICE=${LAVORO} -P ${CONTROLLO} RESULT_VARIABLE esito ERROR_VARIABLE testo)
  if(esito EQUAL 0 OR NOT testo MATCHES "${file}: #include \"${inclusione}\"")
    message(FATAL_ERROR "the planted include ${inclusione} in ${file} was not refused by name:\n${testo}")
  endif()
  file(WRITE "${LAVORO}/${file}" "${prima}")
endforeach()
message(STATUS "the layer check passes a clean tree and refuses each planted include")
