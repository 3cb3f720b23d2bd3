# The install layout (GNUInstallDirs): the program, its translation files and
# licence text, and what a desktop needs to list and start it: the menu entry,
# the icon (SVG, and PNG renderings made at build time), the AppStream
# metainfo, the manual page and the package's documentation folder.
include(GNUInstallDirs)

# Installed folders and files are world-readable whatever the builder's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(lumivane_desktop_source "${PROJECT_SOURCE_DIR}/resources/desktop")
set(lumivane_desktop_build "${CMAKE_BINARY_DIR}/desktop")
set(lumivane_share "${CMAKE_INSTALL_DATADIR}/lumivane")
set(lumivane_doc "${CMAKE_INSTALL_DATADIR}/doc/lumivane")

# The icon's PNG renderings, through Qt's own SVG renderer.
add_executable(lumivane_render_icon "${lumivane_desktop_source}/RenderIcon.cpp")
target_link_libraries(lumivane_render_icon PRIVATE Qt6::Gui Qt6::Svg)
lumivane_set_warnings(lumivane_render_icon)
set(lumivane_desktop_outputs)
foreach(size 48 128)
  set(png "${lumivane_desktop_build}/icons/${size}x${size}/lumivane.png")
  add_custom_command(OUTPUT "${png}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${lumivane_desktop_build}/icons/${size}x${size}"
    COMMAND lumivane_render_icon "${lumivane_desktop_source}/lumivane.svg" ${size} "${png}"
    DEPENDS lumivane_render_icon "${lumivane_desktop_source}/lumivane.svg"
    COMMENT "Rendering the ${size} px icon"
    VERBATIM)
  list(APPEND lumivane_desktop_outputs "${png}")
  install(FILES "${png}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()

# Who maintains the package: the name, and an e-mail address when the builder
# gives one (Debian's DEBEMAIL by default). Package tools require the address.
set(LUMIVANE_PACKAGE_CONTACT "$ENV{DEBEMAIL}" CACHE STRING
  "E-mail address of the package's maintainer (default: $DEBEMAIL)")
set(LUMIVANE_PACKAGE_MAINTAINER "The Lumivane developers")
if(LUMIVANE_PACKAGE_CONTACT)
  string(APPEND LUMIVANE_PACKAGE_MAINTAINER " <${LUMIVANE_PACKAGE_CONTACT}>")
endif()
configure_file("${lumivane_desktop_source}/changelog.in" "${lumivane_desktop_build}/changelog"
  @ONLY)

# Manual page and change log compressed, without a time stamp (-n), as
# Debian packages carry them.
find_program(LUMIVANE_GZIP gzip REQUIRED)
foreach(pair "${PROJECT_SOURCE_DIR}/docs/lumivane.1|lumivane.1.gz"
             "${lumivane_desktop_build}/changelog|changelog.gz")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 name)
  add_custom_command(OUTPUT "${lumivane_desktop_build}/${name}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${lumivane_desktop_build}"
    COMMAND sh -c "\"$1\" -9nc \"$2\" > \"$3\"" sh "${LUMIVANE_GZIP}" "${source}"
            "${lumivane_desktop_build}/${name}"
    DEPENDS "${source}"
    COMMENT "Compressing ${name}"
    VERBATIM)
  list(APPEND lumivane_desktop_outputs "${lumivane_desktop_build}/${name}")
endforeach()
add_custom_target(lumivane_desktop_files ALL DEPENDS ${lumivane_desktop_outputs})

# The package's copyright file: who holds it, then the licence when the
# source tree has one.
set(lumivane_copyright "Lumivane\n\nCopyright (C) 2026 The Lumivane developers\n")
if(EXISTS "${PROJECT_SOURCE_DIR}/LICENSE")
  file(READ "${PROJECT_SOURCE_DIR}/LICENSE" lumivane_license)
  string(APPEND lumivane_copyright "\n${lumivane_license}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/LICENSE")
endif()
file(CONFIGURE OUTPUT "${lumivane_desktop_build}/copyright" CONTENT "${lumivane_copyright}"
  @ONLY)

install(TARGETS lumivane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY resources/Languages DESTINATION "${lumivane_share}")
# The licence text the program shows (Welcome and About windows).
if(EXISTS "${PROJECT_SOURCE_DIR}/resources/EULA.TXT")
  install(FILES "${PROJECT_SOURCE_DIR}/resources/EULA.TXT" DESTINATION "${lumivane_share}")
endif()
install(FILES "${lumivane_desktop_source}/lumivane.desktop"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${lumivane_desktop_source}/lumivane.metainfo.xml"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${lumivane_desktop_source}/lumivane.svg"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${lumivane_desktop_build}/lumivane.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${lumivane_desktop_build}/copyright" "${lumivane_desktop_build}/changelog.gz"
  DESTINATION "${lumivane_doc}")
