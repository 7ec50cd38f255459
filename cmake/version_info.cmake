# The program's version information, one source for both systems: compiled into the program
# on Linux (version.h), and on Windows written into each program's version resource, from
# which the program reads it as Windows programs do.
set(ZEB_INFO_PRODUCT "${PROJECT_NAME}")
set(ZEB_INFO_DESCRIPTION "Opens a workbook in LibreOffice Calc and offers its routines.")
set(ZEB_INFO_COMMENTS "ZEB drives LibreOffice Calc as an automation server.")
set(ZEB_INFO_COMPANY "The ZEB developers")
set(ZEB_INFO_COPYRIGHT "2026 The ZEB developers")
set(ZEB_INFO_TRADEMARKS "")

if(WIN32)
  # ZEB's icon, the about box's logo drawn at the sizes Windows shows.
  set(ZEB_ICON ${CMAKE_BINARY_DIR}/zeb.ico)
  set(icon_pngs "")
  foreach(size 16 24 32 48 64 256)
    list(APPEND icon_commands COMMAND ${CMAKE_SOURCE_DIR}/packaging/make_icon.sh ${size} ${CMAKE_BINARY_DIR}/icon-${size}.png)
    list(APPEND icon_pngs ${CMAKE_BINARY_DIR}/icon-${size}.png)
  endforeach()
  add_custom_command(OUTPUT ${ZEB_ICON} ${icon_commands}
    COMMAND convert ${icon_pngs} ${ZEB_ICON}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/make_icon.sh VERBATIM)
  add_custom_target(zeb_icon DEPENDS ${ZEB_ICON})

  # Gives the Windows program `target` its resources: the manifest (UTF-8 as its ANSI code
  # page, DPI-aware), ZEB's icon and its version information, `description` saying what this
  # program of ZEB's is.
  function(zeb_program_resources target description)
    set(ZEB_RC_DESCRIPTION "${description}")
    set(ZEB_RC_FILE "${target}.exe")
    configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/program.rc.in ${CMAKE_BINARY_DIR}/resources/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/resources/${target}.rc)
    set_source_files_properties(${CMAKE_BINARY_DIR}/resources/${target}.rc PROPERTIES
      OBJECT_DEPENDS "${ZEB_ICON};${CMAKE_SOURCE_DIR}/packaging/windows/program.manifest")
    add_dependencies(${target} zeb_icon)
  endfunction()
endif()
