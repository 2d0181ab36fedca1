# Read by CPack for each generator: the .deb installs under /opt/genera_scenario, the
# archives hold the programs' folder itself.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX /opt/genera_scenario)
endif()
