# The Debian package: `make package` (cpack -G DEB in the build folder) writes
# quorvel_<version>_<arch>.deb there from the install rules, installed under /usr.
#
# No maintainer scripts: dpkg's file triggers of desktop-file-utils, shared-mime-info, the icon
# theme and man-db refresh the menu, file-type, icon and manual-page caches when the package
# puts files into or takes them out of their folders.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "The Quorvel developers")
set(CPACK_PACKAGE_CONTACT "The Quorvel developers <developers@quorvel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "exterior-ballistics calculator and shooting simulator")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Quorvel works out the trajectory of a rifle bullet from a load (bullet weight, muzzle\n"
    "velocity, ballistic coefficient, sight height, zero range) and the conditions (wind,\n"
    "altitude, temperature, shooting angle, target speed) with one of eight drag models, and\n"
    "shows it as a ballistics table and as a graph, optionally against a second load.\n"
    "Side calculators find the maximum point-blank range and the muzzle velocity behind a\n"
    "chronograph reading; a shooting simulator scores shots at a target in a scope view.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# Science: it is a physics calculator first (the archive files its kin there); graphics would
# fit only the simulator's pictures.
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUORVEL_PROJECT_URL}")
# Libraries come from the binaries (dpkg-shlibdeps). The table wants a fixed-pitch font, which
# is found by name at run time, so no binary links it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")

include(CPack)
