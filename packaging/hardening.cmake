# Debian's hardening flags, as dpkg-buildflags gives them with every hardening feature
# on: stack protector, _FORTIFY_SOURCE, read-only relocations bound at load (RELRO and
# BIND_NOW); Debian's compiler makes every executable position-independent already.
# The build type still decides optimisation and debug information, so those flags and
# the source path mapping are left out. -DHARDENING=OFF builds without them.
option(HARDENING "Build with Debian's hardening flags (dpkg-buildflags)" ON)
if(NOT HARDENING)
  return()
endif()
find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${DPKG_BUILDFLAGS} --get ${kind}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^(-O.*|-g|-ffile-prefix-map=.*)$")
  if(kind STREQUAL LDFLAGS)
    add_link_options(${flags})
  else()
    add_compile_options(${flags})
  endif()
endforeach()
