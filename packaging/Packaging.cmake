# Installation as Debian users expect it, and the .deb that CPack makes of it (cpack -G DEB;
# scripts/check-package builds and checks it). Included at the end of the top-level
# CMakeLists.txt, after every program's folder, so that `if(TARGET velmora)` sees the wizard.
#
# The programs install themselves into bin/ (cli/, ui/) and the navigation pictures into
# share/velmora/images (data/); this adds the man pages, the desktop entry, the icon, the
# AppStream metainfo and the Debian documentation files.
include(GNUInstallDirs)

set(VELMORA_APP_ID org.velmora.Velmora)
set(VELMORA_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(VELMORA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/velmora)

# Debian keeps man pages and changelogs compressed, without a time stamp in the gzip header.
function(velmora_gzip source destination_dir)
    get_filename_component(name ${source} NAME)
    set(output ${PROJECT_BINARY_DIR}/packaging/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND sh -c "gzip -9nc '${source}' > '${output}'"
        DEPENDS ${source}
        VERBATIM)
    string(MAKE_C_IDENTIFIER ${name} target)
    add_custom_target(velmora_gzip_${target} ALL DEPENDS ${output})
    install(FILES ${output} DESTINATION ${destination_dir})
endfunction()

velmora_gzip(${VELMORA_PACKAGING_DIR}/velmora-build.1 ${CMAKE_INSTALL_MANDIR}/man1)
velmora_gzip(${VELMORA_PACKAGING_DIR}/changelog ${VELMORA_DOC_DIR})
install(FILES ${VELMORA_PACKAGING_DIR}/copyright DESTINATION ${VELMORA_DOC_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/examples/harbor-lane/state.json ${PROJECT_SOURCE_DIR}/examples/harbor-lane/soap-box.jpg
    DESTINATION ${VELMORA_DOC_DIR}/examples/harbor-lane)

# The wizard (ui/, target velmora) installs itself; what a desktop needs to show and start it
# comes with it. Until its folder is part of the build, the package holds velmora-build alone.
set(VELMORA_ICON_SIZES 16 32 48 64 128 256)
if(TARGET velmora)
    velmora_gzip(${VELMORA_PACKAGING_DIR}/velmora.1 ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${VELMORA_PACKAGING_DIR}/${VELMORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${VELMORA_PACKAGING_DIR}/${VELMORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size ${VELMORA_ICON_SIZES})
        set(icon ${PROJECT_SOURCE_DIR}/data/pictures/icon-${size}.png)
        if(EXISTS ${icon})
            install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${VELMORA_APP_ID}.png)
        endif()
    endforeach()
endif()

# The .deb: its library dependencies are read off the programs (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT "The Velmora developers <developers@velmora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "wizard that builds a small sales web site for one product")
set(CPACK_PACKAGE_DESCRIPTION [[
Velmora builds a ready-made sales web site for one product: the owner types
the texts, picks a picture and a design, and CREATE writes seven linked pages
and their pictures into one folder, ready to preview, upload by FTP and
announce. velmora-build writes the same site from a state or profile file
without a window.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
if(TARGET velmora)
    # Qt finds its window-system plugins at run time, so no library dependency names them.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
