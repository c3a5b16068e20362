# The Windows package (`cmake --build BUILD --target package`):
# okuzuke-VERSION-win32.zip from the i686 build (the shipped one), or
# okuzuke-VERSION-win64.zip from the x86_64 build the Wine tests run, holding
# one folder of that name with
#   okuzuke.dll            stripped (the symbols are no use to a user and
#                          double its size)
#   okuzuke-guide-ja.txt   the users' guide
#   AuthDB.dat, PubDB.dat, LabelsDB.dat   example dictionaries
# (made in package/windows/).

# The DLL alone: its import library is of no use to the host.
install(TARGETS okuzuke RUNTIME DESTINATION . ARCHIVE DESTINATION lib EXCLUDE_FROM_ALL)
install(FILES ${OKUZUKE_WINDOWS_FILES} DESTINATION .)

math(EXPR okuzuke_bits "${CMAKE_SIZEOF_VOID_P} * 8")
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME okuzuke)
set(CPACK_PACKAGE_VENDOR "${OKUZUKE_CONTACT_NAME}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Japanese book lookup from publishers' pages: a plug-in for a book-collection manager")
set(CPACK_PACKAGE_FILE_NAME okuzuke-${PROJECT_VERSION}-win${okuzuke_bits})
set(CPACK_STRIP_FILES ON)
include(CPack)
