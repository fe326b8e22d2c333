# Install layout and the Debian package. Under PREFIX: bin/vorne and bin/vorne-desktop; the engine
# library and the runner's workbook and report modules in lib/vorne (the programs look beside
# themselves, then in ../lib/vorne); the manuals and the file layouts in share/vorne/doc (not
# share/doc, which minimal systems leave out); the examples in share/vorne/examples; the man pages;
# the copyright file and changelog in share/doc/vorne; and the desktop entry, icon and MIME type
# that let the file manager open ".vr6d" projects.
include(GNUInstallDirs)

install(TARGETS engine LIBRARY DESTINATION lib/vorne)
if(BUILD_APP)
  install(TARGETS engine_cli vorne_desktop RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The runner loads the workbook and report writers from the engine library's folder.
  install(TARGETS vorne_workbook vorne_report LIBRARY DESTINATION lib/vorne)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vorne/doc)

# The man pages and the changelog compressed as Debian wants them: gzip -9n, no name or time
# stored, so that the package is the same on every build.
find_program(VORNE_GZIP gzip REQUIRED)
set(packaging_out ${CMAKE_BINARY_DIR}/packaging)
# The Debian revision of the package of this upstream version, in the changelog and the package.
set(VORNE_DEBIAN_REVISION 1)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.Debian ${packaging_out}/changelog.Debian
  @ONLY)
set(compressed)
foreach(source packaging/vorne.1 packaging/vorne-desktop.1 ${packaging_out}/changelog.Debian)
  get_filename_component(name ${source} NAME)
  get_filename_component(input ${source} ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
  add_custom_command(OUTPUT ${packaging_out}/${name}.gz
    COMMAND ${VORNE_GZIP} -9nc ${input} > ${packaging_out}/${name}.gz
    DEPENDS ${input} VERBATIM)
  list(APPEND compressed ${packaging_out}/${name}.gz)
endforeach()
add_custom_target(vorne_compressed_docs ALL DEPENDS ${compressed})
install(FILES ${packaging_out}/vorne.1.gz ${packaging_out}/vorne-desktop.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${packaging_out}/changelog.Debian.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vorne)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME vorne)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vorne/examples
  FILES_MATCHING PATTERN "*.vr6d" PATTERN "*.cpt" PATTERN "*.py" PATTERN "README.md")
install(FILES ${PROJECT_SOURCE_DIR}/packaging/vorne.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/vorne.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/vorne-mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME vorne.xml)

# cpack -G DEB in a build tree gives vorne_<version>_<arch>.deb for /usr. The system's triggers
# refresh the MIME and desktop databases when it is installed.
set(VORNE_PACKAGE_CONTACT "VORNE developers <vorne@example.org>" CACHE STRING
  "Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorne)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${VORNE_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Axial capacity and short-term settlement of a single driven pile")
# Debian shows the description in 80 columns: keep every line shorter.
set(CPACK_PACKAGE_DESCRIPTION
  "Desktop program (vorne-desktop) and command-line runner (vorne) that compute\n\
the axial capacity of a driven pile by nine methods, its t-z and Q-w curves\n\
and its load-settlement curve, with graphs, an elevation view, spreadsheet\n\
export and a calculation report.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# A package with a Debian revision: its changelog is changelog.Debian.gz.
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VORNE_DEBIAN_REVISION})
# Stripped binaries, as Debian ships them; the private libraries in /usr/lib/vorne are loaded by
# path and need neither shlibs nor ldconfig.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The dependencies of the binaries come from dpkg-shlibdeps at packaging time (see
# VorneDebianDepends.cmake), plus the interpreter the Python module was built for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/VorneDebianDepends.cmake)
set(CPACK_VORNE_BINARIES_FILE ${CMAKE_BINARY_DIR}/packaging/binaries.txt)
set(package_binaries $<TARGET_FILE:engine>)
if(BUILD_APP)
  list(APPEND package_binaries $<TARGET_FILE:engine_cli> $<TARGET_FILE:vorne_desktop>
    $<TARGET_FILE:vorne_workbook> $<TARGET_FILE:vorne_report>)
endif()
if(TARGET _vorne)
  list(APPEND package_binaries $<TARGET_FILE:_vorne>)
endif()
list(JOIN package_binaries "\n" package_binaries)
file(GENERATE OUTPUT ${CPACK_VORNE_BINARIES_FILE} CONTENT "${package_binaries}\n")
set(CPACK_VORNE_EXTRA_DEPENDS "${VORNE_PYTHON_DEPENDS}")
# libqt6svg6: the plug-in that draws the desktop program's SVG icons (toolbar and window).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, python3-numpy, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "python3-pandas")
include(CPack)
