# `cmake --install build --prefix DIR` makes DIR a self-contained program folder: the program
# writes its settings and personal suggestions beside itself, so DIR must be one the user may
# write to (for example ~/Мирельта). A desktop launcher for it goes to the user's applications.
install(TARGETS mirelta mirelta-check mirelta-trace mirelta-flash-check RUNTIME DESTINATION .)
install(DIRECTORY ${MIRELTA_PROGRAM_DIR}/Text ${MIRELTA_PROGRAM_DIR}/Image
        ${MIRELTA_PROGRAM_DIR}/Sound ${MIRELTA_PROGRAM_DIR}/Iniaz ${MIRELTA_PROGRAM_DIR}/Site
        DESTINATION . OPTIONAL)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/documents/ DESTINATION . OPTIONAL)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/mirelta.png DESTINATION .)
install(CODE "set(MIRELTA_SOURCE \"${PROJECT_SOURCE_DIR}\")")
install(CODE [[
    set(MIRELTA_INSTALLED_FOLDER "${CMAKE_INSTALL_PREFIX}")
    configure_file("${MIRELTA_SOURCE}/data/mirelta.desktop.in"
                   "${CMAKE_INSTALL_PREFIX}/mirelta.desktop" @ONLY)
    if(DEFINED ENV{HOME} AND NOT DEFINED ENV{MIRELTA_NO_LAUNCHER})
        file(MAKE_DIRECTORY "$ENV{HOME}/.local/share/applications")
        file(COPY "${CMAKE_INSTALL_PREFIX}/mirelta.desktop"
             DESTINATION "$ENV{HOME}/.local/share/applications")
        message(STATUS "Launcher: $ENV{HOME}/.local/share/applications/mirelta.desktop")
    endif()
]])
