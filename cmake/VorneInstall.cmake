# Install layout and the Debian package. Under PREFIX: bin/vorne and bin/vorne-desktop; the engine
# library and the runner's workbook and report modules in lib/vorne (the programs look beside themselves, then
# in ../lib/vorne); the manuals and the file layouts in share/doc/vorne; the examples in
# share/vorne/examples; and the desktop entry, icon and MIME type that let the file manager open
# ".vr6d" projects.
include(GNUInstallDirs)

install(TARGETS engine LIBRARY DESTINATION lib/vorne)
if(BUILD_APP)
  install(TARGETS engine_cli vorne_desktop RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The runner loads the workbook and report writers from the engine library's folder.
  install(TARGETS vorne_workbook vorne_report LIBRARY DESTINATION lib/vorne)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vorne)
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
set(CPACK_PACKAGE_DESCRIPTION
  "Desktop program (vorne-desktop) and command-line runner (vorne) that compute the axial\n\
capacity of a driven pile by nine methods, its t-z and Q-w curves and its load-settlement\n\
curve, with graphs, an elevation view and spreadsheet export.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
include(CPack)
