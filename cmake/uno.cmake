# The LibreOffice SDK ships no C++ API headers: cppumaker generates them from the
# office's type libraries, once, into the build tree.
set(LO_PROGRAM /usr/lib/libreoffice/program)
set(LO_SDK /usr/lib/libreoffice/sdk)
set(UNO_GENERATED ${CMAKE_BINARY_DIR}/uno_headers)
set(UNO_STAMP ${UNO_GENERATED}/.stamp)

if(NOT EXISTS ${LO_SDK}/bin/cppumaker)
  message(FATAL_ERROR "The LibreOffice SDK is missing: run scripts/deps (package libreoffice-dev).")
endif()

add_custom_command(
  OUTPUT ${UNO_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${UNO_GENERATED}
  COMMAND env LD_LIBRARY_PATH=${LO_PROGRAM} ${LO_SDK}/bin/cppumaker -Gc -O${UNO_GENERATED}
          ${LO_PROGRAM}/types.rdb ${LO_PROGRAM}/types/offapi.rdb
  COMMAND ${CMAKE_COMMAND} -E touch ${UNO_STAMP}
  COMMENT "Generating the UNO C++ headers"
  VERBATIM)
add_custom_target(uno_headers DEPENDS ${UNO_STAMP})

add_library(uno_sdk INTERFACE)
add_dependencies(uno_sdk uno_headers)
target_include_directories(uno_sdk SYSTEM INTERFACE ${UNO_GENERATED} ${LO_SDK}/include)
target_compile_definitions(uno_sdk INTERFACE LINUX UNX GCC CPPU_ENV=gcc3)
target_link_directories(uno_sdk INTERFACE ${LO_SDK}/lib)
target_link_libraries(uno_sdk INTERFACE uno_cppuhelpergcc3 uno_cppu uno_sal uno_salhelpergcc3)
target_link_options(uno_sdk INTERFACE
  -Wl,-rpath-link,${LO_PROGRAM} -Wl,-rpath,${LO_PROGRAM})
