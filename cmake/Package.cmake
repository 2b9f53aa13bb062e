# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# The documentation installed with the library, the Debian package and the
# release tarball (cmake --workflow --preset package).  The package installs
# the library into the interpreter's add-on folder, a private folder that
# the interpreter searches first and that needs no ldconfig, so it depends
# on the one series of the interpreter library that searches that folder.

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
  "morvelin maintainers <maintainers@morvelin.invalid>")
set(CPACK_PACKAGE_VENDOR "morvelin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "external functions for the Regina REXX interpreter")
set(CPACK_PACKAGE_DESCRIPTION
  "morvelin is a small package of external functions for the Regina REXX
interpreter: a shared library that REXX programs load with RxFuncAdd and
ApiLoadFuncs, and whose routines show how data crosses between a REXX
program and native code: text displayed by the library, text handed back
to REXX, and an exchange of numbers, text and a status.")
set(CPACK_DEBIAN_PACKAGE_SECTION interpreters)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS regina-rexx)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)

# The documentation that a Debian package ships besides the demo and the
# README: the project's changelog as changelog.gz, the package's own as
# changelog.Debian.gz, both compressed without a name or time stamp so
# that the same sources give the same bytes, and the licence as copyright.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog.Debian newest_entry
  LIMIT_COUNT 1)
set(package_version "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
if(NOT newest_entry MATCHES "^${PROJECT_NAME} \\(${package_version}\\) ")
  message(FATAL_ERROR "packaging/changelog.Debian has no entry for "
    "${package_version} at the top")
endif()
add_custom_command(OUTPUT changelog.gz changelog.Debian.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/CHANGELOG.md changelog
  COMMAND ${CMAKE_COMMAND} -E copy
          ${PROJECT_SOURCE_DIR}/packaging/changelog.Debian changelog.Debian
  COMMAND gzip -9nf changelog changelog.Debian
  DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md
          ${PROJECT_SOURCE_DIR}/packaging/changelog.Debian
  VERBATIM)
add_custom_target(changelogs ALL DEPENDS changelog.gz changelog.Debian.gz)

# The licence in Debian's machine-readable copyright format, which calls it
# "Expat".  LICENSE holds a title, the copyright line, then the text.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE licence_lines)
set(copyright_holders "")
set(licence_text "")
foreach(line IN LISTS licence_lines)
  if(line MATCHES "^Copyright \\(c\\) (.+)$")
    set(copyright_holders "${CMAKE_MATCH_1}")
  elseif(copyright_holders)
    # Each line of the text indented by one space, an empty line as " .".
    if(line STREQUAL "")
      set(line ".")
    endif()
    string(APPEND licence_text "\n ${line}")
  endif()
endforeach()
string(REGEX REPLACE "^\n \\.\n" "" licence_text "${licence_text}")
file(CONFIGURE OUTPUT copyright CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${PROJECT_NAME}

Files: *
Copyright: ${copyright_holders}
License: Expat
${licence_text}
")
install(FILES examples/demo.rexx README.md
  ${PROJECT_BINARY_DIR}/changelog.gz ${PROJECT_BINARY_DIR}/changelog.Debian.gz
  ${PROJECT_BINARY_DIR}/copyright
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

# libregina3 of series X.Y, and no later one: a later series looks in
# another add-on folder.
if(MORVELIN_INSTALL_ADDON)
  string(REPLACE "." ";" series_parts "${regina_series}")
  list(GET series_parts 0 series_major)
  list(GET series_parts 1 series_minor)
  math(EXPR next_minor "${series_minor} + 1")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libregina3 (>= ${regina_series}), libregina3 (<< ${series_major}.${next_minor}~)")
endif()

# A cross build packages for the target's architecture, and dpkg-shlibdeps
# resolves the library's dependencies against the sysroot: it finds the C
# library there, and the symbols file of its package in the sysroot's
# DEBIAN folder.
if(CMAKE_CROSSCOMPILING)
  execute_process(
    COMMAND dpkg-architecture -t ${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
    OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  foreach(root IN LISTS CMAKE_FIND_ROOT_PATH)
    list(APPEND CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
      ${root}/lib/${CMAKE_LIBRARY_ARCHITECTURE} ${root}/lib)
  endforeach()
endif()

# The source tarball: the files of the source tree, as a clean checkout has
# them, without git's own, the build folders, CPack's work folder, earlier
# tarballs or editors' backups.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME "${PROJECT_NAME}-${PROJECT_VERSION}")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/\\\\.git$" "/build/"
  "/_CPack_Packages/" "/${PROJECT_NAME}-[^/]*\\\\.tar\\\\.gz$" "~$" "\\\\.swp$")

include(CPack)
