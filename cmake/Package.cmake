# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# The documentation installed with the library, the Debian package and the
# release tarball (cmake --workflow --preset package).  The package installs
# the library into the interpreter's add-on folder, a private folder that
# the interpreter searches first and that needs no ldconfig, so it depends
# on the one interpreter version whose folder that is.  It is versioned for
# the Debian release it is built on, and built reproducibly: its time
# stamps are those of the newest entry of packaging/changelog.Debian.

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

# The Debian release the package is built for, from the os-release file
# of the system it is built against (the sysroot in a cross build).  One
# source built for several releases gets one version for each, as Debian
# numbers such uploads: X.Y.Z-1~deb12u1 for Debian 12, X.Y.Z-1~deb13u1 for
# 13.  Both sort below X.Y.Z-1, which a build on testing or unstable gets,
# and each release's sorts above the one before, so that upgrading the
# system upgrades the package.
set(os_release "")
foreach(root IN LISTS CMAKE_FIND_ROOT_PATH ITEMS "")
  foreach(file IN ITEMS ${root}/etc/os-release ${root}/usr/lib/os-release)
    if(NOT os_release AND EXISTS ${file})
      file(STRINGS ${file} os_release)
    endif()
  endforeach()
endforeach()
set(debian_release "")
if(os_release MATCHES "(^|;)ID=debian(;|$)")
  if(os_release MATCHES "(^|;)VERSION_ID=\"?([0-9]+)\"?(;|$)")
    set(debian_release ${CMAKE_MATCH_2})
  endif()
  if(os_release MATCHES "(^|;)VERSION_CODENAME=([a-z]+)(;|$)")
    set(debian_codename ${CMAKE_MATCH_2})
  endif()
endif()

# packaging/changelog.Debian is kept by hand and names the package's
# revision, X.Y.Z-1.  A build for a release gets an entry of its own on
# top, one second newer than the entry below it.  The time stamps in the
# package are the hand-kept newest entry's date, as Debian's build tools
# set them, unless SOURCE_DATE_EPOCH says otherwise.
set(debian_changelog ${PROJECT_SOURCE_DIR}/packaging/changelog.Debian)
file(STRINGS ${debian_changelog} newest_entry LIMIT_COUNT 1)
set(package_version "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
if(NOT newest_entry MATCHES "^${PROJECT_NAME} \\(${package_version}\\) ")
  message(FATAL_ERROR "packaging/changelog.Debian has no entry for "
    "${package_version} at the top")
endif()
file(STRINGS ${debian_changelog} newest_signature LIMIT_COUNT 1
  REGEX "^ -- .*  ")
string(REGEX REPLACE "^ -- .*  " "" newest_date "${newest_signature}")
execute_process(COMMAND date -u -d "${newest_date}" +%s
  OUTPUT_VARIABLE changelog_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)
file(CONFIGURE OUTPUT cpack_options.cmake CONTENT "\
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} ${changelog_epoch})
endif()
")
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/cpack_options.cmake)
set(changelog_head "")
if(debian_release)
  set(release_suffix "~deb${debian_release}u1")
  string(APPEND CPACK_DEBIAN_PACKAGE_RELEASE ${release_suffix})
  math(EXPR release_epoch "${changelog_epoch} + 1")
  execute_process(COMMAND date -u -R -d @${release_epoch}
    OUTPUT_VARIABLE release_date OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  set(changelog_head "\
${PROJECT_NAME} (${package_version}${release_suffix}) ${debian_codename}; urgency=medium

  * Build for Debian ${debian_release} (${debian_codename}).

 -- ${CPACK_DEBIAN_PACKAGE_MAINTAINER}  ${release_date}

")
endif()
file(CONFIGURE OUTPUT changelog.Debian.head CONTENT "${changelog_head}")

# The documentation that a Debian package ships besides the demo and the
# README: the project's changelog as changelog.gz, the package's own as
# changelog.Debian.gz, both compressed without a name or time stamp so
# that the same sources give the same bytes, and the licence as copyright.
add_custom_command(OUTPUT changelog.gz changelog.Debian.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/CHANGELOG.md changelog
  COMMAND ${CMAKE_COMMAND} -E cat changelog.Debian.head
          ${PROJECT_SOURCE_DIR}/packaging/changelog.Debian > changelog.Debian
  COMMAND gzip -9nf changelog changelog.Debian
  DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md
          ${PROJECT_SOURCE_DIR}/packaging/changelog.Debian
          ${PROJECT_BINARY_DIR}/changelog.Debian.head
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

# libregina3 of the version that names the add-on folder, and no later
# one: a later version looks in another folder.  3.6 gives
# libregina3 (>= 3.6), libregina3 (<< 3.7~).
if(MORVELIN_INSTALL_ADDON)
  string(REGEX MATCH "[0-9]+$" last_part "${regina_version}")
  math(EXPR last_part "${last_part} + 1")
  string(REGEX REPLACE "[0-9]+$" "${last_part}" next_version "${regina_version}")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libregina3 (>= ${regina_version}), libregina3 (<< ${next_version}~)")
  message(STATUS "Package depends on ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
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

# The release tarball: the files that git tracks in the commit that is
# checked out, as git archive packs them, time stamps and all.
find_package(Git QUIET)
if(GIT_FOUND AND EXISTS ${PROJECT_SOURCE_DIR}/.git)
  set(tarball_name "${PROJECT_NAME}-${PROJECT_VERSION}")
  add_custom_target(release_tarball
    COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} archive --format=tar.gz
            --prefix=${tarball_name}/ -o ${PROJECT_BINARY_DIR}/${tarball_name}.tar.gz
            HEAD
    VERBATIM)
else()
  add_custom_target(release_tarball
    COMMAND ${CMAKE_COMMAND} -E echo
            "The release tarball is made with git, from a git checkout."
    COMMAND ${CMAKE_COMMAND} -E false)
endif()

include(CPack)
