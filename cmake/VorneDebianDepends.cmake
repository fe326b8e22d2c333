# Read by cpack before it builds a package (CPACK_PROJECT_CONFIG_FILE). For the Debian package it
# fills the Depends field with what dpkg-shlibdeps finds for the installed binaries, as cpack's own
# CPACK_DEBIAN_PACKAGE_SHLIBDEPS would, but without the ldconfig calls cpack then adds for every
# library under /usr/lib: ours are private (/usr/lib/vorne), loaded by path, and need none.
if(CPACK_GENERATOR STREQUAL "DEB")
  file(STRINGS "${CPACK_VORNE_BINARIES_FILE}" binaries)
  set(work "${CPACK_PACKAGE_DIRECTORY}/_vorne_shlibdeps")
  file(REMOVE_RECURSE "${work}")
  file(MAKE_DIRECTORY "${work}/debian")
  file(WRITE "${work}/debian/control" "")
  execute_process(COMMAND dpkg-shlibdeps -O ${binaries}
    WORKING_DIRECTORY "${work}"
    OUTPUT_VARIABLE found ERROR_VARIABLE problems RESULT_VARIABLE status)
  file(REMOVE_RECURSE "${work}")
  if(NOT status EQUAL 0 OR NOT found MATCHES "shlibs:Depends=([^\n]*)")
    message(FATAL_ERROR "dpkg-shlibdeps found no dependencies of ${binaries}: ${problems}")
  endif()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
  if(CPACK_VORNE_EXTRA_DEPENDS)
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${CPACK_VORNE_EXTRA_DEPENDS}")
  endif()
endif()
