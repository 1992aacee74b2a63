# The deliverables as the platform's users install an add-on: one Debian
# package whose files are exactly what `cmake --install` lays out (the library
# and its filter, the pane's bundle, its entry, the settings folder), at the
# root of the device. `cmake --build BUILD --target package` makes it in BUILD;
# corvane-sim fills an empty device root by unpacking it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME "com.quillfen.corvane")
set(CPACK_PACKAGE_VENDOR "Quillfen")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Corvane: a digit or sign on every letter key, typed with a flick up")
set(CPACK_PACKAGE_DESCRIPTION
    "Corvane adds an alternate character to the keys of the software keyboard, typed with a short upward gesture, and a settings pane to choose how it works.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quillfen <support@quillfen.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
# The platform pieces it plugs into: the injection framework that loads the
# library, and the loader that lists the pane in Settings.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "mobilesubstrate, preferenceloader")

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE corvane_architecture
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE corvane_dpkg_result)
if(NOT corvane_dpkg_result EQUAL 0 OR corvane_architecture STREQUAL "")
  set(corvane_architecture "${CMAKE_SYSTEM_PROCESSOR}")
endif()
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE "${corvane_architecture}")
set(CPACK_DEBIAN_FILE_NAME "${CPACK_PACKAGE_NAME}_${PROJECT_VERSION}_${corvane_architecture}.deb")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}")
# Where the package lands, for the simulator and the tests.
set(CORVANE_PACKAGE_FILE "${CMAKE_BINARY_DIR}/${CPACK_DEBIAN_FILE_NAME}")
