# The Debian package (scripts/package.sh runs `cpack -G DEB` in the build folder): every file the install
# rules name, under /usr, with its dependencies found by dpkg-shlibdeps and its binaries stripped.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillory)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quillory developers")
set(CPACK_PACKAGE_CONTACT "Quillory developers <quillory@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # quillory_VERSION_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION  # a synopsis, then lines of at most 80 characters
    "write the README, XHTML page and NFO of a software release\n"
    "Quillory is a desktop program with which a software author describes one\n"
    "release of a program: its name, version, licence, download addresses,\n"
    "description, requirements, news and change log. From that description it\n"
    "writes a framed plain-text README, an XHTML 1.1 README page in six chosen\n"
    "colours and a box-drawn code-page-437 NFO, and it fills in the MD5 digest\n"
    "and size of the release file.\n"
    "\n"
    "The description is saved as a project document (.qlx). The command-line tool\n"
    "quillory-cli renders the same documents without a window, so that a release\n"
    "pipeline can regenerate every README from the project document kept in its\n"
    "repository.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")

include(CPack)
