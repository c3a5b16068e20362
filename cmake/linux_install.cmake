# Installing on Linux (`cmake --install BUILD --prefix DIR`) and the .deb
# (`cmake --build BUILD --target package`). Everything sits under one prefix
# at places fixed relative to the program, which finds the others from its
# own folder, so the prefix can be anything and can be moved:
#   bin/okuzuke                  the command-line host
#   lib/okuzuke/libokuzuke.so    the plug-in: loaded with dlopen, never linked
#                                against, so it stays out of the linker's path
#                                (no soname, no ldconfig), as private plug-ins do
#   share/okuzuke/sample/        codes.txt and pages/ (manifest.tsv, the pages)
#   share/doc/okuzuke/README.md

set(OKUZUKE_INSTALL_BINDIR bin)
set(OKUZUKE_INSTALL_PLUGINDIR lib/okuzuke)
set(OKUZUKE_INSTALL_SAMPLEDIR share/okuzuke/sample)

file(RELATIVE_PATH plugin_from_bin /prefix/${OKUZUKE_INSTALL_BINDIR} /prefix/${OKUZUKE_INSTALL_PLUGINDIR})
file(RELATIVE_PATH sample_from_bin /prefix/${OKUZUKE_INSTALL_BINDIR} /prefix/${OKUZUKE_INSTALL_SAMPLEDIR})
target_compile_definitions(okuzuke_cli PRIVATE
  OKUZUKE_PLUGIN_FROM_BIN="${plugin_from_bin}" OKUZUKE_SAMPLE_FROM_BIN="${sample_from_bin}")

install(TARGETS okuzuke_cli RUNTIME DESTINATION ${OKUZUKE_INSTALL_BINDIR})
install(TARGETS okuzuke LIBRARY DESTINATION ${OKUZUKE_INSTALL_PLUGINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION share/doc/okuzuke)

# The sample's manifest names test fixtures (../../tests/fixtures/pages/
# PUBLISHER/FILE) as its pages. Installed, each page goes to
# pages/PUBLISHER/FILE and the manifest is rewritten to name it there; a page
# named any other way outside sample/pages stops the configuration rather
# than installing a sample that cannot run.
set(sample_manifest ${CMAKE_SOURCE_DIR}/sample/pages/manifest.tsv)
set(fixture_pages "../../tests/fixtures/pages/")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${sample_manifest})
file(READ ${sample_manifest} manifest)
string(REGEX MATCHALL "\n[^#\n][^\t\n]*\t[^\r\n]*" entries "\n${manifest}")
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^[^\t]*\t" "" page "${entry}")
  string(STRIP "${page}" page)
  if(page STREQUAL "-")
    continue()
  endif()
  string(FIND "${page}" "${fixture_pages}" at)
  if(at EQUAL 0)
    string(LENGTH "${fixture_pages}" skip)
    string(SUBSTRING "${page}" ${skip} -1 installed)
    set(source ${CMAKE_SOURCE_DIR}/tests/fixtures/pages/${installed})
  elseif(NOT page MATCHES "^/|\\.\\.")
    set(installed ${page})
    set(source ${CMAKE_SOURCE_DIR}/sample/pages/${page})
  else()
    message(FATAL_ERROR "sample/pages/manifest.tsv: cannot install the page ${page}")
  endif()
  get_filename_component(subfolder ${installed} DIRECTORY)
  install(FILES ${source} DESTINATION ${OKUZUKE_INSTALL_SAMPLEDIR}/pages/${subfolder})
endforeach()
string(REPLACE "\t${fixture_pages}" "\t" manifest "${manifest}")
file(WRITE ${CMAKE_BINARY_DIR}/sample/manifest.tsv "${manifest}")
install(FILES ${CMAKE_BINARY_DIR}/sample/manifest.tsv DESTINATION ${OKUZUKE_INSTALL_SAMPLEDIR}/pages)
install(FILES ${CMAKE_SOURCE_DIR}/sample/codes.txt DESTINATION ${OKUZUKE_INSTALL_SAMPLEDIR})

# The .deb: okuzuke_VERSION_ARCH.deb, installing under /usr. Its Depends come
# from dpkg-shlibdeps (dpkg-dev), which reads them off the binaries, so a
# library linked later is declared without a change here. Without it they
# are listed: the C and C++ runtimes, and the package of each library the
# program or the plug-in links (a library linked later adds its package to
# the table below).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME okuzuke)
set(CPACK_PACKAGE_VENDOR "${OKUZUKE_CONTACT_NAME}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Japanese book lookup from publishers' pages: a book-collection plug-in and its command line")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${OKUZUKE_CONTACT_NAME} <${OKUZUKE_CONTACT_EMAIL}>")
find_program(OKUZUKE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(OKUZUKE_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(depends "libc6 (>= 2.34)" "libstdc++6 (>= 12)" "libgcc-s1 (>= 3.0)")
  set(library_packages "CURL::libcurl=libcurl4 (>= 7.88)")
  foreach(target okuzuke_cli okuzuke okuzuke_core)
    get_target_property(linked ${target} LINK_LIBRARIES)
    foreach(pair IN LISTS library_packages)
      string(FIND "${pair}" "=" at)
      string(SUBSTRING "${pair}" 0 ${at} library)
      math(EXPR at "${at} + 1")
      string(SUBSTRING "${pair}" ${at} -1 package)
      if(library IN_LIST linked AND NOT package IN_LIST depends)
        list(APPEND depends "${package}")
      endif()
    endforeach()
  endforeach()
  list(JOIN depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
endif()
include(CPack)
