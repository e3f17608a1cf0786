# Where `cmake --install` and the Debian package put each file: the programs
# in bin; the desktop entry, the AppStream file, the MIME package and the
# icons under the reverse-DNS application id, where the freedesktop
# specifications look for them; the manual pages; the help pages and the
# ready-made log formats in the program's data folder, share/dialtally.
include(GNUInstallDirs)

# The id is written once, in the code; the data files take it from there.
file(STRINGS ${PROJECT_SOURCE_DIR}/platform/ApplicationId.h DIALTALLY_APP_ID
     REGEX "ApplicationId = \"[^\"]+\"")
string(REGEX REPLACE ".*\"([^\"]+)\".*" "\\1" DIALTALLY_APP_ID "${DIALTALLY_APP_ID}")
set(DIALTALLY_DATADIR ${CMAKE_INSTALL_DATADIR}/dialtally)
set(DIALTALLY_LINUX_DIR ${PROJECT_SOURCE_DIR}/share/linux)

install(TARGETS dialtally dialtally-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/gui/help/ DESTINATION ${DIALTALLY_DATADIR}/help)
# The ready-made log formats, where LinuxFolders::DataFolder looks for them.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/formats/ DESTINATION ${DIALTALLY_DATADIR}/formats
        FILES_MATCHING PATTERN "*.log")

install(FILES ${PROJECT_SOURCE_DIR}/gui/dialtally.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${DIALTALLY_APP_ID}.desktop)
install(FILES ${DIALTALLY_LINUX_DIR}/${DIALTALLY_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${DIALTALLY_LINUX_DIR}/${DIALTALLY_APP_ID}.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# Icons: the window's SVG, and PNGs drawn from it for desktops that want
# bitmaps at the menu's and the task switcher's sizes.
find_program(DIALTALLY_RSVG_CONVERT rsvg-convert REQUIRED)
set(DIALTALLY_ICON ${PROJECT_SOURCE_DIR}/gui/icons/dialtally.svg)
set(DIALTALLY_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${DIALTALLY_ICON} DESTINATION ${DIALTALLY_ICON_DIR}/scalable/apps
        RENAME ${DIALTALLY_APP_ID}.svg)
set(DIALTALLY_DATA_FILES)
foreach(size 16 22 24 32 48 64 128 256)
    set(png ${PROJECT_BINARY_DIR}/icons/${size}x${size}/${DIALTALLY_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
        COMMAND ${DIALTALLY_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${DIALTALLY_ICON}
        DEPENDS ${DIALTALLY_ICON} VERBATIM)
    list(APPEND DIALTALLY_DATA_FILES ${png})
    install(FILES ${png} DESTINATION ${DIALTALLY_ICON_DIR}/${size}x${size}/apps)
endforeach()

# Manual pages, written in scdoc; the build turns them into troff.
find_program(DIALTALLY_SCDOC scdoc REQUIRED)
set(DIALTALLY_MAN_PAGES)
foreach(page dialtally dialtally-report)
    set(source ${PROJECT_BINARY_DIR}/man/${page}.1.scd)
    set(troff ${PROJECT_BINARY_DIR}/man/${page}.1)
    configure_file(${PROJECT_SOURCE_DIR}/share/man/${page}.1.scd ${source} @ONLY)
    add_custom_command(OUTPUT ${troff} ${troff}.gz
        COMMAND sh -c "\"$0\" < \"$1\" > \"$2\" && gzip -9nf -k \"$2\""
                ${DIALTALLY_SCDOC} ${source} ${troff}
        DEPENDS ${source} VERBATIM)
    list(APPEND DIALTALLY_DATA_FILES ${troff} ${troff}.gz)
    list(APPEND DIALTALLY_MAN_PAGES ${troff})
    install(FILES ${troff}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(dialtally_data ALL DEPENDS ${DIALTALLY_DATA_FILES})

# The desktop files pass their validators; the manual pages render without a
# warning and name every option that --help prints.
add_test(NAME desktop_files_validate
    COMMAND sh ${PROJECT_SOURCE_DIR}/tests/install/check-desktop-files.sh
            ${PROJECT_BINARY_DIR} ${DIALTALLY_APP_ID} ${PROJECT_VERSION})
add_test(NAME manual_pages_render
    COMMAND sh ${PROJECT_SOURCE_DIR}/tests/install/check-manual-pages.sh
            ${PROJECT_BINARY_DIR}/man $<TARGET_FILE:dialtally-report> $<TARGET_FILE:dialtally>)
