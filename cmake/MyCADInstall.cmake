# Installs the library, its headers and a CMake package so that a host can
# find_package(MyCAD) and link MyCAD::MyCAD. The headers go under include/MyCAD, which is
# the one include directory a host gets: it holds CAD.h and the generated headers, and
# the component's own headers only inside component/ and platform/, so no header of the
# component can be mistaken for one of the host's.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS mycad EXPORT MyCADTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform DESTINATION include/MyCAD FILES_MATCHING PATTERN "*.h")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/component DESTINATION include/MyCAD FILES_MATCHING PATTERN "*.h")
install(FILES ${MYCAD_GENERATED_INCLUDE}/CAD.h ${MYCAD_GENERATED_INCLUDE}/mycad_export.h
  ${MYCAD_GENERATED_INCLUDE}/mycad_version.h DESTINATION include/MyCAD)
install(EXPORT MyCADTargets NAMESPACE MyCAD:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/MyCAD)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/MyCADConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/MyCADConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/MyCAD)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/MyCADConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/MyCADConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/MyCADConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/MyCAD)
