# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# Cross toolchain for any Debian architecture: REXX_ARCH names it (arm64,
# armhf, i386, s390x, ...) and REXX_SYSROOT the folder of that
# architecture's libraries and interpreter, which `kit/rexx-kit sysroot
# ARCH` makes; the cross presets take both from the environment, and
# `kit/rexx-kit arch ARCH` sets them.  The compiler is Debian's cross
# compiler, and qemu-user runs the architecture's programs: binfmt_misc
# may not be set up, so each runs through the emulator explicitly.

if(NOT REXX_ARCH OR NOT REXX_SYSROOT)
  message(FATAL_ERROR "Set REXX_ARCH to a Debian architecture and REXX_SYSROOT "
    "to its sysroot, or build with kit/rexx-kit arch ARCH, which sets both")
endif()
# The compilers CMake tries out read this file again and need both too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES REXX_ARCH REXX_SYSROOT)

# query(VARIABLE): a value from dpkg-architecture for the architecture.
function(query variable)
  execute_process(COMMAND dpkg-architecture -a ${REXX_ARCH} -q${variable}
    OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
    COMMAND_ERROR_IS_FATAL ANY)
  set(${variable} ${value} PARENT_SCOPE)
endfunction()
query(DEB_HOST_GNU_TYPE)     # the compiler's prefix: i686-linux-gnu
query(DEB_HOST_MULTIARCH)    # the library folder's name: i386-linux-gnu
query(DEB_HOST_GNU_CPU)      # the processor: i686
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${DEB_HOST_GNU_CPU})
set(CMAKE_CXX_COMPILER ${DEB_HOST_GNU_TYPE}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${DEB_HOST_MULTIARCH})

if(NOT EXISTS "${REXX_SYSROOT}/usr/bin/regina")
  message(FATAL_ERROR "There is no ${REXX_ARCH} sysroot at ${REXX_SYSROOT}: "
    "make it with kit/rexx-kit sysroot ${REXX_ARCH}")
endif()

# Libraries, headers and CMake packages come from the sysroot only; the
# compiler brings its own C and C++ headers; build tools are the host's.
set(CMAKE_FIND_ROOT_PATH ${REXX_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# qemu-user names its emulators by processor, in its own spelling.
string(REGEX REPLACE "^i[3-6]86$" "i386" qemu_cpu ${DEB_HOST_GNU_CPU})
string(REPLACE "powerpc64le" "ppc64le" qemu_cpu ${qemu_cpu})
set(REXX_EMULATOR qemu-${qemu_cpu} CACHE INTERNAL "The architecture's emulator")
set(CMAKE_CROSSCOMPILING_EMULATOR ${REXX_EMULATOR} -L ${REXX_SYSROOT})
