# What `cmake --install` puts where (GNUInstallDirs): the two programs, and under share/ the desktop entry,
# the MIME package, the AppStream metadata, the icons, the man pages, the bash, zsh and fish completions of
# quillory-cli and the copyright and changelog of the package. Other targets (the web-view plugin) bring
# their own rules.
include(GNUInstallDirs)

set(QUILLORY_APP_ID io.github.quillory.Quillory)
set(QUILLORY_SHARE ${PROJECT_SOURCE_DIR}/share)
set(QUILLORY_GENERATED ${PROJECT_BINARY_DIR}/share)
set(QUILLORY_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/quillory)  # the package's name, not the project's

install(TARGETS quillory-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET quillory)
  install(TARGETS quillory RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The metadata's release, and the changelog's entry, carry the project version and its release date.
configure_file(${QUILLORY_SHARE}/metainfo/${QUILLORY_APP_ID}.metainfo.xml.in
               ${QUILLORY_GENERATED}/metainfo/${QUILLORY_APP_ID}.metainfo.xml @ONLY)
execute_process(COMMAND date -u -R -d "${QUILLORY_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE QUILLORY_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE date_status)
if(NOT date_status EQUAL 0)
  message(FATAL_ERROR "date cannot read the release date '${QUILLORY_RELEASE_DATE}' (want YYYY-MM-DD)")
endif()
configure_file(${QUILLORY_SHARE}/doc/changelog.in ${QUILLORY_GENERATED}/doc/changelog @ONLY)

# Man pages and the changelog are installed compressed, as Debian wants them (-n: no name or time stamp).
set(compressed)
foreach(source IN ITEMS ${QUILLORY_SHARE}/man/quillory.1 ${QUILLORY_SHARE}/man/quillory-cli.1
                        ${QUILLORY_GENERATED}/doc/changelog)
  get_filename_component(name ${source} NAME)
  set(output ${QUILLORY_GENERATED}/gz/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLORY_GENERATED}/gz
    COMMAND gzip -9 -n -c ${source} > ${output}
    DEPENDS ${source} VERBATIM)
  list(APPEND compressed ${output})
endforeach()
add_custom_target(quillory_share ALL DEPENDS ${compressed})

install(FILES ${QUILLORY_SHARE}/applications/${QUILLORY_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUILLORY_SHARE}/mime/packages/${QUILLORY_APP_ID}.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${QUILLORY_GENERATED}/metainfo/${QUILLORY_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${QUILLORY_SHARE}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
        FILES_MATCHING PATTERN "*.png" PATTERN "*.svg")
install(FILES ${QUILLORY_GENERATED}/gz/quillory.1.gz ${QUILLORY_GENERATED}/gz/quillory-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${QUILLORY_SHARE}/bash-completion/quillory-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${QUILLORY_SHARE}/zsh/vendor-completions/_quillory-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES ${QUILLORY_SHARE}/fish/vendor_completions.d/quillory-cli.fish
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
install(FILES ${QUILLORY_SHARE}/doc/copyright ${QUILLORY_GENERATED}/gz/changelog.gz
        DESTINATION ${QUILLORY_DOCDIR})
