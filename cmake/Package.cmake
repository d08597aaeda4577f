# The Debian package (scripts/package.sh runs `cpack -G DEB` in the build folder): every file the install
# rules name, under /usr, with its dependencies found by dpkg-shlibdeps and its binaries stripped, built with
# Debian's hardening flags. The web-view plugin lies in a private folder below the architecture's library
# folder (src/app/CMakeLists.txt), so CPack adds no ldconfig call to the maintainer scripts.

# Debian's hardening flags, as dpkg-buildflags gives them with hardening=+all (fortified functions, the stack
# protector, format checks, read-only relocations and immediate binding), on every target the programs are
# built from. Optimised builds only: fortified functions need the optimiser, and the sanitizers and fuzzing
# bring their own instrumentation. The build type keeps choosing -g and -O.
if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$" AND NOT QUILLORY_SANITIZE AND NOT QUILLORY_FUZZ)
  set(quillory_hardening_default ON)
else()
  set(quillory_hardening_default OFF)
endif()
option(QUILLORY_HARDENING "Build the programs with Debian's hardening flags (dpkg-buildflags)"
       ${quillory_hardening_default})
find_program(QUILLORY_DPKG_BUILDFLAGS dpkg-buildflags)
if(QUILLORY_HARDENING AND NOT QUILLORY_DPKG_BUILDFLAGS)
  message(WARNING "dpkg-buildflags (package dpkg-dev) is missing: the programs are built without hardening")
elseif(QUILLORY_HARDENING)
  # dpkg-buildflags --get NAME, as a list, without the options the build type chooses.
  function(quillory_buildflags name out)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${QUILLORY_DPKG_BUILDFLAGS} --get ${name}
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "dpkg-buildflags --get ${name} failed")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(g|O.?)$")
    set(${out} ${flags} PARENT_SCOPE)
  endfunction()
  quillory_buildflags(CPPFLAGS cppflags)
  quillory_buildflags(CXXFLAGS cxxflags)
  quillory_buildflags(LDFLAGS ldflags)
  # The flags on each target of the folder and the folders below it.
  function(quillory_harden directory)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
        target_compile_options(${target} PRIVATE ${cppflags} ${cxxflags})
      endif()
      if(type MATCHES "^(EXECUTABLE|SHARED_LIBRARY|MODULE_LIBRARY)$")
        target_link_options(${target} PRIVATE ${ldflags})
      endif()
    endforeach()
    get_property(folders DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(folder IN LISTS folders)
      quillory_harden(${folder})
    endforeach()
  endfunction()
  quillory_harden(${PROJECT_SOURCE_DIR}/src)
  message(STATUS "Hardening: ${cppflags} ${cxxflags} ${ldflags}")
endif()

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
    "write the README, XHTML page, NFO and Markdown README of a release\n"
    "Quillory is a desktop program with which a software author describes one\n"
    "release of a program: its name, version, licence, download addresses,\n"
    "description, requirements, news and change log. From that description it\n"
    "writes a framed plain-text README, an XHTML 1.1 README page in six chosen\n"
    "colours, a box-drawn code-page-437 NFO and a Markdown README, and it fills\n"
    "in the size, the MD5 digest and the SHA-256 digest of the release file.\n"
    "\n"
    "The description is saved as a project document (.qlx). The command-line tool\n"
    "quillory-cli renders the same documents without a window, so that a release\n"
    "pipeline can regenerate every README from the project document kept in its\n"
    "repository.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")

include(CPack)
