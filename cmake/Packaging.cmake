# `make package`: a Debian package of what cmake/Install.cmake installs,
# with its dependencies read from the programs' shared libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dialtally)
set(CPACK_PACKAGE_VENDOR "The Dialtally developers")
set(DIALTALLY_PACKAGE_MAINTAINER "The Dialtally developers <maintainers@dialtally.org>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${DIALTALLY_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "how much time you spent online and what it cost")
# Debian's long description, wrapped as the control file wants it.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Dialtally reads the connection logs that dialers and modems already"
    "write, finds the begin and end lines of each connection through log"
    "formats you define, prices each connection from your tariffs and shows"
    "reports of the connections and of day, week, month, year and grand"
    "totals as a grid or a chart."
    ""
    "The package holds the window, dialtally, and the report command,"
    "dialtally-report, which writes the same reports as CSV, text, HTML,"
    "XLSX or DOCX without a window.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY dialtally)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://dialtally.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# Builds the package into a scratch folder and checks its control fields
# and where its files go.
add_test(NAME debian_package_contents
    COMMAND sh ${PROJECT_SOURCE_DIR}/tests/install/check-deb-contents.sh
            ${PROJECT_BINARY_DIR} ${DIALTALLY_APP_ID} ${PROJECT_VERSION})
set_tests_properties(debian_package_contents PROPERTIES TIMEOUT 600)
