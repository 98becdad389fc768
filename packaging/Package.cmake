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
# The control file's description: lines of at most 79 characters (80 with the blank before each).
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Quorvel works out the trajectory of a rifle bullet from a load (bullet weight,\n"
    "muzzle velocity, ballistic coefficient, sight height, zero range) and the\n"
    "conditions (wind, altitude, temperature, shooting angle, target speed) with one\n"
    "of eight drag models, and shows it as a ballistics table and as a graph,\n"
    "optionally against a second load. Side calculators find the maximum\n"
    "point-blank range and the muzzle velocity behind a chronograph reading; a\n"
    "shooting simulator scores shots at a target in a scope view.")
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
