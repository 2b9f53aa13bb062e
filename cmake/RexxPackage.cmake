# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# RexxPackage.cmake: builds, installs and packages one package of external
# functions for the Regina REXX interpreter on Debian.  Copy it into a
# project of your own as it stands, include it and call rexx_package()
# once:
#
#   rexx_package(<module> SOURCES <file>...
#     [SUMMARY <one line>]          default: the project's DESCRIPTION
#     [DESCRIPTION <paragraph>]     needed for the Debian package
#     [MAINTAINER "<name> <<mail>>"] needed for the Debian package
#     [DOCS <file>...]              default: README.md
#     [CHANGELOG_FILE <file>]       default: CHANGELOG.md
#     [DEBIAN_CHANGELOG_FILE <file>] default: packaging/changelog.Debian
#     [LICENSE_FILE <file>])        default: LICENSE
#
# It makes the library target <module>, built as lib<module>.so: the
# interpreter finds module X in the file libX.so.  The library hides every
# symbol that the sources do not export themselves and is hardened as
# Debian hardens its own.  It installs into the system library folder, or
# into the interpreter's add-on folder with REXX_INSTALL_ADDON=ON, stripped
# as dh_strip strips a plugin when the install asks for stripping, and
# DOCS into the documentation folder, with their relative paths.
#
# With REXX_DEBIAN_PACKAGE=ON, and only then, it also sets up the Debian
# package (cpack -G DEB) and the release tarball (target release_tarball):
# the package installs into the add-on folder, depends on the one
# interpreter version that looks there, is versioned for the Debian
# release it is built on, carries the changelogs and the licence in
# Debian's forms, and is built reproducibly.
#
# Cache variables:
#   REXX_INSTALL_ADDON   install into the add-on folder
#   REXX_DEBIAN_PACKAGE  set up the Debian package and the release tarball
#   REXX_ADDON_DIR       the add-on folder; default: regina-config --addons
#                        (Regina 3.9.5 and later), or else
#                        /usr/lib/<triplet>/regina-rexx/<version>
#   REXX_REGINA_VERSION  the interpreter version that names the folder, such
#                        as 3.6 or 3.9.5; default: from REXX_ADDON_DIR's
#                        name, or regina-config --version
include_guard(GLOBAL)
include(GNUInstallDirs)

option(REXX_INSTALL_ADDON
  "Install the library into the interpreter's add-on folder instead of the system library folder" OFF)
option(REXX_DEBIAN_PACKAGE
  "Set up the Debian package and the release tarball (installs into the add-on folder)" OFF)
set(REXX_ADDON_DIR "" CACHE PATH
  "The interpreter's add-on folder (default: regina-config --addons, or derived from the triplet and the version)")
set(REXX_REGINA_VERSION "" CACHE STRING
  "The interpreter version that names its add-on folder, such as 3.6 or 3.9.5 (default: regina-config --version)")

# Debian's /usr/bin/regina-config is a wrapper that runs the script of the
# build machine's own architecture, so the target's own script is taken
# where there is one (in a cross build, from the sysroot).
find_program(REGINA_CONFIG regina-config
  PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/regina-rexx
  NO_DEFAULT_PATH ONLY_CMAKE_FIND_ROOT_PATH)
find_program(REGINA_CONFIG regina-config ONLY_CMAKE_FIND_ROOT_PATH)

