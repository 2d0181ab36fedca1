# Run by CPack for the .deb once the programs' folder is staged under /opt/genera_scenario,
# before the package is made: the documentation moves to the system's place for it,
# /usr/share/doc/genera-scenario/, and a link to it stays in the programs' folder, so
# that docs/ and compiler/ are beside the programs as in the archives; both programs get
# a link in /usr/bin, so they are on PATH while their folder stays the package's own.
set(radice "${CPACK_TEMPORARY_DIRECTORY}")
set(cartella "${radice}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(documenti_sistema "/usr/share/doc/${CPACK_PACKAGE_NAME}")
file(MAKE_DIRECTORY "${radice}${documenti_sistema}" "${radice}/usr/bin")
foreach(voce README.md docs compiler licenze)
  if(EXISTS "${cartella}/${voce}")
    file(RENAME "${cartella}/${voce}" "${radice}${documenti_sistema}/${voce}")
    if(IS_DIRECTORY "${radice}${documenti_sistema}/${voce}")
      file(CREATE_LINK "${documenti_sistema}/${voce}" "${cartella}/${voce}" SYMBOLIC)
    endif()
  endif()
endforeach()
foreach(programma genera_scenario scenario_tool)
  file(CREATE_LINK "${CPACK_PACKAGING_INSTALL_PREFIX}/${programma}" "${radice}/usr/bin/${programma}" SYMBOLIC)
endforeach()
