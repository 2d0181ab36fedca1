# Read by CPack for each generator: the archives hold the programs' folder itself, with
# docs/ and compiler/ in it; the .deb installs that folder under /opt/genera_scenario,
# moves the documentation to /usr/share/doc/genera-scenario/ and links both programs
# into /usr/bin (cmake/pacchetto_deb.cmake), and on removal takes away what a run as
# root wrote into the folder (cmake/postrm).
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX /opt/genera_scenario)
  set(CPACK_PRE_BUILD_SCRIPTS "${CPACK_SCENARIO_SORGENTI}/cmake/pacchetto_deb.cmake")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CPACK_SCENARIO_SORGENTI}/cmake/postrm")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()
