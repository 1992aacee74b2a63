# The deliverables as the platform's users install an add-on, in two Debian
# packages from one build:
#  - com.quillfen.corvane: exactly what `cmake --install` lays out (the library
#    and its filter, the pane's bundle, its entry, the settings folder), at
#    the root of the device;
#  - corvane-platform: the platform stand-in's library, which both
#    deliverables link against, so that the dependency is named rather than
#    assumed. `cmake --install` leaves it out: a device root gets it from the
#    platform, and the simulator brings its own.
# `cmake --build BUILD --target package` makes them in BUILD; corvane-sim
# fills an empty device root by unpacking the first.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME deliverables)
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL deliverables platform)
set(CPACK_PACKAGE_NAME "com.quillfen.corvane")
set(CPACK_PACKAGE_VENDOR "Quillfen")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quillfen <support@quillfen.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
# Stripped libraries. (CPack's -dbgsym packages are left out: this CMake
# writes the staging folder's absolute paths into their md5sums.)
set(CPACK_STRIP_FILES ON)

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE corvane_architecture
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE corvane_dpkg_result)
if(NOT corvane_dpkg_result EQUAL 0 OR corvane_architecture STREQUAL "")
  set(corvane_architecture "${CMAKE_SYSTEM_PROCESSOR}")
endif()
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE "${corvane_architecture}")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}")

set(corvane_platform_package "corvane-platform")
set(CPACK_DEBIAN_DELIVERABLES_PACKAGE_NAME "${CPACK_PACKAGE_NAME}")
set(CPACK_DEBIAN_DELIVERABLES_FILE_NAME "${CPACK_PACKAGE_NAME}_${PROJECT_VERSION}_${corvane_architecture}.deb")
# The platform pieces it plugs into: the injection framework that loads the
# library, the loader that lists the pane in Settings, and the platform
# library both link against.
set(CPACK_DEBIAN_DELIVERABLES_PACKAGE_DEPENDS
    "mobilesubstrate, preferenceloader, ${corvane_platform_package} (= ${PROJECT_VERSION})")
string(CONCAT CPACK_DEBIAN_DELIVERABLES_DESCRIPTION
    "Corvane: a digit or sign on every letter key, typed with a flick up\n"
    "Corvane adds an alternate character to the keys of the software keyboard,\n"
    "typed with a short upward gesture, and a settings pane to choose how it\n"
    "works: the gesture (a flick or a short slide up) and what it types (the\n"
    "alternate character or the shifted key).")
set(CPACK_DEBIAN_PLATFORM_PACKAGE_NAME "${corvane_platform_package}")
set(CPACK_DEBIAN_PLATFORM_FILE_NAME "${corvane_platform_package}_${PROJECT_VERSION}_${corvane_architecture}.deb")
# The Debian libraries it links are named from the library itself.
set(CPACK_DEBIAN_PLATFORM_PACKAGE_SHLIBDEPS ON)
string(CONCAT CPACK_DEBIAN_PLATFORM_DESCRIPTION
    "Corvane's stand-in for the phone platform the keyboard extension runs on\n"
    "The object runtime, foundation, drawing, toolkit, keyboard and Settings\n"
    "host that Corvane's keyboard extension and settings pane link against, in\n"
    "one library, libcorvane-platform.so.")

# Two packings of one build give the same bytes: every time stamp is the
# last commit's (or SOURCE_DATE_EPOCH, when the builder sets it).
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_LIST_DIR}/PackageTimestamp.cmake")
set(CPACK_CORVANE_SOURCE_DIR "${PROJECT_SOURCE_DIR}")

# Where the add-on's package lands, for the simulator and the tests.
set(CORVANE_PACKAGE_FILE "${CMAKE_BINARY_DIR}/${CPACK_DEBIAN_DELIVERABLES_FILE_NAME}")
