# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# The interpreter's add-on folder, where Regina looks for a package's
# library before the loader path, and the interpreter version that names
# it.  Sets, for the install rules and the package:
#   regina_version  the version in the folder's name (3.6, 3.9.5)
#   addon_dir       the folder, /usr/lib/<multiarch triplet>/regina-rexx/<version>
# Regina 3.9.5 and later print the folder with regina-config --addons;
# for older ones (3.6) it is derived from the triplet and the version.
# MORVELIN_REGINA_SERIES and MORVELIN_ADDON_DIR override what
# regina-config says.  regina-config comes with libregina3-dev; in a cross
# build, the target's own is taken from the sysroot.

set(MORVELIN_REGINA_SERIES "" CACHE STRING
  "The interpreter version that names its add-on folder, as 3.6 or 3.9.5 (default: regina-config --version)")
set(MORVELIN_ADDON_DIR "" CACHE PATH
  "The interpreter's add-on folder (default: regina-config --addons, or derived from the multiarch triplet and the version)")

# Debian's /usr/bin/regina-config is a wrapper that runs the script of the
# build machine's own architecture, which names that architecture's
# folder; so the target architecture's script is taken where it exists.
find_program(REGINA_CONFIG regina-config
  PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/regina-rexx
  NO_DEFAULT_PATH ONLY_CMAKE_FIND_ROOT_PATH)
find_program(REGINA_CONFIG regina-config ONLY_CMAKE_FIND_ROOT_PATH)

# addon_fail(WHAT): stops configure, saying what went wrong and how to
# get past it.
function(addon_fail what)
  message(FATAL_ERROR "Cannot tell the interpreter's add-on folder: ${what}. "
    "Install libregina3-dev, or set MORVELIN_REGINA_SERIES (such as 3.6) "
    "or MORVELIN_ADDON_DIR.")
endfunction()

set(regina_version "${MORVELIN_REGINA_SERIES}")
set(addon_dir "${MORVELIN_ADDON_DIR}")
if(NOT regina_version)
  if(NOT REGINA_CONFIG)
    addon_fail("regina-config was not found")
  endif()
  execute_process(COMMAND ${REGINA_CONFIG} --version
    OUTPUT_VARIABLE regina_version OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(printed "${REGINA_CONFIG} --version printed \"${regina_version}\"")
else()
  set(printed "MORVELIN_REGINA_SERIES is \"${regina_version}\"")
endif()
if(NOT regina_version MATCHES "^[0-9]+\\.[0-9]+(\\.[0-9]+)?$")
  addon_fail("${printed}, not a version such as 3.6 or 3.9.5")
endif()

# 3.6's regina-config answers an option it does not know with its usage
# text, so only a single absolute path counts as the folder.
if(NOT addon_dir AND REGINA_CONFIG)
  execute_process(COMMAND ${REGINA_CONFIG} --addons
    OUTPUT_VARIABLE printed_dir ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(printed_dir MATCHES "^/[^\n]*$")
    set(addon_dir "${printed_dir}")
  endif()
endif()
if(NOT addon_dir)
  if(NOT CMAKE_LIBRARY_ARCHITECTURE)
    addon_fail("the compiler names no multiarch triplet")
  endif()
  set(addon_dir
    "/usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/regina-rexx/${regina_version}")
endif()
message(STATUS "Interpreter add-on folder: ${addon_dir} (Regina ${regina_version})")
