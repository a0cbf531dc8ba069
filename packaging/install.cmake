# Writes the launcher and the desktop entry for the prefix being installed to,
# then installs them, so that both name the installed program folder.
set(PROGRAM_DIR "${CMAKE_INSTALL_PREFIX}/lib/orvanta")
set(BIN_DIR "${CMAKE_INSTALL_PREFIX}/bin")
configure_file("${SOURCE_DIR}/orvanta.in" "${WORK_DIR}/orvanta" @ONLY)
configure_file("${SOURCE_DIR}/orvanta.desktop.in" "${WORK_DIR}/orvanta.desktop" @ONLY)
file(INSTALL "${WORK_DIR}/orvanta" DESTINATION "${BIN_DIR}"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                      WORLD_READ WORLD_EXECUTE)
file(INSTALL "${WORK_DIR}/orvanta.desktop"
     DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications")