function(rexx_package module)
  cmake_parse_arguments(PARSE_ARGV 1 arg ""
    "SUMMARY;DESCRIPTION;MAINTAINER;CHANGELOG_FILE;DEBIAN_CHANGELOG_FILE;LICENSE_FILE"
    "SOURCES;DOCS")
  if(NOT module MATCHES "^[a-z][a-z0-9_]+$")
    message(FATAL_ERROR "rexx_package: the module name \"${module}\" is not "
      "a lower-case C identifier of two or more characters starting with a "
      "letter, as a Debian package name must be")
  endif()
  if(NOT arg_SOURCES)
    message(FATAL_ERROR "rexx_package(${module}): SOURCES names no file")
  endif()
  # A Debian package name has no underscores.
  string(REPLACE "_" "-" package ${module})
  set(docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package})

  add_library(${module} SHARED ${arg_SOURCES})
  set_target_properties(${module} PROPERTIES
    C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_compile_options(${module} PRIVATE
    -Wall -Wextra -Wpedantic -Wconversion -Wshadow -fstack-protector-strong)
  # Control-flow protection in each architecture's own form: indirect-branch
  # tracking and a shadow stack on x86-64, branch target identification and
  # signed return addresses on arm64.  The others have none.
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64)$")
    target_compile_options(${module} PRIVATE -fcf-protection=full)
  elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
    target_compile_options(${module} PRIVATE -mbranch-protection=standard)
  endif()
  # Fortified string and stdio calls need an optimised build.
  target_compile_definitions(${module} PRIVATE
    $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  target_link_options(${module} PRIVATE
    LINKER:-z,relro,-z,now,-z,noexecstack,-z,text LINKER:--as-needed)

  if(REXX_INSTALL_ADDON OR REXX_DEBIAN_PACKAGE)
    _rexx_addon_folder(${REXX_DEBIAN_PACKAGE})
    set(libdir ${addon_dir})
  else()
    set(libdir ${CMAKE_INSTALL_LIBDIR})
  endif()
  cmake_path(ABSOLUTE_PATH libdir BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
    OUTPUT_VARIABLE full_libdir)
  set(REXX_PACKAGE_LIBDIR ${full_libdir} PARENT_SCOPE)
  # Not executable, as Debian installs a plugin, and stripped of what
  # dh_strip strips when the install asks for stripping (--strip, cpack).
  install(FILES $<TARGET_FILE:${module}> DESTINATION ${libdir})
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
        --remove-section=.note --strip-unneeded
        \"\$ENV{DESTDIR}${full_libdir}/$<TARGET_FILE_NAME:${module}>\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()")

  # The documents, with the licence and the changelog.  The package ships
  # these two under Debian's names, copyright and changelog.gz, and the
  # Markdown documents' links to them follow.
  if(NOT DEFINED arg_DOCS)
    set(arg_DOCS README.md)
  endif()
  foreach(key_default IN ITEMS CHANGELOG_FILE:CHANGELOG.md
      DEBIAN_CHANGELOG_FILE:packaging/changelog.Debian LICENSE_FILE:LICENSE)
    string(REGEX MATCH "^([A-Z_]+):(.*)$" _ ${key_default})
    if(NOT arg_${CMAKE_MATCH_1})
      set(arg_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
    endif()
  endforeach()
  if(NOT REXX_DEBIAN_PACKAGE)
    list(APPEND arg_DOCS ${arg_LICENSE_FILE} ${arg_CHANGELOG_FILE})
  endif()
  foreach(doc IN LISTS arg_DOCS)
    cmake_path(GET doc PARENT_PATH subdir)
    if(REXX_DEBIAN_PACKAGE AND doc MATCHES "\\.md$")
      file(READ ${doc} text)
      string(REGEX REPLACE "[^/]+" "../" up "${subdir}")
      string(REPLACE "//" "/" up "${up}")
      foreach(renamed IN ITEMS ${arg_LICENSE_FILE}:copyright
          ${arg_CHANGELOG_FILE}:changelog.gz)
        string(REGEX MATCH "^(.*):(.*)$" _ ${renamed})
        cmake_path(RELATIVE_PATH CMAKE_MATCH_1 BASE_DIRECTORY ./${subdir}
          OUTPUT_VARIABLE link)
        string(REPLACE "](${link})" "](${up}${CMAKE_MATCH_2})" text "${text}")
      endforeach()
      file(WRITE ${PROJECT_BINARY_DIR}/docs-installed/${doc} "${text}")
      set(doc ${PROJECT_BINARY_DIR}/docs-installed/${doc})
    endif()
    install(FILES ${doc} DESTINATION ${docdir}/${subdir})
  endforeach()

  if(REXX_DEBIAN_PACKAGE)
    _rexx_debian_package()
  endif()
endfunction()

# _rexx_addon_folder(NEED_VERSION): sets addon_dir and regina_version in
# the caller.  The version is needed to derive the folder, and for the
# package's bound on the interpreter (NEED_VERSION).
function(_rexx_addon_folder need_version)
  set(version "${REXX_REGINA_VERSION}")
  set(folder "${REXX_ADDON_DIR}")
  set(said "REXX_REGINA_VERSION is \"${version}\"")
  if(NOT version AND folder MATCHES "/([0-9]+\\.[0-9]+(\\.[0-9]+)?)/?$")
    set(version ${CMAKE_MATCH_1})
  endif()
  if(NOT folder OR (need_version AND NOT version))
    if(NOT REGINA_CONFIG)
      _rexx_addon_fail("regina-config was not found")
    elseif(NOT EXISTS ${REGINA_CONFIG})
      _rexx_addon_fail("REGINA_CONFIG names ${REGINA_CONFIG}, which does not exist")
    endif()
    if(NOT version)
      execute_process(COMMAND ${REGINA_CONFIG} --version
        OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
      set(said "${REGINA_CONFIG} --version printed \"${version}\"")
    endif()
    # 3.6 answers an option it does not know with its usage text, so only
    # a single absolute path counts as the folder.
    if(NOT folder)
      execute_process(COMMAND ${REGINA_CONFIG} --addons
        OUTPUT_VARIABLE printed ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
      if(printed MATCHES "^/[^\n]*$")
        set(folder ${printed})
      endif()
    endif()
  endif()
  if((version OR NOT folder) AND NOT version MATCHES "^[0-9]+\\.[0-9]+(\\.[0-9]+)?$")
    _rexx_addon_fail("${said}, not a version such as 3.6 or 3.9.5")
  endif()
  if(NOT folder)
    if(NOT CMAKE_LIBRARY_ARCHITECTURE)
      _rexx_addon_fail("the compiler names no multiarch triplet")
    endif()
    set(folder /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/regina-rexx/${version})
  endif()
  message(STATUS "Interpreter add-on folder: ${folder} (Regina ${version})")
  set(addon_dir ${folder} PARENT_SCOPE)
  set(regina_version ${version} PARENT_SCOPE)
endfunction()

function(_rexx_addon_fail what)
  message(FATAL_ERROR "Cannot tell the interpreter's add-on folder: ${what}. "
    "Install libregina3-dev, or set REXX_REGINA_VERSION (such as 3.6), or "
    "REXX_ADDON_DIR to a folder named after the version.")
endfunction()

# _rexx_debian_package(): the Debian package and the release tarball, from
# rexx_package()'s arguments and variables.  A macro's body runs in the
# function that calls it, which include(CPack) needs.
macro(_rexx_debian_package)
  foreach(needed IN ITEMS MAINTAINER DESCRIPTION)
    if(NOT arg_${needed})
      message(FATAL_ERROR "rexx_package(${module}): the Debian package needs "
        "${needed}")
    endif()
  endforeach()
  foreach(key IN ITEMS CHANGELOG_FILE DEBIAN_CHANGELOG_FILE LICENSE_FILE)
    cmake_path(ABSOLUTE_PATH arg_${key})
    if(NOT EXISTS ${arg_${key}})
      message(FATAL_ERROR "rexx_package(${module}): the Debian package needs "
        "${key} ${arg_${key}}, which does not exist")
    endif()
  endforeach()
  set(summary "${arg_SUMMARY}")
  if(NOT summary)
    set(summary "${PROJECT_DESCRIPTION}")
  endif()

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME ${package})
  set(CPACK_PACKAGE_VENDOR ${package})
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${summary}")
  set(CPACK_PACKAGE_DESCRIPTION "${arg_DESCRIPTION}")
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${arg_MAINTAINER}")
  set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
  set(CPACK_DEBIAN_PACKAGE_SECTION interpreters)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS regina-rexx)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_STRIP_FILES ON)

  # libregina3 of the version that names the add-on folder and no later
  # one, which looks in another folder: 3.6 gives
  # libregina3 (>= 3.6), libregina3 (<< 3.7~).
  string(REGEX MATCH "[0-9]+$" last "${regina_version}")
  math(EXPR last "${last} + 1")
  string(REGEX REPLACE "[0-9]+$" "${last}" next "${regina_version}")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libregina3 (>= ${regina_version}), libregina3 (<< ${next}~)")
  message(STATUS "Package depends on ${CPACK_DEBIAN_PACKAGE_DEPENDS}")

  # The Debian release built for, from the os-release file of the system
  # built against (the sysroot in a cross build).  One source built for
  # several releases gets a version for each, as Debian numbers such
  # uploads: X.Y.Z-1~deb12u1 for Debian 12, X.Y.Z-1~deb13u1 for 13.  Both
  # sort below X.Y.Z-1, which testing or unstable gets, and each release's
  # above the one before, so that upgrading the system upgrades the package.
  set(os_release "")
  foreach(root IN LISTS CMAKE_FIND_ROOT_PATH ITEMS "")
    foreach(file IN ITEMS ${root}/etc/os-release ${root}/usr/lib/os-release)
      if(NOT os_release AND EXISTS ${file})
        file(STRINGS ${file} os_release)
      endif()
    endforeach()
  endforeach()
  set(debian_release "")
  if(os_release MATCHES "(^|;)ID=debian(;|$)"
      AND os_release MATCHES "(^|;)VERSION_ID=\"?([0-9]+)\"?(;|$)")
    set(debian_release ${CMAKE_MATCH_2})
    string(REGEX MATCH "(^|;)VERSION_CODENAME=([a-z]+)" _ "${os_release}")
    set(debian_codename ${CMAKE_MATCH_2})
  endif()

  # The Debian changelog is kept by hand and names the revision X.Y.Z-1.
  # A build for a release gets an entry of its own on top, one second newer
  # than the one below.  The package's time stamps are the hand-kept
  # newest entry's date, as Debian's tools set them, unless
  # SOURCE_DATE_EPOCH says otherwise.
  set(version "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
  file(STRINGS ${arg_DEBIAN_CHANGELOG_FILE} newest LIMIT_COUNT 1)
  if(NOT newest MATCHES "^${package} \\(${version}\\) ")
    message(FATAL_ERROR "${arg_DEBIAN_CHANGELOG_FILE} has no entry for "
      "${package} ${version} at the top")
  endif()
  file(STRINGS ${arg_DEBIAN_CHANGELOG_FILE} signature LIMIT_COUNT 1 REGEX "^ -- .*  ")
  string(REGEX REPLACE "^ -- .*  " "" date "${signature}")
  execute_process(COMMAND date -u -d "${date}" +%s
    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  file(CONFIGURE OUTPUT cpack_options.cmake CONTENT "\
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
")
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/cpack_options.cmake)
  set(head "")
  if(debian_release)
    set(suffix "~deb${debian_release}u1")
    string(APPEND CPACK_DEBIAN_PACKAGE_RELEASE ${suffix})
    math(EXPR epoch "${epoch} + 1")
    execute_process(COMMAND date -u -R -d @${epoch}
      OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
    set(head "\
${package} (${version}${suffix}) ${debian_codename}; urgency=medium

  * Build for Debian ${debian_release} (${debian_codename}).

 -- ${arg_MAINTAINER}  ${date}

")
  endif()
  file(CONFIGURE OUTPUT changelog.Debian.head CONTENT "${head}")

  # Both changelogs compressed without a name or time stamp, so that the
  # same sources give the same bytes.
  add_custom_command(OUTPUT changelog.gz changelog.Debian.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${arg_CHANGELOG_FILE} changelog
    COMMAND ${CMAKE_COMMAND} -E cat changelog.Debian.head
            ${arg_DEBIAN_CHANGELOG_FILE} > changelog.Debian
    COMMAND gzip -9nf changelog changelog.Debian
    DEPENDS ${arg_CHANGELOG_FILE} ${arg_DEBIAN_CHANGELOG_FILE}
            ${PROJECT_BINARY_DIR}/changelog.Debian.head
    VERBATIM)
  add_custom_target(changelogs ALL DEPENDS changelog.gz changelog.Debian.gz)

  # The licence in Debian's machine-readable copyright format, which calls
  # MIT "Expat": LICENSE holds a title, the copyright line, then the text.
  file(STRINGS ${arg_LICENSE_FILE} lines)
  set(holders "")
  set(text "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^Copyright \\(c\\) (.+)$")
      set(holders "${CMAKE_MATCH_1}")
    elseif(holders)
      if(line STREQUAL "")
        set(line ".")
      endif()
      string(APPEND text "\n ${line}")
    endif()
  endforeach()
  if(NOT holders)
    message(FATAL_ERROR "${arg_LICENSE_FILE} has no \"Copyright (c) HOLDERS\" line")
  endif()
  string(REGEX REPLACE "^\n \\.\n" "" text "${text}")
  file(CONFIGURE OUTPUT copyright CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${package}

Files: *
Copyright: ${holders}
License: Expat
${text}
")
  install(FILES ${PROJECT_BINARY_DIR}/changelog.gz
    ${PROJECT_BINARY_DIR}/changelog.Debian.gz ${PROJECT_BINARY_DIR}/copyright
    DESTINATION ${docdir})

  # A cross build packages for the target's architecture, named from the
  # compiler's own GNU type, and dpkg-shlibdeps resolves the library's
  # dependencies against the sysroot.
  if(CMAKE_CROSSCOMPILING)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dumpmachine
      OUTPUT_VARIABLE gnu_type OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND dpkg-architecture -t ${gnu_type} -qDEB_HOST_ARCH
      OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
      OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    foreach(root IN LISTS CMAKE_FIND_ROOT_PATH)
      list(APPEND CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
        ${root}/lib/${CMAKE_LIBRARY_ARCHITECTURE} ${root}/lib)
    endforeach()
  endif()

  # The release tarball: the files that git tracks in the commit checked
  # out, as git archive packs them.
  find_package(Git QUIET)
  set(tarball ${package}-${PROJECT_VERSION})
  if(GIT_FOUND AND EXISTS ${PROJECT_SOURCE_DIR}/.git)
    add_custom_target(release_tarball
      COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} archive --format=tar.gz
              --prefix=${tarball}/ -o ${PROJECT_BINARY_DIR}/${tarball}.tar.gz HEAD
      VERBATIM)
  else()
    add_custom_target(release_tarball
      COMMAND ${CMAKE_COMMAND} -E echo "The release tarball is made by git, in a git checkout."
      COMMAND ${CMAKE_COMMAND} -E false)
  endif()
  include(CPack)
endmacro()
