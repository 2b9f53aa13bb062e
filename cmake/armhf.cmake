# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# Cross toolchain for 32-bit ARM with hardware floating point (Debian
# armhf), run under qemu-arm.
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(MORVELIN_TRIPLET arm-linux-gnueabihf)
set(MORVELIN_DEBIAN_ARCH armhf)
set(MORVELIN_EMULATOR qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/cross-debian.cmake)
