# `cpack -G DEB` in a build folder packs what `cmake --install` installs (the program, the tool,
# its man page, the desktop entry and the icon; the help is compiled into the program) into
# kt-invorra_<version>_amd64.deb. dpkg-shlibdeps finds the runtime packages (Qt, libcurl, ...)
# from the libraries the two programs link.
set(CPACK_PACKAGE_NAME kt-invorra)
set(CPACK_PACKAGE_VENDOR "KT Invorra")
set(CPACK_PACKAGE_CONTACT "KT Invorra maintainers <maintainers@kt-invorra.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Billing and accounts receivable for small businesses")
set(CPACK_PACKAGE_DESCRIPTION
    "Customers, products, invoices, payments, aging, statements and correspondence for any number of companies, with a command line for scripts and maintenance (kt-invorra-tool).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The printed forms and the program's windows are laid out in these fonts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
include(CPack)
