# The help pages, written for the system the build is for: the same three pages, with that
# system's way to install LibreOffice, to reach a browser, and its spelling of paths. They are
# made in ${ZEB_HELP_DIR}, from which the program folder and the packages take them.
set(ZEB_HELP_DIR ${CMAKE_BINARY_DIR}/Help)
if(WIN32)
  set(HELP_SAMPLE "samples\\Sample.ods")
  set(HELP_INSTALL_OFFICE "Install it from <code>www.libreoffice.org</code> and start ZEB again; if it is
installed already, start LibreOffice once, then ZEB.")
  set(HELP_BROWSER "Make sure a web browser is installed and chosen as the default app for web pages
(Settings › Apps › Default apps).")
else()
  set(HELP_SAMPLE "samples/Sample.ods")
  set(HELP_INSTALL_OFFICE "Install it (on Debian: <code>sudo apt install libreoffice-calc</code>) and start ZEB
again.")
  set(HELP_BROWSER "Install <code>xdg-utils</code>.")
endif()
file(GLOB help_sources RELATIVE ${CMAKE_SOURCE_DIR}/Help CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Help/*)
foreach(page ${help_sources})
  string(REGEX REPLACE "\\.in$" "" made ${page})
  configure_file(${CMAKE_SOURCE_DIR}/Help/${page} ${ZEB_HELP_DIR}/${made} @ONLY)
endforeach()
