# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# rules.mk: debian/rules for a package of external functions for Regina
# built with kit/RexxPackage.cmake.  A package's debian/rules is
#
#   #!/usr/bin/make -f
#   include kit/rules.mk
#
#   %:
#   	dh $@ $(REXX_DH_OPTIONS)
#
# debhelper builds it with CMake and Ninja, with the flags that
# dpkg-buildflags gives (all hardening on), and installs the library into
# the interpreter's add-on folder.  The package's control file names
# ${rexx:Depends}: the interpreter version that looks in that folder, read
# at build time.  A cross build runs the tests in the architecture's own
# interpreter under qemu-user; the nocheck profile or option leaves the
# tests out, and the interpreter with them.
export DEB_BUILD_MAINT_OPTIONS = hardening=+all
include /usr/share/dpkg/architecture.mk

rexx_build := obj-$(DEB_HOST_GNU_TYPE)
rexx_flags := -DREXX_DEBIAN_PACKAGE=ON
ifneq (,$(filter nocheck,$(DEB_BUILD_OPTIONS) $(DEB_BUILD_PROFILES)))
rexx_flags += -DBUILD_TESTING=OFF
else ifneq ($(DEB_BUILD_ARCH),$(DEB_HOST_ARCH))
# qemu-user names its emulators by processor, in its own spelling.
rexx_qemu := $(subst powerpc64le,ppc64le,$(patsubst i%86,i386,$(DEB_HOST_GNU_CPU)))
rexx_flags += -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/qemu-$(rexx_qemu)
endif

REXX_DH_OPTIONS := --buildsystem=cmake+ninja --builddirectory=$(rexx_build)

override_dh_auto_configure:
	dh_auto_configure -- $(rexx_flags)

# The Debian changelog is the package's changelog; the upstream one is a
# document.  The installed documents keep their names, so that their
# links work.
override_dh_installchangelogs:
	dh_installchangelogs -XCHANGELOG.md

override_dh_compress:
	dh_compress -X.md -X.rexx -X.cpp -X.expected

override_dh_gencontrol:
	dh_gencontrol -- "-Vrexx:Depends=$$(cat $(rexx_build)/rexx-depends)"
