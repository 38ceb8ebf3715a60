# Packaging with cpack. The Windows build gives Quorvane-<version>-win64.zip,
# holding Quorvane.exe, quorvane-cli.exe and the README side by side, ready to
# unpack and run on a colleague's machine (the programs are linked
# statically). The native build gives a tarball of the command line.

if(WIN32)
  set(QUORVANE_PROGRAM_DESTINATION .)
  set(QUORVANE_README_DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "Quorvane-${PROJECT_VERSION}-win64")
else()
  include(GNUInstallDirs)
  set(QUORVANE_PROGRAM_DESTINATION ${CMAKE_INSTALL_BINDIR})
  set(QUORVANE_README_DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quorvane)
  set(CPACK_GENERATOR TGZ)
  set(CPACK_PACKAGE_FILE_NAME "Quorvane-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR}")
endif()

# The programs are installed once the whole tree is known, so that the
# dialog program is packaged whenever its target exists, wherever and
# whenever it is defined, and the package still builds without it.
function(quorvane_install_programs)
  foreach(program Quorvane quorvane-cli)
    if(TARGET ${program})
      install(TARGETS ${program} RUNTIME DESTINATION ${QUORVANE_PROGRAM_DESTINATION} COMPONENT Quorvane)
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL quorvane_install_programs)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${QUORVANE_README_DESTINATION} COMPONENT Quorvane)

set(CPACK_PACKAGE_NAME Quorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
# The files at the top of the archive: unpacking makes the folder.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# Only what Quorvane installs, not whatever a test dependency might.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Quorvane;Quorvane;/")
include(CPack)
